#include "html/maplines.h"
#include "html/mapreader.h"
#include "html/testpage.h"
#include "support/areachecks.h"
#include "platform/appsettings.h"
#include "support/standinwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QtTest>

#include <memory>
#include <random>

using namespace mapwright;

class CHtmlPaneTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void PaneShowsEveryLineEndedByABreakInTheViewFont();
    void TypingInCoordsMovesTheAreaAsOneStepWithoutRefillingThePane();
    void TextTypedOnTheLastLineIsKeptAndDeletingAllLeavesNothing();
    void OtherChangesRefillThePaneAsAWholeRefillWould();
    void UndoPutsBackTheCaretOfItsStep();
    void Windows1252PageKeepsEveryByteOutsideTheEdit();
    void PaneDecodesThePageWithTheCodecOfAllItsLines();
    void DocumentUndoKeysAreNotTheControls();
    void EditCommandsActOnThePanesSelection();
    void BadInputIsHandedToTheReaderWhole();
    void RandomEditsKeepTheBytesBehindEveryLine_data();
    void RandomEditsKeepTheBytesBehindEveryLine();
};

namespace {

CDocumentWindows g_windows;

// The pane's text as filled from lines: every line followed by a break.
QString FilledText(const CLines& lines)
{
    QString text;
    for (const std::string& line : lines)
        text += QString::fromLatin1(line.data(), qsizetype(line.size())) + QChar::ParagraphSeparator;
    return text;
}

}  // namespace

void CHtmlPaneTest::init()
{
    QVERIFY(g_windows.Open(kThreeAreaPage));
}

void CHtmlPaneTest::cleanup()
{
    g_windows.Close();
    AppSettings().m_bHasViewFont = false;
}

void CHtmlPaneTest::PaneShowsEveryLineEndedByABreakInTheViewFont()
{
    CStandInWindow& w = g_windows.Current();
    QCOMPARE(w.pane->document()->toRawText(), FilledText(kThreeAreaPage));
    QCOMPARE(w.pane->document()->blockCount(), int(kThreeAreaPage.size()) + 1);
    QCOMPARE(w.pane->viewport()->cursor().shape(), Qt::IBeamCursor);

    // A new view font (the Settings dialog's) shows on the next notification.
    QFont font("DejaVu Sans Mono", 15);
    AppSettings().m_viewFont = font;
    AppSettings().m_bHasViewFont = true;
    w.doc.UpdateAllViews(nullptr);
    QCOMPARE(w.pane->font(), font);
    QCOMPARE(w.doc.UndoStepCount(), 1);

    CMapDocument empty;
    CHtmlPane emptyPane(&empty);
    QVERIFY(emptyPane.document()->isEmpty());
    QCOMPARE(emptyPane.font(), font);
}

void CHtmlPaneTest::TypingInCoordsMovesTheAreaAsOneStepWithoutRefillingThePane()
{
    CStandInWindow& w = g_windows.Current();
    w.canvasView.m_updates.clear();
    const int position = w.PositionOf("10,10,50") + 4;  // after "10,1": the top becomes 150
    w.CaretAt(position);
    QTest::keyClick(w.pane, Qt::Key_5);

    QCOMPARE(w.doc.Lines()[3], std::string("<AREA SHAPE=RECT COORDS=\"10,150,50,50\" HREF=\"one.htm\">"));
    QCOMPARE(w.Rect().top, 50);
    QCOMPARE(w.Rect().bottom, 150);
    QCOMPARE(w.doc.UndoStepCount(), 2);
    QVERIFY(w.doc.IsModified());
    QCOMPARE(int(w.canvasView.m_updates.size()), 1);
    QCOMPARE(w.canvasView.m_updates[0].sender, static_cast<CView*>(w.pane));
    QVERIFY(w.canvasView.m_updates[0].notice.kind == EChangeKind::kTextTyped);

    // Not refilled: the caret stays after the typed character and the control can still undo it.
    QCOMPARE(w.pane->textCursor().position(), position + 1);
    QVERIFY(w.pane->OnUpdateEditUndoTyping().bEnabled);

    // A pasted selection is replaced and the caret ends after the pasted text, as one step.
    QTextCursor cursor = w.pane->textCursor();
    cursor.setPosition(w.PositionOf("one.htm"));
    cursor.setPosition(w.PositionOf("one.htm") + 3, QTextCursor::KeepAnchor);
    w.pane->setTextCursor(cursor);
    QApplication::clipboard()->setText("first");
    w.pane->OnEditPaste();
    QCOMPARE(w.Rect().m_strHref, std::string("first.htm"));
    QVERIFY(!w.pane->textCursor().hasSelection());
    QCOMPARE(w.doc.UndoStepCount(), 3);
}

