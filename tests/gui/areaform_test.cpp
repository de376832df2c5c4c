#include "support/standinwindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QtTest>

#include <memory>

using namespace mapwright;

class CAreaFormTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void NothingSelectedLeavesEveryControlEmptyAndDisabled();
    void TargetsShowAsEntriesOrAsStoredAndAreStoredAsTypedOrAsKeywords();
    void EachKeystrokeIsOneStepThatRewritesTheTagButNotTheCanvas();
    void FieldsStoreAllThatIsTypedOnOneLineInThePagesEncoding();
    void EditCommandsActOnTheFocusedField();
    void UndoKeysReachTheDocumentFromAField();
    void NarrowFormIsLaidOutForTheMinimumWidth();
    void FormKeepsItsEntryInTheTabList();
    void TitleIsShownAndWrittenAfterAltAndGoesWhenCleared();
    void TypedCoordinatesAreWrittenOnEnterOrRefusedWithoutWriting();
    void SeveralSelectedShowSharedValuesAndTakeEachKeystrokeAsOneStep();
};

namespace {

const CLines kTargetPage = {
    "<html><body>",
    "<IMG SRC=\"photo.gif\" USEMAP=\"#photo\" WIDTH=320 HEIGHT=200>",
    "<MAP NAME=\"photo\">",
    "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"one.htm\" TARGET=\"_TOP\" ALT=\"First\">",
    "<AREA SHAPE=CIRCLE COORDS=\"100,100,20\" HREF=\"two.htm\" TARGET=\"main\">",
    "<AREA SHAPE=POLY COORDS=\"200,20,300,90,250,150\" HREF=\"three.htm\">",
    "</MAP>",
    "</body></html>",
};

CDocumentWindows g_windows;

}  // namespace

void CAreaFormTest::init()
{
    QVERIFY(g_windows.Open(kTargetPage));
}

void CAreaFormTest::cleanup()
{
    g_windows.Close();
}

void CAreaFormTest::NothingSelectedLeavesEveryControlEmptyAndDisabled()
{
    CStandInWindow& w = g_windows.Current();
    w.Select(w.Rect());
    QCOMPARE(w.form->Field(CAreaForm::kAltText)->text(), QString("First"));
    QVERIFY(w.Url()->isEnabled());

    w.doc.ClearSelection();  // a click outside every area
    w.doc.UpdateAllViews(nullptr);
    for (int field = 0; field < CAreaForm::kFieldCount; ++field) {
        QVERIFY(!w.form->Field(CAreaForm::EField(field))->isEnabled());
        QVERIFY(w.form->Field(CAreaForm::EField(field))->text().isEmpty());
    }
    QVERIFY(!w.form->TargetCombo()->isEnabled());
    QVERIFY(w.form->TargetCombo()->currentText().isEmpty());
    QCOMPARE(w.doc.UndoStepCount(), 1);
    QVERIFY(!w.doc.IsModified());
}

void CAreaFormTest::TargetsShowAsEntriesOrAsStoredAndAreStoredAsTypedOrAsKeywords()
{
    CStandInWindow& w = g_windows.Current();
    QComboBox* combo = w.form->TargetCombo();
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    QCOMPARE(entries, QStringList({"Same Frame", "Whole Page", "New Browser Window", "Parent Frame"}));
    w.Select(w.Rect());
    QCOMPARE(combo->currentText(), QString("Whole Page"));
    QCOMPARE(w.Rect().m_strTarget, std::string("_TOP"));
    w.Select(w.Circle());
    QCOMPARE(combo->currentText(), QString("main"));
    QCOMPARE(w.doc.UndoStepCount(), 1);

    // Picking from the list stores the keyword and shows the entry.
    combo->setFocus();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(3, 0)).center());
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(w.Circle().m_strTarget, std::string("_parent"));
    QCOMPARE(combo->currentText(), QString("Parent Frame"));
    QCOMPARE(w.doc.UndoStepCount(), 2);

    // Typed text is stored as typed; going back to the picked entry shows the entry again.
    combo->lineEdit()->selectAll();
    QTest::keyClick(combo, Qt::Key_X);
    QCOMPARE(w.Circle().m_strTarget, std::string("x"));
    w.doc.OnEditUndo();
    QCOMPARE(combo->currentText(), QString("Parent Frame"));

    // Nothing completes a typed target or adds it to the list, even an entry's own text.
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, "New");
    QCOMPARE(w.Circle().m_strTarget, std::string("New"));
    QTest::keyClicks(combo, " Browser Window");
    QTest::keyClick(combo, Qt::Key_Return);
    // The tag holds the text as typed, never the entry's keyword.
    QVERIFY(w.Circle().m_strTarget != "_blank");
    bool typedInTag = false;
    for (const std::string& line : w.doc.Lines())
        typedInTag = typedInTag || line.find("New Browser Window") != std::string::npos;
    QVERIFY(typedInTag);
    QCOMPARE(combo->count(), 4);
}

