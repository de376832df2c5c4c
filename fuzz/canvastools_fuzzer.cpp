// Random gestures on the canvas tools over a page, in a windowless canvas. After every event no
// stored coordinate leaves the picture, no tag the tools wrote does either, and whenever no
// gesture is in progress the areas equal a fresh parse of the lines (when the page has the map's
// block), with current handles, no mouse capture and no timer.
//
// Input: picture width and height, client width and height (one byte each), the event count,
// four bytes per event (kind, x, y, argument), then the page (the three-area page when empty).
#include "fuzzchecks.h"

#include "document/areaclipboard.h"
#include "document/canvastools.h"
#include "document/headlesscanvashost.h"
#include "document/mapdocument.h"
#include "html/mapblock.h"
#include "html/mapreader.h"
#include "html/mapwriter.h"
#include "html/pagenames.h"
#include "html/testpage.h"
#include "support/areachecks.h"
#include "support/openedpage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace mapwright;
using mapwright::fuzz::Check;

namespace {

constexpr int kHeaderBytes = 5;
constexpr int kEventBytes = 4;
constexpr int kUnclamped = 1 << 20;

// The canvas's own view: the document's changes reach the tools as they reach the canvas.
class CToolsView : public CView {
public:
    void OnUpdate(CView*, const CChangeNotice&) override
    {
        if (m_pTools)
            m_pTools->SyncWithDocument();
    }
    CCanvasTools* m_pTools = nullptr;
};

// True when no tag's coordinates reach beyond the picture as written: reading them clamped to the
// picture and unclamped gives the same areas. (A negative one is read as 0 either way; the areas'
// own check and their equality with the text catch a negative one written.)
bool TagsInsidePicture(const CMapDocument& doc)
{
    CAreaList clamped, unclamped;
    ParseMap(doc.Lines(), doc.Page().strMapName, doc.Picture().Width(), doc.Picture().Height(), clamped);
    ParseMap(doc.Lines(), doc.Page().strMapName, kUnclamped, kUnclamped, unclamped);
    return testing::Describe(clamped) == testing::Describe(unclamped);
}

// The number of tags the writer finds in the map.
int WriterTagCount(const CMapDocument& doc)
{
    int count = 0;
    while (FindAreaTag(doc.Lines(), doc.Page().strMapName, count + 1))
        ++count;
    return count;
}

// Hands grab the area numbered n (modulo the count; rectangles, circles, polygons); false when there is none.
template <class Grab> bool GrabNth(CMapDocument& doc, int n, Grab grab)
{
    const int total = int(Rects(doc).size() + Circles(doc).size() + Polys(doc).size());
    if (total == 0)
        return false;
    n %= total;
    if (n < int(Rects(doc).size()))
        return grab(*Rects(doc)[std::size_t(n)]);
    n -= int(Rects(doc).size());
    if (n < int(Circles(doc).size()))
        return grab(*Circles(doc)[std::size_t(n)]);
    return grab(*Polys(doc)[std::size_t(n - int(Circles(doc).size()))]);
}

struct CEvent {
    int kind, x, y, arg;
};

class CSession {
public:
    CSession(const std::uint8_t* header, std::string_view page)
        : m_host(m_doc, 40 + 2 * header[2], 40 + 2 * header[3])
    {
        CLines lines = page.empty() ? kThreeAreaPage : SplitLines(page);
        const std::string mapName = FindPageNames(lines).strMapName;
        m_doc.OpenLines(lines, mapName.empty() ? "PHOTO" : mapName, 8 + 2 * header[0], 8 + 2 * header[1]);
        m_view.m_pTools = &m_tools;
        m_doc.AddView(&m_view);
        m_host.SetSenderView(&m_view);
        m_host.Paint();
        CAreaClipboard::Instance().Clear();
        m_bTagsInside = TagsInsidePicture(m_doc);
        m_bTagsAgree = WriterTagCount(m_doc) == m_doc.AreaCount();
    }
    ~CSession() { CAreaClipboard::Instance().Clear(); }

