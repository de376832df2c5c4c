// Random use of the whole editor over three documents, checking after every event that each
// document's areas, text pane, selection and modified flag still agree with its lines.
// MAPWRIGHT_TORTURE_SEED and MAPWRIGHT_TORTURE_EVENTS choose the run; a failure names both.
#include "gui/shellfixture.h"
#include "support/areachecks.h"
#include "document/areaclipboard.h"
#include "html/mapreader.h"
#include "platform/bytecodec.h"
#include "shell/commandids.h"
#include "shell/commands.h"
#include "shell/scalecommands.h"
#include "shell/zoomcombobox.h"
#include "views/canvasview.h"
#include "views/areaform.h"
#include "views/htmlpane.h"

#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>

#include <deque>
#include <functional>
#include <random>

using namespace mapwright;

namespace {

int EnvironmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// What a fresh parse and the document must agree on, one line per area.
QStringList Describe(const CAreaList& areas)
{
    QStringList out;
    const auto attributes = [](const CMapArea& area) {
        return QString::fromStdString(area.m_strHref + "|" + area.m_strAlt + "|" + area.m_strTarget + "|" +
                                      area.m_strStatusOver + "|" + area.m_strStatusOut);
    };
    for (const auto& area : Rects(areas))
        out << QString("rect %1: %2,%3,%4,%5 %6")
                   .arg(area->m_nIndex).arg(area->left).arg(area->top).arg(area->right).arg(area->bottom)
                   .arg(attributes(*area));
    for (const auto& area : Circles(areas))
        out << QString("circle %1: %2,%3,%4 %5")
                   .arg(area->m_nIndex).arg(area->x).arg(area->y).arg(area->radius).arg(attributes(*area));
    for (const auto& area : Polys(areas)) {
        QString points;
        for (const CAreaPoint& point : area->m_points)
            points += QString("%1,%2 ").arg(point.x).arg(point.y);
        out << QString("poly %1: %2%3").arg(area->m_nIndex).arg(points).arg(attributes(*area));
    }
    out << QString("count %1").arg(areas.AreaCount());
    return out;
}

// Types text into widget key by key; characters beyond ASCII come as keys that carry only text.
void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// True when every selected area is one of the list's, each once, in text order.
bool SelectionInList(const CAreaList& areas)
{
    int last = 0;
    for (const CMapArea* area : areas.SelectedAreas()) {
        if (area->m_nIndex <= last || areas.AreaNumbered(area->m_nIndex) != area)
            return false;
        last = area->m_nIndex;
    }
    return true;
}

}  // namespace

class CTortureTest : public QObject {
    Q_OBJECT
private slots:
    void RandomUseKeepsEveryDocumentConsistent();

private:
    void OpenDocuments();
    // Writes page name over picture number picture (0 to 2) with three areas; returns its path.
    QString WritePage(const std::string& name, int picture);
    void RunEvent(int number);
    // Empty when every document is consistent, else what is wrong.
    QString CheckDocuments() const;

    int Random(int bound) { return int(m_random() % unsigned(bound)); }
    bool Chance(int percent) { return Random(100) < percent; }
    QString RandomText(int maxLength);
    CDocumentWindow* ActiveFrame() const { return m_fixture->Frame().ActiveFrame(); }
    void Note(const QString& what);

    void MouseEvent(CDocumentWindow* frame);
    void CanvasKey(CDocumentWindow* frame);
    void Command(CDocumentWindow* frame);
    void TypeInField(CDocumentWindow* frame);
    void TypeInPane(CDocumentWindow* frame);
    void PasteText(CDocumentWindow* frame);
    void ZoomBoxEntry();
    void ScrollCanvas(CDocumentWindow* frame);
    void SwitchTab();
    void CloseAndReopen(CDocumentWindow* frame);

    std::unique_ptr<CShellFixture> m_fixture;
    std::mt19937 m_random;
    std::vector<int> m_commands;
    Qt::MouseButtons m_held;
    QPointer<QWidget> m_heldCanvas;
    std::deque<QString> m_recent;  // the last events, for the failure report
    int m_nSaved = 0;
    int m_nFresh = 0;
};

void CTortureTest::OpenDocuments()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    f.Frame().resize(900, 650);
    QStringList paths;
    for (int i = 0; i < 3; ++i)
        paths << WritePage("page" + std::to_string(i) + ".htm", i);
    f.Frame().OnDropFiles(paths);
    f.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.Frame()));
    QCOMPARE(f.Manager().Documents().size(), std::size_t(3));
}