void CAreaFormTest::EachKeystrokeIsOneStepThatRewritesTheTagButNotTheCanvas()
{
    CStandInWindow& w = g_windows.Current();
    w.Select(w.Rect());
    w.canvasView.m_updates.clear();
    w.FocusEnd(w.Url());
    QTest::keyClick(w.Url(), Qt::Key_X);
    QCOMPARE(w.Rect().m_strHref, std::string("one.htmx"));
    QVERIFY(w.doc.IsModified());
    QCOMPARE(w.doc.UndoStepCount(), 2);
    QCOMPARE(w.doc.Lines()[3],
             std::string("<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"one.htmx\" TARGET=\"_TOP\" ALT=\"First\">"));
    QCOMPARE(w.Block(3), QString::fromStdString(w.doc.Lines()[3]));
    QCOMPARE(w.pane->textCursor().position(), 0);
    QCOMPARE(int(w.canvasView.m_updates.size()), 1);
    QCOMPARE(w.canvasView.m_updates[0].sender, static_cast<CView*>(w.form));
    QVERIFY(!CRecordingView::WouldRedrawCanvas(w.canvasView.m_updates[0]));
    QCOMPARE(w.Url()->cursorPosition(), 8);  // the form is not refilled under the user's typing

    QTest::keyClick(w.Url(), Qt::Key_Backspace);
    QCOMPARE(w.Rect().m_strHref, std::string("one.htm"));
    QCOMPARE(w.doc.UndoStepCount(), 3);
    QVERIFY(w.doc.IsModified());
    w.doc.OnEditUndo();
    QCOMPARE(w.Url()->text(), QString("one.htmx"));
    QVERIFY(CRecordingView::WouldRedrawCanvas(w.canvasView.m_updates.back()));
}

void CAreaFormTest::FieldsStoreAllThatIsTypedOnOneLineInThePagesEncoding()
{
    CStandInWindow& w = g_windows.Current();
    w.Select(w.Rect());
    QLineEdit* alt = w.form->Field(CAreaForm::kAltText);
    w.FocusEnd(alt);
    QApplication::clipboard()->setText(" of\r\ntwo\nlines");
    w.form->OnEditPaste();
    QCOMPARE(w.Rect().m_strAlt, std::string("First of  two lines"));
    QCOMPARE(w.doc.Lines().size(), kTargetPage.size());

    const QString longUrl(100000, QChar('u'));
    QApplication::clipboard()->setText(longUrl);
    w.FocusEnd(w.Url());
    w.Url()->selectAll();
    w.form->OnEditPaste();
    QCOMPARE(w.Rect().m_strHref, longUrl.toStdString());

    // A Windows-1252 page gets its own bytes; a character it lacks, its reference.
    CLines page = kTargetPage;
    page[3] = "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"caf\xE9.htm\">";
    QVERIFY(g_windows.Open(page));
    CStandInWindow& latin = g_windows.Current();
    latin.Select(latin.Rect());
    QCOMPARE(latin.Url()->text(), QString::fromUtf16(u"caf\u00E9.htm"));
    latin.FocusEnd(latin.Url());
    TypeText(latin.Url(), QString::fromUtf16(u"\u00E8\u20AC\u6F22"));
    QCOMPARE(latin.Rect().m_strHref, std::string("caf\xE9.htm\xE8\x80&#28450;"));
}

void CAreaFormTest::EditCommandsActOnTheFocusedField()
{
    CStandInWindow& w = g_windows.Current();
    w.Select(w.Rect());
    QApplication::clipboard()->setText("text");
    w.FocusEnd(w.Url());
    QVERIFY(!w.form->OnUpdateEditCopyCut().bEnabled);
    QVERIFY(w.form->OnUpdateEditPaste().bEnabled);
    w.Url()->setSelection(0, 3);
    QVERIFY(w.form->OnUpdateEditCopyCut().bEnabled);
    w.form->OnEditCut();
    QCOMPARE(QApplication::clipboard()->text(), QString("one"));
    QCOMPARE(w.Rect().m_strHref, std::string(".htm"));
    w.Url()->setCursorPosition(0);
    w.form->OnEditPaste();
    QCOMPARE(w.Rect().m_strHref, std::string("one.htm"));
    QCOMPARE(w.doc.UndoStepCount(), 3);

    w.form->TargetCombo()->setFocus();
    w.form->TargetCombo()->lineEdit()->selectAll();
    w.form->OnEditCopy();
    QCOMPARE(QApplication::clipboard()->text(), QString("Whole Page"));

    // With the focus outside its fields the form has nothing to copy or cut.
    w.pane->setFocus();
    w.pane->selectAll();
    QVERIFY(!w.form->OnUpdateEditCopyCut().bEnabled);
    w.form->OnEditCopy();
    QCOMPARE(QApplication::clipboard()->text(), QString("Whole Page"));
}

