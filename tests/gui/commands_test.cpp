#include "gui/shellfixture.h"
#include "support/areachecks.h"
#include "document/areaclipboard.h"
#include "html/maplines.h"
#include "html/mapreader.h"
#include "shell/commandids.h"
#include "shell/doctablist.h"
#include "views/canvasview.h"
#include "views/areaform.h"
#include "views/htmlpane.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

using namespace mapwright;

class CCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void CopyMapPutsTheWholePageOnTheClipboardAndLeavesTheCaret();
    void DeleteAreaRemovesTheAreaOnTheCanvasAndCutsTextInAField();
    void AreasPasteOnlyFromTheAreaClipboardAndClampIntoASmallerPicture();
    void TextPastesGoThroughTheSystemClipboard();
    void UndoAfterASaveShowsTheDocumentUnmodified();
    void AltBackspaceUndoesTypingInThePaneAndNothingInTheForm();
    void CloseAsksAboutAModifiedDocumentAndCancelKeepsIt();
    void SaveAllSavesTheModifiedInWindowOrderAndNamesTheUnnamed();
    void HugeAndBinaryPastesNeitherCrashNorLoseThePage();
    void AFailedSaveAsSaysWhyAndKeepsThePageModified();
    void ClosingADocumentInTheMiddleOfADragLeavesTheOthersWorking();
    void CommandsAndFormEditsDuringADrawingKeepAreasAndTextInStep();
    void ClosingABackgroundTabLeavesTheFrontWindowsTitleAndCommands();

private:
    // A page called name over a width x height picture whose map "pic" holds areaTags.
    QString WriteMapPage(const std::string& name, const std::string& picture, int width, int height,
                         const std::string& areaTags);
    // A page over a 64 x 48 picture with one rectangle, 2,2,30,30, linked to "a.htm".
    QString RectPage(const std::string& name)
    {
        return WriteMapPage(name, "pic.png", 64, 48, "<AREA SHAPE=RECT COORDS=\"2,2,30,30\" HREF=\"a.htm\">\r\n");
    }
    // Opens paths, shows the main window active and returns the documents' windows.
    std::vector<CDocumentWindow*> OpenActive(const QStringList& paths);
    // Clicks the canvas of frame at a picture point, at scale 1 and unscrolled.
    static void ClickCanvas(CDocumentWindow* frame, QPoint point);

    std::unique_ptr<CShellFixture> m_fixture;
};

void CCommandsTest::init()
{
    m_fixture = std::make_unique<CShellFixture>();
    QVERIFY(m_fixture->folder.ok());
    QApplication::clipboard()->clear();
    CAreaClipboard::Instance().Clear();
}

void CCommandsTest::cleanup()
{
    m_fixture.reset();
}

QString CCommandsTest::WriteMapPage(const std::string& name, const std::string& picture, int width, int height,
                                    const std::string& areaTags)
{
    m_fixture->WritePicture(picture, width, height);
    const std::string page = "<html><body>\r\n<IMG SRC=\"" + picture + "\" USEMAP=\"#pic\">\r\n<MAP NAME=\"pic\">\r\n" +
                             areaTags + "</MAP>\r\n</body></html>\r\n";
    picturewriter::WriteBytes(m_fixture->folder.File(name), reinterpret_cast<const std::uint8_t*>(page.data()),
                              page.size());
    return m_fixture->Path(name);
}

std::vector<CDocumentWindow*> CCommandsTest::OpenActive(const QStringList& paths)
{
    CShellFixture& f = *m_fixture;
    f.Start();
    f.Frame().resize(1000, 750);
    f.Frame().OnDropFiles(paths);
    f.Frame().activateWindow();
    if (!QTest::qWaitForWindowActive(&f.Frame()))
        qWarning("the main window did not become active");
    return f.Frames();
}

