// The window of one document: the form on the left and, on the right, the canvas (with its bars)
// above the text pane. It is always shown maximized. The form's column and the canvas's row keep
// their share of the window when it is resized; dragging a splitter bar sets a new share.
#pragma once

#include <QMdiSubWindow>

class QSplitter;

namespace mapwright {

class CCanvasPane;
class CCanvasView;
class CDocManager;
class CDocTabList;
class CEditTarget;
class CAreaForm;
class CHtmlPane;
class CMapDocument;

class CDocumentWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    // The least height the canvas row is given when the window is made.
    static constexpr int kMinCanvasHeight = 20;
    // The form's least width when the window is made.
    static constexpr int kInitialFormWidth = 100;

    // Makes the window of document with its three panes, laid out for a client area of
    // clientSize; the tab strip shows tabList. manager, when given, is asked before the window
    // closes and told when it is gone.
    CDocumentWindow(CMapDocument* document, CDocTabList* tabList, CDocManager* manager,
                    const QSize& clientSize, QWidget* parent = nullptr);
    ~CDocumentWindow() override;

    CMapDocument* GetActiveDocument() const { return m_pDocument; }
    CAreaForm* Form() const { return m_pForm; }
    CCanvasPane* CanvasPane() const { return m_pCanvasPane; }
    CCanvasView* Canvas() const;
    CHtmlPane* TextPane() const { return m_pTextPane; }
    // The form or the text pane, whichever last had the focus; the canvas never becomes it.
    QWidget* ActiveView() const { return m_pActiveView; }
    // What Copy, Delete area and Paste act on: the canvas while it has the focus, else the active view.
    CEditTarget* EditTarget() const;
    QSplitter* OuterSplitter() const { return m_wndSplitter; }
    QSplitter* InnerSplitter() const { return m_wndSplitter2; }

    // Shows the document's title (the same in every window of the document) and its modified mark.
    void UpdateFrameTitle();
    // Moves the focus to the next pane (form, canvas, text pane), or the previous one.
    void ActivateNextPane(bool forward);
    // Closes the window without asking: its document is being closed.
    void CloseWithoutPrompt();

    float m_fFormRatio = 0.22f;    // width of the form's column / width of the client area
    float m_fCanvasRatio = 0.5f;   // height of the canvas's row / height of the client area
    bool m_bSplittersReady = false;  // the first layout is done; resizes keep the shares from now on
    bool m_bTrackRatios = true;      // a moved splitter bar sets new shares (not while shares are applied)

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnCreateClient(const QSize& clientSize);
    void ApplyRatios();
    void OnSplitterMoved();
    void OnFocusChanged(QWidget* now);

    CMapDocument* m_pDocument;
    CDocManager* m_pDocManager;
    QSplitter* m_wndSplitter = nullptr;   // form | right column
    QSplitter* m_wndSplitter2 = nullptr;  // canvas pane above text pane
    CAreaForm* m_pForm = nullptr;
    CCanvasPane* m_pCanvasPane = nullptr;
    CHtmlPane* m_pTextPane = nullptr;
    QWidget* m_pActiveView = nullptr;
    bool m_bClosingWithoutPrompt = false;
};

}  // namespace mapwright