void CAreaFormTest::UndoKeysReachTheDocumentFromAField()
{
    CStandInWindow& w = g_windows.Current();
    w.AddUndoCommand();
    w.Select(w.Rect());
    w.FocusEnd(w.Url());
    QTest::keyClicks(w.Url(), "ab");
    QTest::keyClick(w.Url(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Url()->text(), QString("one.htma"));
    QCOMPARE(w.doc.UndoStepCount(), 3);  // undone, not a new edit
    QTest::keyClick(w.Url(), Qt::Key_Y, Qt::ControlModifier);  // no Redo command here: nothing happens
    QCOMPARE(w.Url()->text(), QString("one.htma"));
    QCOMPARE(w.doc.UndoStepCount(), 3);
}

void CAreaFormTest::NarrowFormIsLaidOutForTheMinimumWidth()
{
    CStandInWindow& w = g_windows.Current();
    const QList<QGroupBox*> groups = w.form->findChildren<QGroupBox*>();
    QList<QWidget*> fields = {w.form->TargetCombo()};
    for (int field = 0; field < CAreaForm::kFieldCount; ++field)
        fields << w.form->Field(CAreaForm::EField(field));
    QMap<QWidget*, QRect> before;
    for (QWidget* control : fields + QList<QWidget*>(groups.begin(), groups.end()))
        before[control] = control->geometry();

    std::unique_ptr<CAreaForm> form(w.form);  // on its own, to be sized freely
    form->setParent(nullptr);
    for (const int width : {80, 300}) {
        form->resize(width, 600);
        form->show();
        QApplication::processEvents();
        const int laidOut = std::max(width, 108);
        for (QWidget* control : fields + QList<QWidget*>(groups.begin(), groups.end())) {
            const bool group = qobject_cast<QGroupBox*>(control);
            QCOMPARE(control->width(), laidOut - (group ? 10 : 30));
            QCOMPARE(control->pos(), before[control].topLeft());
            QCOMPARE(control->height(), before[control].height());
        }
    }
    QCOMPARE(groups.size(), 3);

    // Opened at its preferred width, a link of 30 characters and every target entry show whole,
    // and Tab goes down the fields as they stand.
    form->resize(form->PreferredWidth(), 600);
    QApplication::processEvents();
    QLineEdit* url = form->Field(CAreaForm::kUrl);
    QVERIFY(url->width() >= url->fontMetrics().horizontalAdvance(QString(30, 'e')));
    QComboBox* target = form->TargetCombo();
    for (int i = 0; i < target->count(); ++i)
        QVERIFY(target->width() > target->fontMetrics().horizontalAdvance(target->itemText(i)));
    QVERIFY(target->view()->minimumWidth() > target->fontMetrics().horizontalAdvance("New Browser Window"));
    QWidget* const onScreen[] = {url, form->Field(CAreaForm::kAltText), target->lineEdit(),
                                 form->Field(CAreaForm::kMouseOver), form->Field(CAreaForm::kMouseOut),
                                 form->Field(CAreaForm::kTitle), form->CoordsField()};
    for (std::size_t i = 1; i < std::size(onScreen); ++i) {
        QWidget* next = onScreen[i - 1]->nextInFocusChain();
        while (next && next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next == target ? target->lineEdit() : next, onScreen[i]);
    }
}

void CAreaFormTest::TitleIsShownAndWrittenAfterAltAndGoesWhenCleared()
{
    CStandInWindow& w = g_windows.Current();
    w.Select(w.Rect());
    QLineEdit* title = w.form->Field(CAreaForm::kTitle);
    QVERIFY(title->text().isEmpty());
    w.FocusEnd(title);
    QTest::keyClicks(title, "Gate");
    QCOMPARE(w.doc.Lines()[3], std::string("<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"one.htm\" TARGET=\"_TOP\" "
                                           "ALT=\"First\" TITLE=\"Gate\">"));
    title->selectAll();
    QTest::keyClick(title, Qt::Key_Delete);
    QCOMPARE(w.doc.Lines()[3], kTargetPage[3]);

    CLines page = kTargetPage;
    page[3] = "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" title='Old &quot;gate&quot;' HREF=\"one.htm\">";
    QVERIFY(g_windows.Open(page));
    CStandInWindow& titled = g_windows.Current();
    titled.Select(titled.Rect());
    QCOMPARE(titled.form->Field(CAreaForm::kTitle)->text(), QString("Old \"gate\""));
}

void CAreaFormTest::FormKeepsItsEntryInTheTabList()
{
    CStandInWindow& w = g_windows.Current();
    QCOMPARE(int(w.host.m_added.size()), 1);
    QCOMPARE(w.host.m_added[0].form, static_cast<QWidget*>(w.form));
    QCOMPARE(w.host.m_added[0].document, &w.doc);
    w.form->OnActivateView(false);
    QCOMPARE(w.host.m_nRefreshes, 0);
    w.form->OnActivateView(true);
    QCOMPARE(w.host.m_nRefreshes, 1);

    QWidget* form = w.form;
    delete w.form;
    QCOMPARE(w.host.m_removed, std::vector<QWidget*>({form}));
    QCOMPARE(int(w.doc.GetViews().size()), 2);  // the form left the document
}

void CAreaFormTest::TypedCoordinatesAreWrittenOnEnterOrRefusedWithoutWriting()
{
    CStandInWindow& w = g_windows.Current();
    w.Select(w.Rect());
    QLineEdit* coords = w.form->CoordsField();
    QCOMPARE(coords->text(), QString("10,10,50,50"));
    const int steps = w.doc.UndoStepCount();

    // Refused: letters write nothing and the field shows it.
    coords->setFocus();
    coords->selectAll();
    QTest::keyClicks(coords, "1,2,x,4");
    QTest::keyClick(coords, Qt::Key_Return);
    QCOMPARE(w.doc.UndoStepCount(), steps);
    QVERIFY(coords->palette().color(QPalette::Base) != QPalette().color(QPalette::Base));

    // Accepted: one step, kept inside the 320 x 200 picture as a drag keeps it.
    coords->selectAll();
    QTest::keyClicks(coords, "5, 6, 400, 300");
    QTest::keyClick(coords, Qt::Key_Return);
    QCOMPARE(w.doc.UndoStepCount(), steps + 1);
    QVERIFY(w.doc.Lines()[3].find("COORDS=\"5,6,319,199\"") != std::string::npos);
    QCOMPARE(coords->text(), QString("5,6,319,199"));
    QCOMPARE(coords->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

void CAreaFormTest::SeveralSelectedShowSharedValuesAndTakeEachKeystrokeAsOneStep()
{
    CStandInWindow& w = g_windows.Current();
    w.doc.SelectNumbered({2, 3});  // two.htm with target main, three.htm with none; no alternate text
    w.doc.UpdateAllViews(nullptr);
    QVERIFY(w.Url()->text().isEmpty());
    QCOMPARE(w.Url()->placeholderText(), QString("(several values)"));
    QVERIFY(w.form->Field(CAreaForm::kAltText)->placeholderText().isEmpty());  // both have none
    QCOMPARE(w.form->TargetCombo()->lineEdit()->placeholderText(), QString("(several values)"));
    QVERIFY(!w.form->CoordsField()->isEnabled());

    w.Url()->setFocus();
    QTest::keyClicks(w.Url(), "ab");
    QCOMPARE(w.Circle().m_strHref, std::string("ab"));
    QCOMPARE(w.doc.AreaNumbered(3)->m_strHref, std::string("ab"));
    QCOMPARE(w.doc.UndoStepCount(), 3);
    QVERIFY(w.Url()->placeholderText().isEmpty());
    w.doc.OnEditUndo();
    QCOMPARE(w.doc.AreaNumbered(3)->m_strHref, std::string("a"));
    QCOMPARE(w.doc.SelectedNumbers(), (std::vector<int>{2, 3}));

    w.doc.SelectNumbered({1});  // one area again: no placeholder
    w.doc.UpdateAllViews(nullptr);
    QCOMPARE(w.Url()->text(), QString("one.htm"));
    QVERIFY(w.Url()->placeholderText().isEmpty());
}

QTEST_MAIN(CAreaFormTest)
#include "areaform_test.moc"