void CCommandsTest::ClickCanvas(CDocumentWindow* frame, QPoint point)
{
    QTest::mouseClick(frame->Canvas()->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void CCommandsTest::CopyMapPutsTheWholePageOnTheClipboardAndLeavesTheCaret()
{
    CShellFixture& f = *m_fixture;
    CDocumentWindow* frame = OpenActive({RectPage("page.htm")}).at(0);
    CHtmlPane* pane = frame->TextPane();
    pane->setFocus();
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(20);
    cursor.setPosition(31, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);

    f.Run(ID_COPY_MAP);

    const CMapDocument& document = *frame->GetActiveDocument();
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(JoinLines(document.Lines())));
    QVERIFY(QApplication::clipboard()->text().startsWith("<html><body>\r\n<IMG"));
    QVERIFY(QApplication::clipboard()->text().endsWith("</body></html>\r\n"));
    QCOMPARE(pane->textCursor().anchor(), 20);
    QCOMPARE(pane->textCursor().position(), 31);
    QVERIFY(!document.IsModified());
}

void CCommandsTest::DeleteAreaRemovesTheAreaOnTheCanvasAndCutsTextInAField()
{
    CShellFixture& f = *m_fixture;
    const QString path = WriteMapPage("four.htm", "pic.png", 64, 48,
                                      "<AREA SHAPE=RECT COORDS=\"2,2,12,12\" HREF=\"one.htm\">\r\n"
                                      "<AREA SHAPE=RECT COORDS=\"20,20,40,40\" HREF=\"two.htm\">\r\n"
                                      "<AREA SHAPE=CIRCLE COORDS=\"52,10,4\" HREF=\"three.htm\">\r\n"
                                      "<AREA SHAPE=RECT COORDS=\"44,30,60,44\" HREF=\"four.htm\">\r\n");
    CDocumentWindow* frame = OpenActive({path}).at(0);
    CMapDocument& document = *frame->GetActiveDocument();
    frame->Canvas()->setFocus();

    // Nothing selected: nothing to delete or copy.
    f.Run(ID_TOOL_SELECT);
    QCoreApplication::processEvents();
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_CLEAR)->isEnabled());
    QVERIFY(!f.Frame().Command(ID_EDIT_COPY)->isEnabled());

    ClickCanvas(frame, QPoint(30, 30));
    QCOMPARE(document.GetSelectedIndex(), 2);
    f.Run(ID_EDIT_CLEAR);
    QCOMPARE(document.AreaCount(), 3);
    QCOMPARE(document.GetSelectedIndex(), 0);
    QCOMPARE(Circles(document).at(0)->m_nIndex, 2);
    QCOMPARE(Rects(document).at(1)->m_nIndex, 3);
    QCOMPARE(Rects(document).at(1)->m_strHref, std::string("four.htm"));
    QVERIFY(document.IsModified());
    QVERIFY(frame->isWindowModified());
    QVERIFY(!frame->TextPane()->toPlainText().contains("two.htm"));

    // The same command with the focus in the link field cuts the field's selected text.
    ClickCanvas(frame, QPoint(7, 7));
    QLineEdit* url = frame->Form()->Field(CAreaForm::kUrl);
    url->setFocus();
    url->setSelection(0, 3);
    f.Run(ID_EDIT_CLEAR);
    QCOMPARE(url->text(), QString(".htm"));
    QCOMPARE(QApplication::clipboard()->text(), QString("one"));
    QCOMPARE(document.AreaCount(), 3);
    QCOMPARE(Rects(document).at(0)->m_strHref, std::string(".htm"));

    // An empty selection in the field leaves nothing to cut.
    url->deselect();
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_CLEAR)->isEnabled());
}