    void Run(const std::uint8_t* event)
    {
        const CEvent next{event[0] % 24, ClientX(event[1]), ClientY(event[2]), event[3]};
        m_events.push_back(next);
        Dispatch(next.kind, next.x, next.y, next.arg);
        m_host.PaintIfPending();
        static const bool trace = std::getenv("MAPWRIGHT_FUZZ_TRACE") != nullptr;
        if (trace)
            Show();
        CheckState();
    }

private:
    // Client points reach a little beyond every side of the client area.
    int ClientX(std::uint8_t b) const { return b * (m_host.GetClientRect().right + 80) / 255 - 40; }
    int ClientY(std::uint8_t b) const { return b * (m_host.GetClientRect().bottom + 80) / 255 - 40; }

    void Dispatch(int kind, int x, int y, int arg)
    {
        static const double scales[] = {0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 8.0};
        switch (kind) {
        case 0: case 1: case 2: m_tools.OnLButtonDown({x, y}); break;
        case 3: case 4: case 5: case 6: m_tools.OnMouseMove({x, y}, (arg & 1) == 0); break;
        case 7: case 8: m_tools.OnLButtonUp({x, y}); break;
        case 9: m_tools.OnRButtonDown({x, y}); break;
        case 10: m_tools.OnKeyDown(ECanvasKey(arg % 9)); break;
        case 11: m_tools.OnTimer(); break;
        case 12:
            switch (arg % 5) {
            case 0: m_doc.OnToolSelect(); break;
            case 1: m_doc.OnToolRect(); break;
            case 2: m_doc.OnToolCircle(); break;
            case 3: m_doc.OnToolPoly(); break;
            default: m_doc.OnToolZoom(); break;
            }
            break;
        case 13:
            m_doc.SetZoom(scales[arg % 8]);
            m_host.Paint();
            m_host.ScrollToPosition({8 * (x + 40), 8 * (y + 40)});
            break;
        case 14: (arg & 1) ? m_doc.OnEditUndo() : m_doc.OnEditRedo(); break;
        case 15: m_host.LoseCapture(); break;
        case 16: m_host.ResizeClient(1 + (x + 40) % 1000, 1 + (y + 40) % 1000); break;
        case 17: TypeInTextPane(arg); break;
        case 18:
            if (Idle())  // the canvas's area commands wait for a gesture to end
                m_doc.DeleteSelectedAreas(nullptr);
            break;
        case 19:
            GrabNth(m_doc, arg >> 3, [&](auto& area) { return m_tools.GrabHandle({x, y}, area, arg & 7); });
            break;
        case 20: GrabNth(m_doc, arg, [&](auto& area) { return m_tools.GrabArea({x, y}, area); }); break;
        case 21: (arg & 1) ? m_doc.OnHatchAreas() : m_doc.OnDragHandles(); break;
        case 22:
            if (!Idle())
                break;
            if (arg & 1)
                CAreaClipboard::Instance().CopyArea(m_doc);
            else
                PasteAtVisibleCorner();
            break;
        default:
            m_tools.SetDocument(nullptr);  // another document's tab, then this one again
            m_tools.SetDocument(&m_doc);
            break;
        }
    }

    bool Idle() const { return m_tools.DragState() == EDragState::kIdle; }

    // The canvas pastes at the picture pixel shown at its top-left corner.
    void PasteAtVisibleCorner()
    {
        const CClientPoint scroll = m_host.GetScrollPosition();
        CAreaClipboard::Instance().PasteArea(m_doc, Truncate(scroll.x / m_doc.Display().dZoom),
                                             Truncate(scroll.y / m_doc.Display().dZoom), nullptr);
    }

