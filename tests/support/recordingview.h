// A view for tests that records, at every update, who sent it and the document's change origin
// and restoring flag, and can offer a caret. WouldRedrawCanvas applies the canvas's skip rule.
#pragma once

#include "document/mapdocument.h"

#include <vector>

namespace mapwright {

class CRecordingView : public CView, public CCaretHost {
public:
    struct CUpdate {
        CView* sender = nullptr;
        int hint = 0;
        int changeOrigin = 0;
        int restoring = 0;
    };

    explicit CRecordingView(bool hasCaret = false) : m_bHasCaret(hasCaret) {}

    void OnUpdate(CView* sender, int hint) override
    {
        const auto* doc = static_cast<const CMapDocument*>(GetDocument());
        m_updates.push_back({sender, hint, doc ? doc->m_nChangeOrigin : -1, doc ? doc->m_bRestoring : -1});
    }

    CCaretHost* GetCaretHost() override { return m_bHasCaret ? this : nullptr; }
    int GetSelectionStart() const override { return m_nCaret; }
    void SetSelectionAndScroll(int position) override
    {
        m_nCaret = position;
        ++m_nCaretsSet;
    }

    // True when a canvas receiving update would repaint: form edits are skipped unless restoring.
    static bool WouldRedrawCanvas(const CUpdate& update)
    {
        const bool fromForm = update.changeOrigin == kOriginForm || update.changeOrigin == kOriginFormDuringText;
        return !fromForm || update.restoring != 0;
    }

    std::vector<CUpdate> m_updates;
    bool m_bHasCaret;
    int m_nCaret = 0;
    int m_nCaretsSet = 0;
};

}  // namespace mapwright