QString CTortureTest::WritePage(const std::string& name, int picture)
{
    CShellFixture& f = *m_fixture;
    const int sizes[3][2] = {{320, 240}, {100, 80}, {48, 36}};
    const std::string pictureName = "pic" + std::to_string(picture) + ".png";
    if (!QFile::exists(f.Path(pictureName)))
        f.WritePicture(pictureName, sizes[picture][0], sizes[picture][1]);
    const std::string areas = "<AREA SHAPE=RECT COORDS=\"5,5,40,30\" HREF=\"a.htm\" ALT=\"first\">\r\n"
                              "<AREA SHAPE=CIRCLE COORDS=\"60,40,15\" HREF=\"b.htm\" TARGET=\"_top\">\r\n"
                              "<AREA SHAPE=POLY COORDS=\"10,50,30,45,25,70\" HREF=\"c.htm\">\r\n";
    const std::string page = "<html><head><title>t</title></head><body>\r\n<P>before</P>\r\n<IMG SRC=\"" + pictureName +
                             "\" USEMAP=\"#pic\">\r\n<MAP NAME=\"pic\">\r\n" + areas +
                             "</MAP>\r\n<P>after</P>\r\n</body></html>\r\n";
    picturewriter::WriteBytes(f.folder.File(name), reinterpret_cast<const std::uint8_t*>(page.data()), page.size());
    return f.Path(name);
}

