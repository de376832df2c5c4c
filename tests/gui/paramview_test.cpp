#include "support/openedpage.h"
#include "support/recordingview.h"
#include "support/viewfakes.h"
#include "views/paramview.h"
#include "views/textview.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTextBlock>
#include <QtTest>

#include <memory>

using namespace mapwright;

class CParamViewTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void NothingSelectedLeavesEveryControlEmptyAndDisabled();
    void TargetShowsListEntriesForKeywordsAndOtherTargetsAsStored();
    void TypedAndPickedTargetsAreStoredAsTypedAndAsKeywords();
    void EachKeystrokeIsOneStepThatRewritesTheTagButNotTheCanvas();
    void FieldsKeepWhatIsTypedOnOneLine();
    void FieldsWriteThePagesOwnEncoding();
    void EditCommandsFollowTheFocus();
    void UndoKeysReachTheDocumentFromAField();
    void NarrowFormIsLaidOutForTheMinimumWidth();
    void FormKeepsItsEntryInTheTabList();
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

// A document window as the frame builds it: form, canvas, text pane, in that order of views.
struct CWindow {
    explicit CWindow(const CLines& page = kTargetPage)
    {
        OpenPage(doc, page);
        auto* layout = new QHBoxLayout(&window);
        form = new CParamView(&doc);
        canvas = new CFakeCanvas;
        doc.AddView(&canvasView);
        pane = new CTextView(&doc);
        layout->addWidget(form);
        layout->addWidget(canvas);
        layout->addWidget(pane);
        window.resize(900, 500);
        window.show();
        window.activateWindow();
    }

    void Select(CMapArea& area)
    {
        if (auto* rect = dynamic_cast<CRectArea*>(&area))
            doc.SelectArea(*rect);
        else if (auto* circle = dynamic_cast<CCircleArea*>(&area))
            doc.SelectArea(*circle);
        else
            doc.SelectArea(static_cast<CPolyArea&>(area));
        doc.UpdateAllViews(nullptr);
    }

    // Clicks into field and puts the caret at its end, as the user would.
    void FocusEnd(QLineEdit* field)
    {
        field->setFocus();
        field->end(false);
    }

    QLineEdit* Url() const { return form->Field(CParamView::kUrl); }
    CRectArea& Rect() { return *doc.m_rectAreas.at(0); }
    CCircleArea& Circle() { return *doc.m_circleAreas.at(0); }

    CRecordingViewHost host;  // first, so that the form's tab entry is recorded
    CVavedIdivovDoc doc;
    CRecordingView canvasView;
    QWidget window;
    CParamView* form = nullptr;
    CFakeCanvas* canvas = nullptr;
    CTextView* pane = nullptr;
};

std::unique_ptr<CWindow> g_window;

}  // namespace

void CParamViewTest::init()
{
    QApplication::clipboard()->clear();
    g_window = std::make_unique<CWindow>();
    QVERIFY(QTest::qWaitForWindowActive(&g_window->window));
}

void CParamViewTest::cleanup()
{
    g_window.reset();
}

void CParamViewTest::NothingSelectedLeavesEveryControlEmptyAndDisabled()
{
    CWindow& w = *g_window;
    w.Select(w.Rect());
    QCOMPARE(w.Url()->text(), QString("one.htm"));
    QCOMPARE(w.form->Field(CParamView::kAltText)->text(), QString("First"));
    QVERIFY(w.Url()->isEnabled());

    w.Rect().SetSelected(kNotSelected);  // a click outside every area
    w.doc.UpdateAllViews(nullptr);
    for (int field = 0; field < CParamView::kFieldCount; ++field) {
        QLineEdit* edit = w.form->Field(CParamView::EField(field));
        QVERIFY(!edit->isEnabled());
        QVERIFY(edit->text().isEmpty());
    }
    QVERIFY(!w.form->TargetCombo()->isEnabled());
    QVERIFY(w.form->TargetCombo()->currentText().isEmpty());
    QCOMPARE(w.form->TargetCombo()->count(), 4);
    QCOMPARE(UndoStepCount(w.doc), 1);
    QVERIFY(!w.doc.IsModified());
}