void CCommandsTest::AreasPasteOnlyFromTheAreaClipboardAndClampIntoASmallerPicture()
{
    CShellFixture& f = *m_fixture;
    const QString big = WriteMapPage("big.htm", "big.png", 200, 150,
                                     "<AREA SHAPE=RECT COORDS=\"10,10,150,100\" HREF=\"wide.htm\">\r\n");
    const QString small = WriteMapPage("small.htm", "small.png", 64, 48, "");
    const std::vector<CDocumentWindow*> frames = OpenActive({big, small});
    QCOMPARE(frames.size(), std::size_t(2));
    CMapDocument& bigDocument = *frames[0]->GetActiveDocument();
    CMapDocument& smallDocument = *frames[1]->GetActiveDocument();

    // Text on the system clipboard does not make an area paste possible.
    QApplication::clipboard()->setText("<AREA SHAPE=RECT COORDS=\"1,1,2,2\">");
    f.Frame().ActivateFrame(frames[1]);
    frames[1]->Canvas()->setFocus();
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_PASTE)->isEnabled());

    f.Frame().ActivateFrame(frames[0]);
    frames[0]->Canvas()->setFocus();
    ClickCanvas(frames[0], QPoint(50, 50));
    f.Run(ID_EDIT_COPY);
    QVERIFY(!bigDocument.IsModified());

    // The area clipboard is shared: the other document pastes it, clamped into its picture.
    f.Frame().ActivateFrame(frames[1]);
    frames[1]->Canvas()->setFocus();
    f.Run(ID_EDIT_PASTE);
    f.Run(ID_EDIT_PASTE);
    QCOMPARE(Rects(smallDocument).size(), std::size_t(2));
    for (const auto& area : Rects(smallDocument)) {
        QCOMPARE(area->left, 0);
        QCOMPARE(area->right, 63);
        QCOMPARE(area->top, 0);
        QCOMPARE(area->bottom, 47);
        QCOMPARE(area->m_strHref, std::string("wide.htm"));
    }
    QCOMPARE(Rects(smallDocument)[0]->m_nIndex, 1);
    QCOMPARE(Rects(smallDocument)[1]->m_nIndex, 2);
    QCOMPARE(smallDocument.GetSelectedIndex(), 2);
    QVERIFY(smallDocument.IsModified());
    QVERIFY(frames[1]->TextPane()->toPlainText().contains("COORDS=\"0,0,63,47\""));
    QCOMPARE(Rects(bigDocument).size(), std::size_t(1));

    // Undo takes one paste back at a time.
    f.Run(ID_EDIT_UNDO);
    QCOMPARE(Rects(smallDocument).size(), std::size_t(1));
    f.Run(ID_EDIT_UNDO);
    QVERIFY(Rects(smallDocument).empty());
    QVERIFY(!smallDocument.IsModified());

    // A copy with nothing selected empties the area clipboard again.
    ClickCanvas(frames[1], QPoint(60, 45));
    QCOMPARE(smallDocument.GetSelectedIndex(), 0);
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_COPY)->isEnabled());
    CAreaClipboard::Instance().CopyArea(smallDocument);
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_PASTE)->isEnabled());
}

void CCommandsTest::TextPastesGoThroughTheSystemClipboard()
{
    CShellFixture& f = *m_fixture;
    CDocumentWindow* frame = OpenActive({RectPage("page.htm")}).at(0);
    CMapDocument& document = *frame->GetActiveDocument();
    frame->Canvas()->setFocus();
    ClickCanvas(frame, QPoint(16, 16));
    f.Run(ID_EDIT_COPY);

    // With an area on the area clipboard, a field still pastes the system clipboard's text.
    QApplication::clipboard()->setText("pasted.htm");
    QLineEdit* url = frame->Form()->Field(CAreaForm::kUrl);
    url->setFocus();
    url->selectAll();
    f.Run(ID_EDIT_PASTE);
    QCOMPARE(Rects(document).size(), std::size_t(1));
    QCOMPARE(Rects(document)[0]->m_strHref, std::string("pasted.htm"));
    QVERIFY(frame->TextPane()->toPlainText().contains("HREF=\"pasted.htm\""));

    // And the text pane pastes text that becomes a new area of the map.
    CHtmlPane* pane = frame->TextPane();
    pane->setFocus();
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(pane->document()->findBlockByNumber(4).position());
    pane->setTextCursor(cursor);
    QApplication::clipboard()->setText("<AREA SHAPE=CIRCLE COORDS=\"20,20,5\" HREF=\"c.htm\">\n");
    f.Run(ID_EDIT_PASTE);
    QCOMPARE(Circles(document).size(), std::size_t(1));
    QCOMPARE(Circles(document)[0]->m_strHref, std::string("c.htm"));
    QCOMPARE(document.Lines().at(4), std::string("<AREA SHAPE=CIRCLE COORDS=\"20,20,5\" HREF=\"c.htm\">"));

    // Without text on the clipboard a text control has nothing to paste.
    QApplication::clipboard()->clear();
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_PASTE)->isEnabled());
}