void CTortureTest::RandomUseKeepsEveryDocumentConsistent()
{
    const int seed = EnvironmentNumber("MAPWRIGHT_TORTURE_SEED", 20261209);
    const int events = EnvironmentNumber("MAPWRIGHT_TORTURE_EVENTS", 20000);
    m_random.seed(unsigned(seed));
    m_fixture = std::make_unique<CShellFixture>();
    QVERIFY(m_fixture->folder.ok());
    CAreaClipboard::Instance().Clear();
    OpenDocuments();
    if (QTest::currentTestFailed())
        return;

    m_commands = {ID_EDIT_UNDO, ID_EDIT_REDO, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_UNDO_TYPING,
                  ID_COPY_MAP, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_SAVE_ALL, ID_TOOL_SELECT, ID_TOOL_ZOOM,
                  ID_TOOL_RECT, ID_TOOL_CIRCLE, ID_TOOL_POLY, ID_HATCH_AREAS, ID_DRAG_HANDLES, ID_NEXT_PANE,
                  ID_PREV_PANE, ID_VIEW_GRID, ID_SNAP_TO_GRID, ID_SELECT_ALL_AREAS, ID_AREA_TO_TOP, ID_AREA_UP,
                  ID_AREA_DOWN, ID_AREA_TO_BOTTOM};
    for (const CCommand& command : CommandTable()) {
        if (ScaleOfCommand(command.nId) != 0)
            m_commands.push_back(command.nId);
    }

    QElapsedTimer clock;
    clock.start();
    // From this event on, each event and the active document's state are printed.
    const int traceFrom = EnvironmentNumber("MAPWRIGHT_TORTURE_TRACE", events + 1);
    for (int number = 1; number <= events; ++number) {
        RunEvent(number);
        if (number >= traceFrom && ActiveFrame()) {
            const CMapDocument& document = *ActiveFrame()->GetActiveDocument();
            qInfo("%d: %s | %s tool %d zoom %g drag %d areas %d lines %d generation %llu focus %s", number, qPrintable(m_recent.back()),
                  document.GetTitle().c_str(), document.Display().nTool, document.Display().dZoom,
                  int(ActiveFrame()->Canvas()->Tools().DragState()), document.AreaCount(), int(document.Lines().size()),
                  static_cast<unsigned long long>(document.AreaGeneration()),
                  QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none");
        }
        const QString fault = CheckDocuments();
        if (!fault.isEmpty()) {
            QString history;
            for (const QString& event : m_recent)
                history += "\n  " + event;
            QFAIL(qPrintable(QString("seed %1, event %2: %3\nlast events:%4").arg(seed).arg(number).arg(fault, history)));
        }
    }
    qInfo("%d events with seed %d in %lld ms", events, seed, static_cast<long long>(clock.elapsed()));
    // The run ends with every drag let go and nothing asked that had no scripted answer.
    QCOMPARE(m_fixture->files.m_nUnscripted, 0);
}

void CTortureTest::Note(const QString& what)
{
    m_recent.push_back(what);
    if (m_recent.size() > 40)
        m_recent.pop_front();
}

QString CTortureTest::RandomText(int maxLength)
{
    static const QString pool = QStringLiteral("abcxyz019 <>\"'=/#&;.,-_\té\u20ac");
    QString text;
    const int length = Random(maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += pool[Random(int(pool.size()))];
    return text;
}

void CTortureTest::RunEvent(int number)
{
    CDocumentWindow* frame = ActiveFrame();
    if (!frame) {
        Note("no active window");
        return;
    }
    const int kind = Random(100);
    if (kind < 45)
        MouseEvent(frame);
    else if (kind < 52)
        CanvasKey(frame);
    else if (kind < 70)
        Command(frame);
    else if (kind < 78)
        TypeInField(frame);
    else if (kind < 86)
        TypeInPane(frame);
    else if (kind < 90)
        PasteText(frame);
    else if (kind < 93)
        ZoomBoxEntry();
    else if (kind < 96)
        ScrollCanvas(frame);
    else if (kind < 99)
        SwitchTab();
    else if (Random(4) == 0)
        CloseAndReopen(frame);
    if (number % 97 == 0)
        QTest::qWait(Random(8) == 0 ? 110 : 0);  // now and then let the scrolling timer tick
    else
        QCoreApplication::processEvents();
}

void CTortureTest::MouseEvent(CDocumentWindow* frame)
{
    // A right click on a polygon opened the vertex menu: choose one of its entries, or none.
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        const QList<QAction*> actions = menu->actions();
        QAction* chosen = actions.value(Random(int(actions.size()) + 1));
        Note(QString("vertex menu: %1").arg(chosen ? chosen->text() : QString("closed")));
        menu->close();
        if (chosen && chosen->isEnabled())
            chosen->trigger();
        return;
    }
    QWidget* canvas = frame->Canvas()->viewport();
    if (m_held && m_heldCanvas != canvas) {
        // The press belongs to another window: let it go there first.
        if (m_heldCanvas)
            QTest::mouseRelease(m_heldCanvas, m_held & Qt::LeftButton ? Qt::LeftButton : Qt::RightButton);
        m_held = {};
    }
    const QPoint point(Random(canvas->width() + 60) - 30, Random(canvas->height() + 60) - 30);
    const int action = Random(10);
    if (!m_held && action < 3) {
        const Qt::MouseButton button = Random(5) == 0 ? Qt::RightButton : Qt::LeftButton;
        if (Random(12) == 0) {
            Note(QString("double click %1,%2").arg(point.x()).arg(point.y()));
            QTest::mouseDClick(canvas, button, Qt::NoModifier, point);
            return;
        }
        // Now and then with Ctrl or Shift, which toggle or add areas and start bands that add.
        const Qt::KeyboardModifiers modifiers =
            Random(6) == 0 ? Qt::ControlModifier : Random(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        Note(QString("press %1 at %2,%3 modifiers %4").arg(button).arg(point.x()).arg(point.y()).arg(int(modifiers)));
        QTest::mousePress(canvas, button, modifiers, point);
        m_held = button;
        m_heldCanvas = canvas;
    } else if (m_held && action < 5) {
        const Qt::MouseButton button = m_held & Qt::LeftButton ? Qt::LeftButton : Qt::RightButton;
        Note(QString("release %1 at %2,%3").arg(button).arg(point.x()).arg(point.y()));
        QTest::mouseRelease(canvas, button, Qt::NoModifier, point);
        m_held = {};
    } else {
        // Now and then with Alt, which places freely while snapping.
        const bool alt = Random(4) == 0;
        Note(QString("move to %1,%2%3").arg(point.x()).arg(point.y()).arg(alt ? " with Alt" : ""));
        if (alt) {
            QMouseEvent move(QEvent::MouseMove, point, canvas->mapToGlobal(point), Qt::NoButton,
                             m_held ? m_held : Qt::MouseButtons(), Qt::AltModifier);
            QApplication::sendEvent(canvas, &move);
        } else {
            QTest::mouseMove(canvas, point);
        }
    }
}

void CTortureTest::CanvasKey(CDocumentWindow* frame)
{
    static const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_Delete, Qt::NoModifier}, {Qt::Key_Left, Qt::NoModifier},   {Qt::Key_Right, Qt::NoModifier},
                {Qt::Key_Up, Qt::NoModifier},     {Qt::Key_Down, Qt::NoModifier},   {Qt::Key_Escape, Qt::NoModifier},
                {Qt::Key_Plus, Qt::KeypadModifier}, {Qt::Key_Minus, Qt::KeypadModifier}, {Qt::Key_A, Qt::NoModifier},
                {Qt::Key_Left, Qt::AltModifier},  {Qt::Key_Right, Qt::AltModifier},  {Qt::Key_Up, Qt::AltModifier},
                {Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier}, {Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier},
                {Qt::Key_A, Qt::ControlModifier}, {Qt::Key_Home, Qt::NoModifier}, {Qt::Key_PageDown, Qt::NoModifier}};
    const auto& key = keys[Random(int(std::size(keys)))];
    Note(QString("canvas key %1").arg(key.key));
    frame->Canvas()->setFocus();
    QTest::keyClick(frame->Canvas(), key.key, key.modifiers);
}