void CHtmlPaneTest::TextTypedOnTheLastLineIsKeptAndDeletingAllLeavesNothing()
{
    CStandInWindow& w = g_windows.Current();
    w.CaretAt(w.pane->document()->characterCount() - 1);
    QTest::keyClicks(w.pane, "<!-- end -->");
    QCOMPARE(int(w.doc.Lines().size()), int(kThreeAreaPage.size()) + 1);
    QCOMPARE(w.doc.Lines().back(), std::string("<!-- end -->"));
    QCOMPARE(w.doc.SerializeStore().substr(w.doc.SerializeStore().size() - 14), std::string("<!-- end -->\r\n"));

    w.pane->selectAll();
    QTest::keyClick(w.pane, Qt::Key_Delete);
    QVERIFY(w.doc.Lines().empty());
    QVERIFY(Rects(w.doc).empty() && Circles(w.doc).empty() && Polys(w.doc).empty());
    QVERIFY(w.doc.IsModified());
    QVERIFY(w.form->Field(CAreaForm::kUrl)->text().isEmpty());
}

void CHtmlPaneTest::OtherChangesRefillThePaneAsAWholeRefillWould()
{
    CLines page = kThreeAreaPage;
    for (int i = 0; i < 300; ++i)
        page.insert(page.begin() + 1, "<p>" + std::string(200 + i, 'x') + "</p>");
    QVERIFY(g_windows.Open(page));
    CStandInWindow& w = g_windows.Current();
    w.Select(w.Rect());

    // The user has scrolled and typed somewhere in the pane.
    w.CaretAt(w.PositionOf("three.htm"));
    QTest::keyClick(w.pane, Qt::Key_T);
    w.pane->horizontalScrollBar()->setValue(300);
    w.pane->verticalScrollBar()->setValue(120);

    w.FocusEnd(w.Url());
    QTest::keyClick(w.Url(), Qt::Key_X);

    // The same pane filled at once from the document's lines.
    QPlainTextEdit whole;
    whole.setLineWrapMode(QPlainTextEdit::NoWrap);
    whole.setFont(w.pane->font());
    whole.resize(w.pane->size());
    whole.setPlainText(QString::fromLatin1(JoinLines(w.doc.Lines())).remove(u'\r'));
    whole.show();
    QVERIFY(QTest::qWaitForWindowExposed(&whole));
    QApplication::processEvents();

    QCOMPARE(w.pane->document()->toRawText(), whole.document()->toRawText());
    QVERIFY(w.pane->document()->toRawText().contains("HREF=\"one.htmx\""));
    QVERIFY(w.pane->document()->toRawText().contains("tthree.htm"));
    QCOMPARE(w.pane->textCursor().position(), 0);
    QVERIFY(!w.pane->textCursor().hasSelection());
    QCOMPARE(w.pane->verticalScrollBar()->value(), whole.verticalScrollBar()->value());
    QCOMPARE(w.pane->horizontalScrollBar()->value(), whole.horizontalScrollBar()->value());
    QCOMPARE(w.pane->verticalScrollBar()->maximum(), whole.verticalScrollBar()->maximum());
    QCOMPARE(w.pane->document()->isUndoAvailable(), whole.document()->isUndoAvailable());
    QCOMPARE(w.doc.UndoStepCount(), 3);
}

void CHtmlPaneTest::UndoPutsBackTheCaretOfItsStep()
{
    CStandInWindow& w = g_windows.Current();
    const int position = w.PositionOf("two.htm") + 3;
    w.CaretAt(position);
    QTest::keyClick(w.pane, Qt::Key_S);
    w.Select(w.Rect());
    w.FocusEnd(w.Url());
    QTest::keyClick(w.Url(), Qt::Key_Z);
    QCOMPARE(w.pane->textCursor().position(), 0);  // refilled for the form edit

    w.doc.OnEditUndo();
    QCOMPARE(w.Circle().m_strHref, std::string("twos.htm"));
    QCOMPARE(w.pane->textCursor().position(), position + 1);
    w.doc.OnEditUndo();
    QCOMPARE(w.pane->textCursor().position(), 0);
    QCOMPARE(w.pane->document()->toRawText(), FilledText(kThreeAreaPage));
}

