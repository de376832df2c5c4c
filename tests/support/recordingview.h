// A view for tests that records, at every update, who sent it and the notice, and can offer a
// caret and run an action while it is told. WouldRedrawCanvas applies the canvas's skip rule.
#pragma once

#include "document/mapdocument.h"

#include <functional>
#include <utility>
#include <vector>

namespace mapwright {

class CRecordingView : public CView, public CCaretHost {
public:
    struct CUpdate {
        CView* sender = nullptr;
        CChangeNotice notice;
    };

    explicit CRecordingView(bool hasCaret = false) : m_bHasCaret(hasCaret) {}

    void OnUpdate(CView* sender, const CChangeNotice& notice) override
    {
        m_updates.push_back({sender, notice});
        if (m_onUpdate)
            std::exchange(m_onUpdate, nullptr)();
    }

    CCaretHost* GetCaretHost() override { return m_bHasCaret ? this : nullptr; }
    int GetSelectionStart() const override { return m_nCaret; }
    void SetSelectionAndScroll(int position) override
    {
        m_nCaret = position;
        ++m_nCaretsSet;
    }

    // True when a canvas receiving update would repaint: form edits change nothing it shows.
    static bool WouldRedrawCanvas(const CUpdate& update) { return update.notice.cause != EChangeCause::kForm; }

    std::vector<CUpdate> m_updates;
    bool m_bHasCaret;
    int m_nCaret = 0;
    int m_nCaretsSet = 0;
    // Run once, at the next update.
    std::function<void()> m_onUpdate;
};

}  // namespace mapwright