void CTortureTest::Command(CDocumentWindow* frame)
{
    // Copy, Paste and Delete act on areas or text by the focus: give it to one of the places.
    if (Chance(30)) {
        switch (Random(3)) {
        case 0: frame->Canvas()->setFocus(); break;
        case 1: frame->Form()->Field(CAreaForm::EField(Random(CAreaForm::kFieldCount)))->setFocus(); break;
        default: frame->TextPane()->setFocus(); break;
        }
    }
    const int id = m_commands[std::size_t(Random(int(m_commands.size())))];
    QWidget* focus = QApplication::focusWidget();
    Note(QString("command %1, focus %2").arg(id).arg(focus ? focus->metaObject()->className() : "none"));
    if (id == ID_FILE_SAVE_AS)
        m_fixture->files.m_savePaths.push_back(m_fixture->Path("saved" + std::to_string(++m_nSaved) + ".htm"));
    m_fixture->Frame().OnCommand(id);
    if (id == ID_FILE_SAVE_AS)
        m_fixture->files.m_savePaths.clear();
}

void CTortureTest::TypeInField(CDocumentWindow* frame)
{
    const int which = Random(CAreaForm::kFieldCount + 1);
    QWidget* field = which == CAreaForm::kFieldCount ? static_cast<QWidget*>(frame->Form()->TargetCombo())
                                                      : frame->Form()->Field(CAreaForm::EField(which));
    const QString text = RandomText(6);
    Note(QString("type \"%1\" in field %2").arg(text).arg(which));
    field->setFocus();
    if (Chance(30))
        QTest::keyClick(field, Qt::Key_Backspace);
    TypeText(field, text);
}