void CHtmlPaneTest::Windows1252PageKeepsEveryByteOutsideTheEdit()
{
    // e acute, the euro sign's byte, an unassigned byte, a NUL and a carriage return inside a line.
    const std::string head = "<html>\r\n<!-- caf\xE9 \x80 \x9D -->\r\n";
    const std::string tail = "<IMG SRC=\"photo.gif\" USEMAP=\"#photo\">\r\n<MAP NAME=\"photo\">\r\n"
                             "<AREA SHAPE=RECT COORDS=\"1,2,3,4\" HREF=\"x\">\r\n</MAP>\r\n";
    const std::string bytes = head + std::string("a\0b\rc\r\n", 7) + tail;
    QVERIFY(g_windows.Open(SplitLines(bytes)));
    CStandInWindow& w = g_windows.Current();
    QCOMPARE(w.Block(1), QString::fromUtf16(u"<!-- caf\u00E9 \u20AC \u009D -->"));
    QCOMPARE(w.Block(2), QString::fromUtf16(u"a\u0000b\u240Dc", 5));

    // Typing after the carriage return, then a character Windows-1252 does not have: the pane
    // shows what it was written as, and typing goes on after it.
    w.CaretAt(w.BlockPosition(2) + 4);
    TypeText(w.pane, QString::fromUtf16(u"\u00E8\u6F22"));
    QCOMPARE(w.Block(2), QString::fromUtf16(u"a\u0000b\u240D\u00E8&#28450;c", 14));
    QTest::keyClick(w.pane, Qt::Key_Z);
    QCOMPARE(w.doc.SerializeStore(), head + std::string("a\0b\r\xE8&#28450;zc\r\n", 17) + tail);

    // The control's own undo takes back the typing and what it was written as.
    for (int i = 0; i < 10 && w.pane->OnUpdateEditUndoTyping().bEnabled; ++i)
        QTest::keyClick(w.pane, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(w.doc.SerializeStore(), bytes);

    // Text put in by a program call rather than the user is shown as written too.
    w.CaretAt(w.BlockPosition(1));
    w.pane->insertPlainText(QString::fromUtf16(u"\u2603"));
    QCOMPARE(w.Block(1), QString::fromUtf16(u"&#9731;<!-- caf\u00E9 \u20AC \u009D -->"));
    QCOMPARE(w.doc.Lines()[1], std::string("&#9731;<!-- caf\xE9 \x80 \x9D -->"));
    QCOMPARE(w.pane->textCursor().position(), w.BlockPosition(1) + 7);
    QTest::keyClick(w.pane, Qt::Key_Backspace);
    QCOMPARE(w.doc.Lines()[1], std::string("&#9731<!-- caf\xE9 \x80 \x9D -->"));
}

void CHtmlPaneTest::PaneDecodesThePageWithTheCodecOfAllItsLines()
{
    QVERIFY(g_windows.Open({"\xEF\xBB\xBF<html>", "<p>caf\xC3\xA9</p>", "<MAP NAME=\"photo\">",
                             "<AREA SHAPE=RECT COORDS=\"1,2,3,4\" HREF=\"x\">", "</MAP>"}));
    CStandInWindow& w = g_windows.Current();
    QCOMPARE(w.Block(1), QString::fromUtf16(u"<p>caf\u00E9</p>"));
    w.CaretAt(w.Block(0).size());
    QTest::keyClick(w.pane, Qt::Key_Space);
    QCOMPARE(w.doc.Lines()[0], std::string("\xEF\xBB\xBF<html> "));

    // An area that brings a byte that is not UTF-8 (pasted from a Windows-1252 page) turns the
    // whole page to Windows-1252; undoing it turns it back.
    CRectArea& area = w.Rect();
    area.m_strAlt = "caf\xE9";
    w.doc.AreaChanged(area, EEditSource::kCanvas, nullptr);
    QCOMPARE(w.Block(0), QString::fromUtf16(u"\u00EF\u00BB\u00BF<html> "));
    QCOMPARE(w.Block(1), QString::fromUtf16(u"<p>caf\u00C3\u00A9</p>"));
    QVERIFY(w.Block(3).endsWith(QString::fromUtf16(u"ALT=\"caf\u00E9\">")));
    w.doc.OnEditUndo();
    QCOMPARE(w.Block(1), QString::fromUtf16(u"<p>caf\u00E9</p>"));
    QCOMPARE(w.Block(0), QChar(0xFEFF) + QString("<html> "));
    QCOMPARE(w.pane->document()->blockCount(), 6);
}

void CHtmlPaneTest::DocumentUndoKeysAreNotTheControls()
{
    CStandInWindow& w = g_windows.Current();
    w.AddUndoCommand();

    w.CaretAt(w.PositionOf("one.htm"));
    QTest::keyClicks(w.pane, "ab");
    QCOMPARE(w.doc.UndoStepCount(), 3);
    QTest::keyClick(w.pane, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Rect().m_strHref, std::string("aone.htm"));
    QCOMPARE(w.doc.UndoStepCount(), 3);  // the document's undo, not a change of the text
    QTest::keyClick(w.pane, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w.doc.UndoStepCount(), 3);
    QVERIFY(!w.pane->OnUpdateEditUndoTyping().bEnabled);  // refilled by the undo

    // Alt+Backspace is the control's undo of the last typing, applied as any change of the text.
    QTest::keyClicks(w.pane, "q");
    QTest::keyClick(w.pane, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(w.Rect().m_strHref, std::string("aone.htm"));
    QCOMPARE(w.doc.UndoStepCount(), 4);
}

void CHtmlPaneTest::EditCommandsActOnThePanesSelection()
{
    CStandInWindow& w = g_windows.Current();
    QApplication::clipboard()->setText("text");
    w.CaretAt(w.PositionOf("two.htm"));
    QVERIFY(!w.pane->OnUpdateEditCopyCut().bEnabled);
    QVERIFY(w.pane->OnUpdateEditPaste().bEnabled);
    QTextCursor cursor = w.pane->textCursor();
    cursor.setPosition(cursor.position() + 3, QTextCursor::KeepAnchor);
    w.pane->setTextCursor(cursor);
    QVERIFY(w.pane->OnUpdateEditCopyCut().bEnabled);
    w.pane->OnEditCut();
    QCOMPARE(QApplication::clipboard()->text(), QString("two"));
    QCOMPARE(w.Circle().m_strHref, std::string(".htm"));
    QCOMPARE(w.doc.UndoStepCount(), 2);
    QApplication::clipboard()->clear();
    QVERIFY(!w.pane->OnUpdateEditPaste().bEnabled);
}

void CHtmlPaneTest::BadInputIsHandedToTheReaderWhole()
{
    CStandInWindow& w = g_windows.Current();
    const QString longLine = "<AREA SHAPE=POLY COORDS=\"" + QString("1,").repeated(50000) + "\">";
    const QString pasted = QString("<AREA SHAPE=RECT COORDS=\"99999999999999999999,-5,1e308,\n") +
                           "<AREA SHAPE=CIRCLE COORDS=\"1,2\" HREF=\"a" + QChar(0) + "b\n" +
                           "<AREA SHAPE=\"\" <<<>>> COORDS=\n" + longLine + "\n";
    w.CaretAt(w.BlockPosition(6));  // before "</MAP>"
    QApplication::clipboard()->setText(pasted);
    w.pane->OnEditPaste();
    QCOMPARE(int(w.doc.Lines().size()), int(kThreeAreaPage.size()) + 4);
    QCOMPARE(w.doc.Lines()[6], std::string("<AREA SHAPE=RECT COORDS=\"99999999999999999999,-5,1e308,"));
    const char withNul[] = "<AREA SHAPE=CIRCLE COORDS=\"1,2\" HREF=\"a\0b";
    QCOMPARE(w.doc.Lines()[7], std::string(withNul, sizeof withNul - 1));
    QCOMPARE(w.doc.Lines()[9], longLine.toStdString());
    QCOMPARE(w.doc.Lines()[10], std::string("</MAP>"));

    // Typing into the long line stays in step with the text.
    w.CaretAt(w.BlockPosition(9) + 25);
    QTest::keyClick(w.pane, Qt::Key_7);
    QCOMPARE(w.doc.Lines()[9].substr(0, 28), std::string("<AREA SHAPE=POLY COORDS=\"71,"));
    QCOMPARE(w.doc.Lines()[9].size(), longLine.size() + 1);
}

void CHtmlPaneTest::RandomEditsKeepTheBytesBehindEveryLine_data()
{
    QTest::addColumn<QByteArray>("untouched");
    QTest::addColumn<int>("codec");
    QTest::newRow("Windows-1252") << QByteArray("<!-- untouched \x93quoted\x94 -->") << int(ETextCodec::Windows1252);
    QTest::newRow("UTF-8") << QByteArray("<!-- untouched \xE2\x80\x9Cquoted\xF0\x9F\x98\x80 -->") << int(ETextCodec::Utf8);
}

void CHtmlPaneTest::RandomEditsKeepTheBytesBehindEveryLine()
{
    // A page with a carriage return inside a line; seeded random typing, deleting, line breaks,
    // pastes and the control's own undo. After each the document's lines, shown afresh, must be
    // exactly the control's text, an untouched line keeps its bytes, and the areas (read again
    // only where the keystroke's lines touched) are what reading the whole map gives.
    QFETCH(QByteArray, untouched);
    QFETCH(int, codec);
    CLines page = kThreeAreaPage;
    page.insert(page.begin() + 1, "<!-- cafe\rstill here -->");
    page.push_back(untouched.toStdString());
    QVERIFY(g_windows.Open(page));
    CStandInWindow& w = g_windows.Current();
    std::mt19937 random(42);
    const QStringList pieces = {"a", QString::fromUtf16(u"\u00E9"), QString::fromUtf16(u"\u20AC"),
                                QString::fromUtf16(u"\u6F22"), QString::fromUtf16(u"\U0001F600"), " HREF=", "<AREA", "\"", ">"};
    for (int round = 0; round < 300; ++round) {
        // Anywhere before the end of the line above the last page line, which stays untouched.
        if (w.pane->document()->blockCount() == 2) {  // all above was deleted: start a line above again
            w.CaretAt(0);
            QTest::keyClick(w.pane, Qt::Key_Return);
        }
        const int lastLine = w.pane->document()->blockCount() - 2;
        const int limit = std::max(0, w.pane->document()->findBlockByNumber(lastLine).position() - 2);
        // A caret the user can place: never between the halves of a surrogate pair.
        const QString text = w.pane->document()->toRawText();
        const auto place = [&](int position) { return position - int(position > 0 && text[position - 1].isHighSurrogate()); };
        w.CaretAt(place(int(random() % (limit + 1))));
        switch (random() % 7) {
        case 0: TypeText(w.pane, pieces[int(random() % pieces.size())]); break;
        case 1: QTest::keyClick(w.pane, Qt::Key_Return); break;
        case 2: QTest::keyClick(w.pane, Qt::Key_Backspace); break;
        case 3: {
            QTextCursor cursor = w.pane->textCursor();
            cursor.setPosition(place(std::min(cursor.position() + int(random() % 40), limit)), QTextCursor::KeepAnchor);
            w.pane->setTextCursor(cursor);
            QTest::keyClick(w.pane, Qt::Key_Delete);
            break;
        }
        case 4:
            QApplication::clipboard()->setText("x\r\ny\rz" + pieces[int(random() % pieces.size())]);
            w.pane->OnEditPaste();
            break;
        case 5: QTest::keyClick(w.pane, Qt::Key_Backspace, Qt::AltModifier); break;
        default:
            // A form edit among the typing: the pane takes only the lines the edit names.
            if (w.doc.AreaCount() > 0) {
                w.doc.SelectArea(*w.doc.Areas().front());
                w.doc.UpdateAllViews(nullptr);
                CStandInWindow::FocusEnd(w.Url());
                TypeText(w.Url(), pieces[int(random() % pieces.size())]);
            }
            break;
        }
        CTextPaneLines shown;
        shown.Take(w.doc.Lines());
        QCOMPARE(shown.BlockCount(), w.pane->document()->blockCount());
        for (int block = 0; block < shown.BlockCount(); ++block)
            QCOMPARE(shown.DisplayBlock(block), w.Block(block));
        QCOMPARE(w.doc.Lines().back(), page.back());
        CAreaList whole;
        ParseMap(w.doc.Lines(), w.doc.Page().strMapName, w.doc.Picture().Width(), w.doc.Picture().Height(),
                 w.doc.GetSelectedIndex(), whole);
        QCOMPARE(testing::Describe(w.doc), testing::Describe(whole));
    }
    QCOMPARE(int(DetectCodec(w.doc.Lines())), codec);
}

QTEST_MAIN(CHtmlPaneTest)
#include "htmlpane_test.moc"