void CCommandsTest::UndoAfterASaveShowsTheDocumentUnmodified()
{
    CShellFixture& f = *m_fixture;
    CDocumentWindow* frame = OpenActive({RectPage("page.htm")}).at(0);
    CMapDocument& document = *frame->GetActiveDocument();
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_UNDO)->isEnabled());
    QVERIFY(!f.Frame().Command(ID_EDIT_REDO)->isEnabled());

    CShellFixture::Modify(document);
    f.Run(ID_FILE_SAVE);
    QVERIFY(!document.IsModified());
    QVERIFY(!frame->isWindowModified());

    frame->Canvas()->setFocus();
    ClickCanvas(frame, QPoint(16, 16));
    f.Run(ID_EDIT_CLEAR);
    QVERIFY(document.IsModified());
    QVERIFY(frame->isWindowModified());

    f.Run(ID_EDIT_UNDO);
    QVERIFY(!document.IsModified());
    QVERIFY(!frame->isWindowModified());
    QCOMPARE(Rects(document).size(), std::size_t(1));
    f.Frame().UpdateActions();
    QVERIFY(f.Frame().Command(ID_EDIT_REDO)->isEnabled());

    f.Run(ID_EDIT_UNDO);
    f.Run(ID_EDIT_REDO);
    f.Run(ID_EDIT_REDO);
    QVERIFY(document.IsModified());
    QVERIFY(Rects(document).empty());
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_REDO)->isEnabled());
}

void CCommandsTest::AltBackspaceUndoesTypingInThePaneAndNothingInTheForm()
{
    CShellFixture& f = *m_fixture;
    CDocumentWindow* frame = OpenActive({RectPage("page.htm")}).at(0);
    CMapDocument& document = *frame->GetActiveDocument();
    QCOMPARE(f.Frame().Command(ID_EDIT_UNDO_TYPING)->shortcut(), QKeySequence("Alt+Backspace"));

    CHtmlPane* pane = frame->TextPane();
    pane->setFocus();
    pane->moveCursor(QTextCursor::End);
    QTest::keyClicks(pane, "<!-- x -->");
    QVERIFY(document.Lines().back() == "<!-- x -->");
    f.Run(ID_EDIT_UNDO_TYPING);
    QVERIFY(!pane->toPlainText().contains("<!-- x -->"));
    QCOMPARE(pane->toPlainText(), QString::fromStdString(JoinLines(document.Lines())).replace("\r\n", "\n"));

    // With the form active the command changes nothing.
    frame->Canvas()->setFocus();
    ClickCanvas(frame, QPoint(16, 16));
    frame->Form()->Field(CAreaForm::kUrl)->setFocus();
    QCOMPARE(frame->ActiveView(), static_cast<QWidget*>(frame->Form()));
    const CLines before = document.Lines();
    const int steps = document.UndoStepCount();
    f.Run(ID_EDIT_UNDO_TYPING);
    QCOMPARE(document.Lines(), before);
    QCOMPARE(document.UndoStepCount(), steps);
}