void CTortureTest::TypeInPane(CDocumentWindow* frame)
{
    CHtmlPane* pane = frame->TextPane();
    pane->setFocus();
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(Random(int(pane->document()->characterCount())));
    if (Chance(20))
        cursor.setPosition(Random(int(pane->document()->characterCount())), QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    const int action = Random(6);
    Note(QString("pane at %1, action %2").arg(cursor.position()).arg(action));
    switch (action) {
    case 0: QTest::keyClick(pane, Qt::Key_Return); break;
    case 1: QTest::keyClick(pane, Qt::Key_Backspace); break;
    case 2: QTest::keyClick(pane, Qt::Key_Delete); break;
    case 3: QTest::keyClicks(pane, "<AREA SHAPE=RECT COORDS=\"" + QString("%1,%2,%3,%4\">").arg(Random(90)).arg(Random(90)).arg(Random(90)).arg(Random(90))); break;
    default: TypeText(pane, RandomText(5)); break;
    }
}

void CTortureTest::PasteText(CDocumentWindow* frame)
{
    static const QStringList texts = {
        "plain", "<AREA SHAPE=CIRCLE COORDS=\"20,20,9\" HREF=\"p.htm\">\n", "line one\nline two\r\nline three",
        "</MAP>\n<MAP NAME=\"pic\">", QString::fromLatin1(QByteArray("A\x01\x1b\x7f\xff\rB", 7)), "",
    };
    const QString text = texts[Random(int(texts.size()))];
    Note(QString("paste \"%1\"").arg(text.left(20)));
    QApplication::clipboard()->setText(text);
    if (Chance(50))
        frame->TextPane()->setFocus();
    else
        frame->Form()->Field(CAreaForm::EField(Random(CAreaForm::kFieldCount)))->setFocus();
    m_fixture->Frame().OnCommand(ID_EDIT_PASTE);
}

void CTortureTest::ZoomBoxEntry()
{
    static const QStringList entries = {"25%", "50", "100%", "150%", "300", "800%", "900%", "abc", "", "0", "12.5%"};
    CZoomComboBox* box = m_fixture->Frame().ZoomBox();
    const QString entry = entries[Random(int(entries.size()))];
    Note(QString("zoom box \"%1\"").arg(entry));
    if (!box->isEnabled())
        return;
    box->setFocus();
    if (box->lineEdit())
        box->lineEdit()->selectAll();
    QTest::keyClicks(box, entry);
    if (Chance(70))
        QTest::keyClick(box, Qt::Key_Return);
}

void CTortureTest::ScrollCanvas(CDocumentWindow* frame)
{
    QScrollBar* bar = Chance(50) ? frame->Canvas()->horizontalScrollBar() : frame->Canvas()->verticalScrollBar();
    const int value = bar->minimum() + Random(bar->maximum() - bar->minimum() + 1);
    Note(QString("scroll to %1").arg(value));
    bar->setValue(value);
}

void CTortureTest::SwitchTab()
{
    const std::vector<CDocumentWindow*> frames = m_fixture->Frames();
    CDocumentWindow* target = frames[std::size_t(Random(int(frames.size())))];
    Note(QString("switch to %1").arg(QString::fromStdString(target->GetActiveDocument()->GetTitle())));
    m_fixture->Frame().ActivateFrame(target);
}

void CTortureTest::CloseAndReopen(CDocumentWindow* frame)
{
    CMapDocument* document = frame->GetActiveDocument();
    const QString path = QString::fromStdString(document->GetPathName());
    Note(QString("close and reopen %1").arg(path));
    if (document->IsModified())
        m_fixture->files.m_saveAnswers.push_back(Chance(50) ? CFilePrompt::ESaveAnswer::kYes : CFilePrompt::ESaveAnswer::kNo);
    m_fixture->Frame().OnCommand(ID_FILE_CLOSE);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const std::size_t messages = m_fixture->prompt.m_messages.size();
    m_fixture->Frame().OnDropFiles({path});
    if (m_fixture->Frames().size() < 3) {
        // Typing may have taken the picture's line out of the page: then it opens no more, with a
        // message, and a fresh page takes its place.
        Note(QString("  not opened again: %1")
                 .arg(m_fixture->prompt.m_messages.size() > messages
                          ? QString::fromStdString(m_fixture->prompt.m_messages.back().text)
                          : QString("without a message")));
        m_fixture->Frame().OnDropFiles({WritePage("fresh" + std::to_string(++m_nFresh) + ".htm", 0)});
    }
}

QString CTortureTest::CheckDocuments() const
{
    const std::vector<CDocumentWindow*> frames = m_fixture->Frames();
    if (frames.size() != 3)
        return QString("%1 document windows instead of 3").arg(frames.size());
    for (CDocumentWindow* frame : frames) {
        const CMapDocument& document = *frame->GetActiveDocument();
        const QString name = QString::fromStdString(document.GetTitle());
        if (!SelectionInList(document))
            return name + ": a selected area that is not in the list";
        const CUndoStep* step = document.CurrentStep();
        if (!step || bool(step->m_bModified) != document.IsModified())
            return name + ": the modified flag differs from the undo step's";
        if (frame->isWindowModified() != document.IsModified())
            return name + ": the window's modified mark differs from the document's";

        // The pane shows the lines, as the codec reads them.
        std::string bytes;
        for (std::size_t i = 0; i < document.Lines().size(); ++i)
            bytes += (i ? "\n" : "") + document.Lines()[i];
        const QString expected = DecodeBytes(bytes, DetectCodec(document.Lines()));
        QString shown = frame->TextPane()->document()->toRawText();
        shown.replace(QChar::ParagraphSeparator, '\n');
        if (shown != expected && shown != expected + "\n")
            return name + ": the text pane differs from the lines";

        // While a gesture is on, the canvas's areas lead the text; afterwards they agree.
        if (frame->Canvas()->Tools().DragState() != EDragState::kIdle)
            continue;
        CAreaList parsed;
        ParseMap(document.Lines(), document.Page().strMapName, document.Picture().Width(), document.Picture().Height(), parsed);
        const QStringList have = Describe(document);
        const QStringList want = Describe(parsed);
        if (have != want)
            return name + ": the areas differ from a fresh parse:\n  have " + have.join("; ") + "\n  want " +
                   want.join("; ") + "\n  lines:\n    " + expected.split('\n').join("\n    ");
    }
    return {};
}

QTEST_MAIN(CTortureTest)
#include "torture_test.moc"