    // The text pane takes the lines with one line removed or doubled, and the map is read anew.
    void TypeInTextPane(int arg)
    {
        CLines lines = m_doc.Lines();
        if (!lines.empty()) {
            const auto at = lines.begin() + arg % int(lines.size());
            if (arg & 0x80)
                lines.insert(at, *at);
            else
                lines.erase(at);
        }
        m_doc.ApplyTypedLines(std::move(lines), nullptr);
        // A doubled line can bring a typed tag into the map block: what it says beyond the
        // picture is the user's, kept as typed, and from then on the rule has nothing to check.
        m_bTagsInside = m_bTagsInside && TagsInsidePicture(m_doc);
    }

    // On a broken rule, shows the event, the areas and the lines before the abort.
    void Expect(bool condition, const char* rule) const
    {
        if (condition)
            return;
        Show();
        Check(false, rule);
    }

    // The events so far, the areas and the lines; after every event with MAPWRIGHT_FUZZ_TRACE set.
    void Show() const
    {
        std::fprintf(stderr, "events (kind x y argument):");
        for (const CEvent& event : m_events)
            std::fprintf(stderr, " %d:%d,%d,%d", event.kind, event.x, event.y, event.arg);
        std::fprintf(stderr, "\nafter event %zu (drag state %d):\n", m_events.size(), int(m_tools.DragState()));
        for (const std::string& area : testing::Describe(m_doc))
            std::fprintf(stderr, "  area %s\n", area.c_str());
        for (const std::string& line : m_doc.Lines())
            std::fprintf(stderr, "  line %s\n", line.c_str());
    }

    void CheckState()
    {
        const int w = m_doc.Picture().Width(), h = m_doc.Picture().Height();
        CAreaList parsed;
        ParseMap(m_doc.Lines(), m_doc.Page().strMapName, w, h, parsed);
        // A tag left open up to the next one (or past the map's end) is one tag to the reader and
        // two to the writer, which then edits other text than the reader read (and a tag added
        // after it can close it): from then on the text says what the user typed, not the tools.
        m_bTagsAgree = m_bTagsAgree && WriterTagCount(m_doc) == parsed.AreaCount();
        Expect(fuzz::AreasInsidePicture(m_doc, w, h), "every area inside the picture");
        Expect(!m_bTagsInside || !m_bTagsAgree || TagsInsidePicture(m_doc), "every tag inside the picture");
        Expect(m_doc.Display().dZoom >= CCanvasTools::kMinScale && m_doc.Display().dZoom <= CCanvasTools::kMaxScale, "scale in range");
        Expect(m_tools.IsTimerRunning() == m_host.IsTimerRunning(), "timer known to the window");
        const int areas = int(Rects(m_doc).size() + Circles(m_doc).size() + Polys(m_doc).size());
        Expect(m_doc.AreaCount() == areas, "area count");
        Expect(m_doc.UndoPosition() >= 1 && m_doc.UndoPosition() <= m_doc.UndoStepCount(), "undo position");
        if (m_tools.DragState() != EDragState::kIdle)
            return;
        Expect(!m_tools.IsDragging() && !m_host.IsTimerRunning() && !m_host.HasCapture(), "an idle canvas holds nothing");
        Expect(HandlesAreCurrent(m_doc), "handles current");
        // Without a map block a drawn area has no tag to go to; the next reading of the text drops it.
        if (!m_bTagsAgree || !FindMapBlock(m_doc.Lines(), m_doc.Page().strMapName))
            return;
        Expect(testing::Describe(m_doc) == testing::Describe(parsed), "areas equal the lines");
    }

    CMapDocument m_doc;
    CToolsView m_view;
    CHeadlessCanvasHost m_host;
    CCanvasTools m_tools{&m_doc, m_host};
    bool m_bTagsInside = false;
    bool m_bTagsAgree = true;
    std::vector<CEvent> m_events;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    const std::size_t events = std::min<std::size_t>(data[4], (size - kHeaderBytes) / kEventBytes);
    const std::size_t pageStart = kHeaderBytes + events * kEventBytes;
    CSession session(data, std::string_view(reinterpret_cast<const char*>(data) + pageStart, size - pageStart));
    for (std::size_t i = 0; i < events; ++i)
        session.Run(data + kHeaderBytes + i * kEventBytes);
    return 0;
}