void CCommandsTest::CloseAsksAboutAModifiedDocumentAndCancelKeepsIt()
{
    CShellFixture& f = *m_fixture;
    const std::vector<CDocumentWindow*> frames =
        OpenActive({f.WritePage("one.htm"), f.WritePage("two.htm", "two.png")});
    CMapDocument& second = *frames[1]->GetActiveDocument();
    CShellFixture::Modify(second);

    f.files.m_saveAnswers.push_back(CFilePrompt::ESaveAnswer::kCancel);
    f.Run(ID_FILE_CLOSE);
    QCOMPARE(f.files.m_saveQuestions, QStringList({f.Path("two.htm")}));
    QCOMPARE(f.LiveWindowCount(), 2);
    QVERIFY(second.IsModified());

    f.files.m_saveAnswers.push_back(CFilePrompt::ESaveAnswer::kNo);
    f.Run(ID_FILE_CLOSE);
    QCOMPARE(f.LiveWindowCount(), 1);
    QCOMPARE(f.Manager().Documents().size(), std::size_t(1));
    QCOMPARE(CShellFixture::Title(*f.Frame().ActiveDocument()), QString("one.htm"));

    // An unmodified document closes without a question.
    f.Run(ID_FILE_CLOSE);
    QCOMPARE(f.LiveWindowCount(), 0);
    QCOMPARE(f.files.m_saveQuestions.size(), 2);
    QCOMPARE(f.files.m_nUnscripted, 0);
}

void CCommandsTest::SaveAllSavesTheModifiedInWindowOrderAndNamesTheUnnamed()
{
    CShellFixture& f = *m_fixture;
    const QString picture = f.WritePicture("new.png");
    const std::vector<CDocumentWindow*> frames =
        OpenActive({f.WritePage("one.htm"), picture, f.WritePage("three.htm", "three.png"), picture});
    QCOMPARE(frames.size(), std::size_t(4));
    std::vector<CMapDocument*> documents;
    for (CDocumentWindow* frame : frames)
        documents.push_back(frame->GetActiveDocument());
    const QDateTime oneTime = QFileInfo(f.Path("one.htm")).lastModified();
    CShellFixture::Modify(*documents[3]);
    CShellFixture::Modify(*documents[2]);
    CShellFixture::Modify(*documents[1]);

    const std::string unnamed = documents[1]->GetTitle();
    f.files.m_savePaths = {f.Path("first.htm"), f.Path("second.htm")};
    f.Run(ID_SAVE_ALL);

    // Asked in the order of the windows, not of the edits; the unmodified page is left alone.
    QCOMPARE(f.files.m_saveDialogPaths.size(), 2);
    QCOMPARE(f.files.m_saveDialogPaths[0], f.Path(unnamed + ".htm"));
    QCOMPARE(QString::fromStdString(documents[1]->GetPathName()), f.Path("first.htm"));
    QCOMPARE(QString::fromStdString(documents[3]->GetPathName()), f.Path("second.htm"));
    for (CMapDocument* document : documents)
        QVERIFY(!document->IsModified());
    for (CDocumentWindow* frame : frames)
        QVERIFY(!frame->isWindowModified());
    QCOMPARE(QFileInfo(f.Path("one.htm")).lastModified(), oneTime);
    QFile three(f.Path("three.htm"));
    QVERIFY(three.open(QIODevice::ReadOnly));
    QVERIFY(three.readAll().endsWith("<!-- edited -->\r\n"));
    QVERIFY(QFile::exists(f.Path("second.htm")));

    // After the save an undo step remembers it: an edit and its undo leave the page unmodified.
    CShellFixture::Modify(*documents[2]);
    documents[2]->OnEditUndo();
    QVERIFY(!documents[2]->IsModified());
}