void CParamViewTest::TargetShowsListEntriesForKeywordsAndOtherTargetsAsStored()
{
    CWindow& w = *g_window;
    QComboBox* combo = w.form->TargetCombo();
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    QCOMPARE(entries, QStringList({"Same Frame", "Whole Page", "New Browser Window", "Parent Frame"}));

    w.Select(w.Rect());
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(combo->currentText(), QString("Whole Page"));
    QCOMPARE(w.Rect().m_strTarget, std::string("_TOP"));

    w.Select(w.Circle());
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->currentText(), QString("main"));

    w.Select(*w.doc.m_polyAreas.at(0));
    QVERIFY(combo->currentText().isEmpty());
    QCOMPARE(UndoStepCount(w.doc), 1);
    QVERIFY(!w.doc.IsModified());
}

void CParamViewTest::TypedAndPickedTargetsAreStoredAsTypedAndAsKeywords()
{
    CWindow& w = *g_window;
    QComboBox* combo = w.form->TargetCombo();
    w.Select(w.Circle());

    // Picking from the list stores the keyword and shows the entry.
    combo->setFocus();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(3, 0)).center());
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(w.Circle().m_strTarget, std::string("_parent"));
    QCOMPARE(combo->currentText(), QString("Parent Frame"));
    QCOMPARE(UndoStepCount(w.doc), 2);
    QVERIFY(w.doc.m_lines[4].find("TARGET=\"_parent\"") != std::string::npos);

    // Typed text is stored exactly as typed, even when it is an entry's text; nothing completes it.
    QTest::keyClick(combo, Qt::Key_X);
    QCOMPARE(w.Circle().m_strTarget, std::string("Parent Framex"));
    // Back to the picked entry: the entry's text is shown, not the text typed after it.
    w.doc.OnEditUndo();
    QCOMPARE(combo->currentText(), QString("Parent Frame"));
    w.doc.OnEditRedo();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, "New");
    QCOMPARE(combo->currentText(), QString("New"));
    QCOMPARE(w.Circle().m_strTarget, std::string("New"));
    QTest::keyClicks(combo, " Browser Window");
    QCOMPARE(w.Circle().m_strTarget, std::string("New Browser Window"));
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(combo->count(), 4);
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, "_BLANK");
    QCOMPARE(w.Circle().m_strTarget, std::string("_BLANK"));
}

void CParamViewTest::EachKeystrokeIsOneStepThatRewritesTheTagButNotTheCanvas()
{
    CWindow& w = *g_window;
    w.Select(w.Rect());
    w.Select(w.Circle());
    QCOMPARE(UndoStepCount(w.doc), 1);  // showing a selection records nothing
    w.Select(w.Rect());
    w.canvasView.m_updates.clear();

    w.FocusEnd(w.Url());
    QTest::keyClick(w.Url(), Qt::Key_X);
    QCOMPARE(w.Rect().m_strHref, std::string("one.htmx"));
    QVERIFY(w.doc.IsModified());
    QCOMPARE(UndoStepCount(w.doc), 2);
    QCOMPARE(w.doc.m_lines[3], std::string("<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"one.htmx\" TARGET=\"_TOP\" "
                                           "ALT=\"First\">"));
    QCOMPARE(w.pane->document()->findBlockByNumber(3).text(), QString::fromStdString(w.doc.m_lines[3]));
    QCOMPARE(w.pane->textCursor().position(), 0);
    QCOMPARE(int(w.canvasView.m_updates.size()), 1);
    QCOMPARE(w.canvasView.m_updates[0].sender, static_cast<CView*>(w.form));
    QVERIFY(!CRecordingView::WouldRedrawCanvas(w.canvasView.m_updates[0]));
    QCOMPARE(w.doc.m_nChangeOrigin, int(kOriginNone));
    QCOMPARE(w.Url()->cursorPosition(), 8);  // the form is not refilled under the user's typing

    QTest::keyClick(w.Url(), Qt::Key_Backspace);
    QCOMPARE(w.Rect().m_strHref, std::string("one.htm"));
    QCOMPARE(UndoStepCount(w.doc), 3);
    QVERIFY(w.doc.IsModified());

    // Undo shows the area as it was and redraws the canvas.
    w.doc.OnEditUndo();
    QCOMPARE(w.Url()->text(), QString("one.htmx"));
    QVERIFY(CRecordingView::WouldRedrawCanvas(w.canvasView.m_updates.back()));
}

