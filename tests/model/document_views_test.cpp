#include "model/document.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace mapwright;

namespace {

// Appends "name:tag" (the notice's tag number) to a shared log on every update; can run an
// action while updating.
class CLogView : public CView {
public:
    CLogView(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}

    void OnUpdate(CView* sender, const CChangeNotice& notice) override
    {
        m_log.push_back(m_name + ":" + std::to_string(notice.nTag));
        m_senders.push_back(sender);
        if (m_onUpdate)
            m_onUpdate();
    }

    std::string m_name;
    std::vector<std::string>& m_log;
    std::vector<CView*> m_senders;
    std::function<void()> m_onUpdate;
};

class CCaretView : public CLogView, public CCaretHost {
public:
    using CLogView::CLogView;
    CCaretHost* GetCaretHost() override { return this; }
    int GetSelectionStart() const override { return m_nCaret; }
    void SetSelectionAndScroll(int position) override { m_nCaret = position; }
    int m_nCaret = 0;
};

}  // namespace

TEST(DocumentViews, EveryViewButTheSenderIsToldInCreationOrder)
{
    std::vector<std::string> log;
    CDocument doc;
    CLogView form("form", log), canvas("canvas", log), text("text", log);
    doc.AddView(&form);
    doc.AddView(&canvas);
    doc.AddView(&text);
    doc.AddView(&canvas);  // adding twice keeps one entry
    ASSERT_EQ(doc.GetViews(), (std::vector<CView*>{&form, &canvas, &text}));
    EXPECT_EQ(canvas.GetDocument(), &doc);

    doc.UpdateAllViews(&canvas);
    CChangeNotice tagSeven;
    tagSeven.nTag = 7;
    doc.UpdateAllViews(nullptr, tagSeven);
    EXPECT_EQ(log, (std::vector<std::string>{"form:0", "text:0", "form:7", "canvas:7", "text:7"}));
    EXPECT_EQ(form.m_senders, (std::vector<CView*>{&canvas, nullptr}));
}

TEST(DocumentViews, ViewsClosedOrOpenedDuringAnUpdate)
{
    std::vector<std::string> log;
    CDocument doc;
    auto form = std::make_unique<CLogView>("form", log);
    auto canvas = std::make_unique<CLogView>("canvas", log);
    CLogView late("late", log);
    doc.AddView(form.get());
    doc.AddView(canvas.get());
    // The form closes the canvas and opens another view while it is being told.
    form->m_onUpdate = [&] {
        canvas.reset();
        doc.AddView(&late);
    };
    doc.UpdateAllViews(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"form:0"}));
    EXPECT_EQ(doc.GetViews(), (std::vector<CView*>{form.get(), &late}));

    // A view outliving its document is detached, and may then be destroyed safely.
    auto other = std::make_unique<CDocument>();
    CLogView orphan("orphan", log);
    other->AddView(&orphan);
    doc.AddView(&orphan);  // moves from the other document
    EXPECT_TRUE(other->GetViews().empty());
    doc.RemoveView(&orphan);
    other->AddView(&orphan);
    other.reset();
    EXPECT_EQ(orphan.GetDocument(), nullptr);
}

TEST(DocumentViews, CaretComesFromTheLastViewThatHasOne)
{
    std::vector<std::string> log;
    CDocument doc;
    EXPECT_EQ(doc.GetLastCaretHost(), nullptr);
    CCaretView first("first", log), second("second", log);
    CLogView plain("plain", log);
    doc.AddView(&first);
    doc.AddView(&second);
    doc.AddView(&plain);
    EXPECT_EQ(doc.GetLastCaretHost(), static_cast<CCaretHost*>(&second));
    doc.RemoveView(&second);
    EXPECT_EQ(doc.GetLastCaretHost(), static_cast<CCaretHost*>(&first));
}

TEST(DocumentViews, TitleIsTheFileNameOfThePath)
{
    CDocument doc;
    doc.SetPathName("C:\\web\\maps/harbour.htm");
    EXPECT_EQ(doc.GetPathName(), "C:\\web\\maps/harbour.htm");
    EXPECT_EQ(doc.GetTitle(), "harbour.htm");
    doc.SetPathName("D:page.htm");
    EXPECT_EQ(doc.GetTitle(), "page.htm");
    doc.SetTitle("Untitled");
    doc.SetPathName("/tmp/x.htm", false);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
}