void CCommandsTest::HugeAndBinaryPastesNeitherCrashNorLoseThePage()
{
    CShellFixture& f = *m_fixture;
    CDocumentWindow* frame = OpenActive({RectPage("page.htm")}).at(0);
    CMapDocument& document = *frame->GetActiveDocument();

    // A megabyte of text in the pane: every line kept, the map still parsed.
    QString huge;
    for (int i = 0; huge.size() < 1 << 20; ++i)
        huge += QString("<!-- line %1 of filler text for the pane -->\n").arg(i);
    CHtmlPane* pane = frame->TextPane();
    pane->setFocus();
    pane->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(huge);
    f.Run(ID_EDIT_PASTE);
    QVERIFY(document.Lines().size() > 20000);
    QCOMPARE(Rects(document).size(), std::size_t(1));
    QCOMPARE(pane->toPlainText(), QString::fromStdString(JoinLines(document.Lines())).replace("\r\n", "\n"));
    f.Run(ID_EDIT_UNDO);
    QCOMPARE(document.Lines().size(), std::size_t(6));
    QVERIFY(!document.IsModified());

    // A megabyte in a field is one long link, written into the tag.
    ClickCanvas(frame, QPoint(16, 16));
    QLineEdit* url = frame->Form()->Field(CAreaForm::kUrl);
    url->setFocus();
    url->selectAll();
    QApplication::clipboard()->setText(QString(1 << 20, QChar('x')));
    f.Run(ID_EDIT_PASTE);
    QCOMPARE(Rects(document).at(0)->m_strHref.size(), std::size_t(url->text().size()));
    QVERIFY(document.Lines().at(3).find(Rects(document)[0]->m_strHref) != std::string::npos);

    // Binary data with control characters and a NUL, as plain text and as a foreign type.
    auto* binary = new QMimeData;
    binary->setData("application/octet-stream", QByteArray("\x00\x01\xff\xfe", 4));
    binary->setText(QString::fromLatin1(QByteArray("A\x00\x01\x1b\x7f\xff\r\rB", 9)));
    QApplication::clipboard()->setMimeData(binary);
    pane->setFocus();
    pane->moveCursor(QTextCursor::End);
    f.Run(ID_EDIT_PASTE);
    QCOMPARE(Rects(document).size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(JoinLines(document.Lines())).replace("\r\n", "\n").size() > 0, true);
    url->setFocus();
    f.Run(ID_EDIT_PASTE);
    QCOMPARE(Rects(document).size(), std::size_t(1));

    auto* foreign = new QMimeData;
    foreign->setData("image/png", QByteArray("\x89PNG\r\n", 6));
    QApplication::clipboard()->setMimeData(foreign);
    f.Frame().UpdateActions();
    QVERIFY(!f.Frame().Command(ID_EDIT_PASTE)->isEnabled());

    // Whatever came in, the page saves and opens again with the same map.
    f.Run(ID_FILE_SAVE);
    QVERIFY(!document.IsModified());
    QVERIFY(f.prompt.m_messages.empty());
    CMapDocument reopened;
    QVERIFY(reopened.OnOpenDocument(f.folder.File("page.htm")));
    QCOMPARE(reopened.Lines(), document.Lines());
}