void CParamViewTest::FieldsKeepWhatIsTypedOnOneLine()
{
    CWindow& w = *g_window;
    w.Select(w.Rect());
    QLineEdit* alt = w.form->Field(CParamView::kAltText);
    w.FocusEnd(alt);
    QApplication::clipboard()->setText(" of\r\ntwo\nlines");
    w.form->OnEditPaste();
    QCOMPARE(w.Rect().m_strAlt, std::string("First of  two lines"));
    QCOMPARE(w.doc.m_lines.size(), kTargetPage.size());

    const QString longUrl(100000, QChar('u'));
    QApplication::clipboard()->setText(longUrl);
    w.Url()->selectAll();
    w.FocusEnd(w.Url());
    w.Url()->selectAll();
    w.form->OnEditPaste();
    QCOMPARE(w.Rect().m_strHref, longUrl.toStdString());
    QVERIFY(w.doc.m_lines[3].find(longUrl.toStdString()) != std::string::npos);
}

void CParamViewTest::FieldsWriteThePagesOwnEncoding()
{
    CLines page = kTargetPage;
    page[3] = "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"caf\xE9.htm\">";  // Windows-1252
    g_window.reset();
    g_window = std::make_unique<CWindow>(page);
    CWindow& w = *g_window;
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    w.Select(w.Rect());
    QCOMPARE(w.Url()->text(), QString::fromUtf16(u"caf\u00E9.htm"));

    w.FocusEnd(w.Url());
    TypeText(w.Url(), QString::fromUtf16(u"\u00E8\u20AC\u6F22"));
    QCOMPARE(w.Rect().m_strHref, std::string("caf\xE9.htm\xE8\x80&#28450;"));
}

void CParamViewTest::EditCommandsFollowTheFocus()
{
    CWindow& w = *g_window;
    w.Select(w.Rect());
    QApplication::clipboard()->setText("text");

    w.canvas->setFocus();
    QCOMPARE(w.form->OnUpdateEditCopyCut(), std::optional<CCommandState>(CCommandState{false, false}));
    QVERIFY(!w.form->OnUpdateEditPaste().bEnabled);  // the area clipboard counts, not the text
    w.canvas->m_bHasSelection = true;
    w.canvas->m_bClipboardFilled = true;
    QVERIFY(w.form->OnUpdateEditCopyCut()->bEnabled);
    QVERIFY(w.form->OnUpdateEditPaste().bEnabled);
    w.form->OnEditCopy();
    w.form->OnEditCut();
    w.form->OnEditPaste();
    QCOMPARE(w.canvas->m_nCopies, 1);
    QCOMPARE(w.canvas->m_nDeletes, 1);
    QCOMPARE(w.canvas->m_nPastes, 1);

    w.FocusEnd(w.Url());
    QVERIFY(!w.form->OnUpdateEditCopyCut()->bEnabled);
    QVERIFY(w.form->OnUpdateEditPaste().bEnabled);
    w.Url()->setSelection(0, 3);
    QVERIFY(w.form->OnUpdateEditCopyCut()->bEnabled);
    w.form->OnEditCut();
    QCOMPARE(QApplication::clipboard()->text(), QString("one"));
    QCOMPARE(w.Rect().m_strHref, std::string(".htm"));
    QCOMPARE(UndoStepCount(w.doc), 2);
    w.Url()->setCursorPosition(0);
    w.form->OnEditPaste();
    QCOMPARE(w.Rect().m_strHref, std::string("one.htm"));
    QCOMPARE(w.canvas->m_nDeletes, 1);

    w.form->TargetCombo()->setFocus();
    w.form->TargetCombo()->lineEdit()->selectAll();
    QVERIFY(w.form->OnUpdateEditCopyCut()->bEnabled);
    w.form->OnEditCopy();
    QCOMPARE(QApplication::clipboard()->text(), QString("Whole Page"));

    // Elsewhere (the text pane) the form leaves the commands alone.
    w.pane->setFocus();
    w.pane->selectAll();
    QCOMPARE(w.form->OnUpdateEditCopyCut(), std::nullopt);
    w.form->OnEditCopy();
    QCOMPARE(QApplication::clipboard()->text(), QString("Whole Page"));
    QApplication::clipboard()->clear();
    QVERIFY(!w.form->OnUpdateEditPaste().bEnabled);
}

