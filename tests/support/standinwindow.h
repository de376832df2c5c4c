// A document window for GUI tests as the frame builds it: the form, a stand-in canvas (with a
// view recording what the canvas is told) and the text pane, in that order of views, over a
// page opened as from a file; a view host records the tab list calls.
#pragma once

#include "support/openedpage.h"
#include "support/areachecks.h"
#include "support/recordingview.h"
#include "support/viewfakes.h"
#include "views/areaform.h"
#include "views/htmlpane.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTextBlock>
#include <QtTest>

#include <memory>

namespace mapwright {

struct CStandInWindow {
    explicit CStandInWindow(const CLines& page)
    {
        OpenPage(doc, page);
        auto* layout = new QHBoxLayout(&window);
        form = new CAreaForm(&doc);
        canvas = new CFakeCanvas;
        doc.AddView(&canvasView);
        pane = new CHtmlPane(&doc);
        layout->addWidget(form);
        layout->addWidget(canvas);
        layout->addWidget(pane, 1);
        window.resize(900, 500);
        window.show();
        window.activateWindow();
    }

    // Selects area and tells the views, as a click on the canvas does.
    template <class Area>
    void Select(Area& area)
    {
        doc.SelectArea(area);
        doc.UpdateAllViews(nullptr);
    }

    // Gives the window the document's Undo command on Ctrl+Z, as the main frame's menu has it.
    void AddUndoCommand()
    {
        auto* undo = new QAction(&window);
        undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QObject::connect(undo, &QAction::triggered, [this] { doc.OnEditUndo(); });
        window.addAction(undo);
    }

    // Gives field the focus with the caret at its end, as a click after its text does.
    static void FocusEnd(QLineEdit* field)
    {
        field->setFocus();
        field->end(false);
    }

    // Gives the pane the focus with the caret at position.
    void CaretAt(int position)
    {
        pane->setFocus();
        QTextCursor cursor = pane->textCursor();
        cursor.setPosition(position);
        pane->setTextCursor(cursor);
    }

    int PositionOf(const QString& text) const { return int(pane->document()->toRawText().indexOf(text)); }
    int BlockPosition(int block) const { return pane->document()->findBlockByNumber(block).position(); }
    QString Block(int block) const { return pane->document()->findBlockByNumber(block).text(); }
    QLineEdit* Url() const { return form->Field(CAreaForm::kUrl); }
    CRectArea& Rect(int i = 0) { return *Rects(doc).at(std::size_t(i)); }
    CCircleArea& Circle() { return *Circles(doc).at(0); }

    CRecordingViewHost host;  // first, so that it outlives the form's tab entry
    CMapDocument doc;
    CRecordingView canvasView;
    QWidget window;
    CAreaForm* form = nullptr;
    CFakeCanvas* canvas = nullptr;
    CHtmlPane* pane = nullptr;
};

// The one window a test works in, opened afresh over a page with an empty clipboard.
class CDocumentWindows {
public:
    // Closes the window there is and opens one over page; false when it did not become active.
    bool Open(const CLines& page)
    {
        Close();
        QApplication::clipboard()->clear();
        m_window = std::make_unique<CStandInWindow>(page);
        return QTest::qWaitForWindowActive(&m_window->window);
    }
    void Close() { m_window.reset(); }
    CStandInWindow& Current() { return *m_window; }

private:
    std::unique_ptr<CStandInWindow> m_window;
};

}  // namespace mapwright