void CCommandsTest::AFailedSaveAsSaysWhyAndKeepsThePageModified()
{
    CShellFixture& f = *m_fixture;
    CDocumentWindow* frame = OpenActive({RectPage("page.htm")}).at(0);
    CMapDocument& document = *frame->GetActiveDocument();
    CShellFixture::Modify(document);
    const CLines edited = document.Lines();

    // Into a folder that does not exist: the image copy is declined, the save fails and says so.
    const QString missing = f.Path("missing/page.htm");
    f.files.m_savePaths.push_back(missing);
    f.prompt.AnswerNo();
    f.Run(ID_FILE_SAVE_AS);
    QCOMPARE(f.prompt.m_messages.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(f.prompt.m_messages[0].text).startsWith("Cannot save " + missing + ":\n"));
    QVERIFY(QString::fromStdString(f.prompt.m_messages[0].text).endsWith("The file on disk was not changed."));
    QVERIFY(document.IsModified());
    QVERIFY(frame->isWindowModified());
    QCOMPARE(QString::fromStdString(document.GetPathName()), f.Path("page.htm"));
    QCOMPARE(document.Lines(), edited);

    // Onto a path whose folder is a file.
    const QString underFile = f.Path("page.htm/inner.htm");
    f.files.m_savePaths.push_back(underFile);
    f.prompt.AnswerNo();
    f.Run(ID_FILE_SAVE_AS);
    QCOMPARE(f.prompt.m_messages.size(), std::size_t(2));
    QVERIFY(QString::fromStdString(f.prompt.m_messages[1].text).startsWith("Cannot save " + underFile));
    QVERIFY(document.IsModified());

    // Onto a read-only file (only meaningful where permissions bind the test's user).
    const QString locked = f.WritePage("locked.htm");
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QFile lockedFile(locked);
    if (!lockedFile.open(QIODevice::WriteOnly | QIODevice::Append)) {
        const QByteArray before = [&] {
            QFile file(locked);
            file.open(QIODevice::ReadOnly);
            return file.readAll();
        }();
        f.files.m_savePaths.push_back(locked);
        f.Run(ID_FILE_SAVE_AS);
        QCOMPARE(f.prompt.m_messages.size(), std::size_t(3));
        QVERIFY(QString::fromStdString(f.prompt.m_messages[2].text).startsWith("Cannot save " + locked));
        QVERIFY(document.IsModified());
        QFile file(locked);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
    lockedFile.close();

    // The page is still whole: a good Save As writes it.
    f.files.m_savePaths.push_back(f.Path("good.htm"));
    f.Run(ID_FILE_SAVE_AS);
    QVERIFY(!document.IsModified());
    QFile good(f.Path("good.htm"));
    QVERIFY(good.open(QIODevice::ReadOnly));
    QCOMPARE(good.readAll().toStdString(), JoinLines(edited));
}

void CCommandsTest::ClosingADocumentInTheMiddleOfADragLeavesTheOthersWorking()
{
    CShellFixture& f = *m_fixture;
    const std::vector<CDocumentWindow*> frames =
        OpenActive({f.WritePage("one.htm"), f.WritePage("two.htm", "two.png")});
    CMapDocument& first = *frames[0]->GetActiveDocument();
    f.Frame().ActivateFrame(frames[1]);

    // A rectangle being drawn past the window's edge, the automatic scrolling running.
    f.Run(ID_TOOL_RECT);
    QPointer<QWidget> canvas = frames[1]->Canvas()->viewport();
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseMove(canvas, QPoint(30, 30));
    QTest::mouseMove(canvas, QPoint(canvas->width() + 40, canvas->height() + 40));
    f.Run(ID_FILE_CLOSE);
    QCOMPARE(f.LiveWindowCount(), 1);
    QVERIFY(canvas.isNull());
    QTest::qWait(250);  // past two ticks of the scrolling timer

    // The other document draws, pastes and undoes as before.
    QCOMPARE(f.Frame().ActiveDocument(), &first);
    frames[0]->Canvas()->setFocus();
    f.Run(ID_TOOL_RECT);
    QWidget* other = frames[0]->Canvas()->viewport();
    QTest::mousePress(other, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseMove(other, QPoint(30, 25));
    QTest::mouseRelease(other, Qt::LeftButton, Qt::NoModifier, QPoint(30, 25));
    QCOMPARE(Rects(first).size(), std::size_t(2));
    f.Run(ID_EDIT_UNDO);
    QCOMPARE(Rects(first).size(), std::size_t(1));
    QVERIFY(f.prompt.m_messages.empty());
}

void CCommandsTest::CommandsAndFormEditsDuringADrawingKeepAreasAndTextInStep()
{
    CShellFixture& f = *m_fixture;
    CDocumentWindow* frame = OpenActive({RectPage("page.htm")}).at(0);
    CMapDocument& document = *frame->GetActiveDocument();
    QWidget* canvas = frame->Canvas()->viewport();
    QLineEdit* url = frame->Form()->Field(CAreaForm::kUrl);

    // A circle being drawn is the selected area; the form shows it while the button is down.
    f.Run(ID_TOOL_CIRCLE);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(45, 30));
    f.Run(ID_FILE_SAVE);
    url->setFocus();
    QApplication::clipboard()->setText("x");
    f.Frame().OnCommand(ID_EDIT_PASTE);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(50, 40));
    QCoreApplication::processEvents();

    CAreaList parsed;
    ParseMap(document.Lines(), document.Page().strMapName, document.Picture().Width(), document.Picture().Height(), parsed);
    QCOMPARE(document.AreaCount(), parsed.AreaCount());
    QCOMPARE(Circles(document).size(), Circles(parsed).size());
    QCOMPARE(frame->TextPane()->toPlainText(), QString::fromStdString(JoinLines(document.Lines())).replace("\r\n", "\n"));

    // While a new area has no tag yet, the area commands wait for the release.
    frame->Canvas()->setFocus();
    f.Run(ID_TOOL_SELECT);
    ClickCanvas(frame, QPoint(16, 16));
    f.Run(ID_EDIT_COPY);
    f.Run(ID_TOOL_RECT);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(35, 35));
    QTest::mouseMove(canvas, QPoint(45, 44));
    f.Frame().UpdateActions();
    for (const int id : {ID_EDIT_CLEAR, ID_EDIT_COPY, ID_EDIT_PASTE}) {
        QVERIFY2(!f.Frame().Command(id)->isEnabled(), qPrintable(QString::number(id)));
        frame->Canvas()->DeleteArea();
        frame->Canvas()->PasteArea();
    }
    QTest::keyClick(frame->Canvas(), Qt::Key_Delete);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(45, 44));
    CAreaList reread;
    ParseMap(document.Lines(), document.Page().strMapName, document.Picture().Width(), document.Picture().Height(), reread);
    QCOMPARE(document.AreaCount(), reread.AreaCount());
    QCOMPARE(Rects(document).size(), Rects(reread).size());
    QCOMPARE(Rects(document).back()->right, 45);
    QVERIFY(f.Frame().Command(ID_EDIT_CLEAR)->isEnabled() || (f.Frame().UpdateActions(), f.Frame().Command(ID_EDIT_CLEAR)->isEnabled()));
}