void CParamViewTest::UndoKeysReachTheDocumentFromAField()
{
    CWindow& w = *g_window;
    QAction undo;
    undo.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(&undo, &QAction::triggered, [&] { w.doc.OnEditUndo(); });
    w.window.addAction(&undo);
    w.Select(w.Rect());
    w.FocusEnd(w.Url());
    QTest::keyClicks(w.Url(), "ab");
    QCOMPARE(UndoStepCount(w.doc), 3);

    QTest::keyClick(w.Url(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.Rect().m_strHref, std::string("one.htma"));
    QCOMPARE(w.Url()->text(), QString("one.htma"));
    QCOMPARE(UndoStepCount(w.doc), 3);  // undone, not a new edit
    QTest::keyClick(w.Url(), Qt::Key_Y, Qt::ControlModifier);  // no Redo command here: nothing happens
    QCOMPARE(w.Url()->text(), QString("one.htma"));
    QCOMPARE(UndoStepCount(w.doc), 3);
}

void CParamViewTest::NarrowFormIsLaidOutForTheMinimumWidth()
{
    CWindow& w = *g_window;
    const QList<QGroupBox*> groups = w.form->findChildren<QGroupBox*>();
    QCOMPARE(groups.size(), 2);
    QList<QWidget*> fields = {w.form->TargetCombo()};
    for (int field = 0; field < CParamView::kFieldCount; ++field)
        fields << w.form->Field(CParamView::EField(field));
    QMap<QWidget*, QRect> before;
    for (QWidget* control : fields + QList<QWidget*>(groups.begin(), groups.end()))
        before[control] = control->geometry();

    const auto checkWidth = [&](int formWidth, int groupWidth, int fieldWidth) {
        w.form->setParent(nullptr);
        w.form->setMinimumHeight(600);
        w.form->resize(formWidth, 600);
        w.form->show();
        QApplication::processEvents();
        for (QGroupBox* group : groups) {
            QCOMPARE(group->width(), groupWidth);
            QCOMPARE(group->x(), before[group].x());
            QCOMPARE(group->y(), before[group].y());
            QCOMPARE(group->height(), before[group].height());
        }
        for (QWidget* field : fields) {
            QCOMPARE(field->width(), fieldWidth);
            QCOMPARE(field->pos(), before[field].topLeft());
            QCOMPARE(field->height(), before[field].height());
        }
    };
    checkWidth(80, 98, 78);
    checkWidth(300, 290, 270);
    QVERIFY(w.form->Field(CParamView::kMouseOut)->geometry().bottom() < 600);
    delete w.form;
}

void CParamViewTest::FormKeepsItsEntryInTheTabList()
{
    CWindow& w = *g_window;
    QCOMPARE(int(w.host.m_added.size()), 1);
    QCOMPARE(w.host.m_added[0].form, static_cast<QWidget*>(w.form));
    QCOMPARE(w.host.m_added[0].document, &w.doc);

    const int refreshes = w.host.m_nRefreshes;
    w.form->OnActivateView(false);
    QCOMPARE(w.host.m_nRefreshes, refreshes);
    w.form->OnActivateView(true);
    QCOMPARE(w.host.m_nRefreshes, refreshes + 1);

    QWidget* form = w.form;
    delete w.form;
    QCOMPARE(w.host.m_removed, std::vector<QWidget*>({form}));
    QCOMPARE(int(w.doc.GetViews().size()), 2);  // the form left the document
}

QTEST_MAIN(CParamViewTest)
#include "paramview_test.moc"