void CCommandsTest::ClosingABackgroundTabLeavesTheFrontWindowsTitleAndCommands()
{
    CShellFixture& f = *m_fixture;
    const std::vector<CDocumentWindow*> frames = OpenActive({RectPage("first.htm"), RectPage("second.htm")});
    QCOMPARE(frames.size(), std::size_t(2));
    CMapDocument& first = *frames[0]->GetActiveDocument();
    CMapDocument& second = *frames[1]->GetActiveDocument();
    CShellFixture::Modify(first);
    CShellFixture::Modify(second);
    f.Frame().ActivateFrame(frames[1]);
    frames[1]->Canvas()->setFocus();
    ClickCanvas(frames[1], QPoint(10, 10));
    f.Frame().UpdateActions();
    QVERIFY(f.Frame().Command(ID_EDIT_COPY)->isEnabled());
    const QString title = f.Frame().windowTitle();
    QVERIFY(f.Frame().isWindowModified());

    // Close from the first one's tab menu, not saving it.
    f.files.m_saveAnswers.push_back(CFilePrompt::ESaveAnswer::kNo);
    emit f.Frame().TabList()->TabCommand(ID_FILE_CLOSE, frames[0], &first);
    QCOMPARE(f.LiveWindowCount(), 1);
    QTest::qWait(10);
    QCOMPARE(f.Frame().ActiveDocument(), &second);
    QCOMPARE(f.Frame().windowTitle(), title);
    QVERIFY(f.Frame().isWindowModified());
    QVERIFY(f.Frame().Command(ID_EDIT_COPY)->isEnabled());
    QVERIFY(f.Frame().Command(ID_EDIT_CLEAR)->isEnabled());
}

QTEST_MAIN(CCommandsTest)
#include "commands_test.moc"
