// One open HTML page that holds one client-side image map over one image. The lines are the
// master copy; the area lists are parsed from them after every change of the text, and every
// change of an area is written into them at once. Every change ends with an undo step.
#pragma once

#include "document/displaystate.h"
#include "document/imagechoice.h"
#include "document/mappage.h"
#include "document/picture.h"
#include "html/mapblock.h"
#include "html/maplines.h"
#include "html/mapwriter.h"
#include "model/arealist.h"
#include "model/document.h"
#include "document/undostep.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace mapwright {

class CPrompt;

// Where an area edit comes from: the form announces its edits with its own origin code.
enum class EEditSource { kCanvas, kForm };

// Enabled and checked state of one menu entry or toolbar button.
struct CCommandState {
    bool bEnabled = true;
    bool bChecked = false;
    bool operator==(const CCommandState&) const = default;
};

// The two temporary files of one browser test.
struct CTempFilePair {
    std::string strHtmlFile;
    std::string strImageFile;
};

class CMapDocument : public CDocument, public CAreaList {
public:
    static constexpr int kMaxTempFiles = 1024;

    CMapDocument() = default;
    // Deletes from disk both files of every recorded temporary pair.
    ~CMapDocument() override;

    // Where memory failures of the tag operations and the parser are shown; null shows nothing.
    void SetPrompt(CPrompt* prompt) { m_pPrompt = prompt; }
    // What refreshes the document tab bar; unset means nothing to refresh.
    void SetTabBarRefresh(std::function<void()> refresh) { m_refreshTabBar = std::move(refresh); }
    // Refreshes the document tab bar through the hook, if one is set.
    void RefreshTabBar();

    // Rebuilds the areas and the selection from the lines.
    // On a memory failure shows the message and leaves no area.
    void ParseMap();

    // Tag operations on the page's map block. Each returns false (the find returns the
    // not-found position) when the tag or block is absent, or after showing the message when
    // memory runs out.
    std::optional<CTagSpan> FindAreaTag(const CLines& lines, int n);
    bool AddAreaTagFor(const CMapArea& area);
    bool WriteAreaTag(const CMapArea& area);
    bool DeleteAreaTag(CLines& lines, int n);

    // Counts the times the area objects were destroyed (parsed anew, emptied, one deleted): an
    // area pointer taken at one count is good only while the count stays.
    std::uint64_t AreaGeneration() const { return m_nAreaGeneration; }

    // Numbers area as tag AreaCount() + 1, selects it alone and appends it; returns it. Its tag
    // is not written.
    CMapArea& AppendNewArea(std::unique_ptr<CMapArea> area);
    template <class Area> Area& AppendNewArea(std::unique_ptr<Area> area)
    {
        return static_cast<Area&>(AppendNewArea(std::unique_ptr<CMapArea>(std::move(area))));
    }

    // The edit protocol after an area object was changed: rewrites its tag, marks the document
    // modified, refreshes the tab bar, records an undo step and notifies every view but sender.
    // When the tag already reads as area (a drag that ended where it began), nothing is written
    // or recorded and the views are told of a selection only.
    // Returns false, after the memory message, when memory ran out: then nothing is recorded.
    // Afterwards the list is parsed from the text again: area may then be gone.
    bool AreaChanged(const CMapArea& area, EEditSource source, CView* sender);

    // The edit protocol after the keyboard nudged areas: as AreaChanged for all of them at once,
    // except that a nudge of the same areas right after the last one (no other step made or
    // restored since) replaces that nudge's undo step, so that a run of nudges is undone at once.
    bool AreasNudged(const std::vector<CMapArea*>& areas, CView* sender);

    // The edit protocol for a newly drawn area (already numbered and in the list): appends its
    // bare tag, then as AreaChanged from the canvas. When the text has no map block to take the
    // tag, the user is told, the list is parsed from the text again (the area goes) and false
    // is returned; the same holds for AreaPasted.
    bool AreaDrawn(const CMapArea& area, CView* sender);

    // The edit protocol for a pasted area (already numbered and in the list): appends its tag and
    // rewrites it with all attributes, then as AreaChanged from the canvas.
    bool AreaPasted(const CMapArea& area, CView* sender);

    // Puts the areas and their tags in the order given (the area at place i, from 0, is the one
    // numbered order[i]) as one undo step; every tag keeps its bytes and the selection stays with
    // its areas. False, with nothing changed, when order is no arrangement of the areas, changes
    // nothing, or memory ran out (after the message).
    bool ReorderAreas(const std::vector<int>& order, CView* sender);
    // Moves the selected areas in the stacking order, which is the text order: a browser follows
    // the first area that holds the pointer. They move together and keep their order among
    // themselves. False when nothing is selected or they are there already.
    enum class EStackMove { kToTop, kUp, kDown, kToBottom };
    bool MoveSelectedInStack(EStackMove move, CView* sender);
    // Enabled when the selected areas can move so.
    CCommandState OnUpdateStackMove(EStackMove move) const;
    // Moves the areas numbered in numbers, in text order, to stand together before the area
    // numbered before (after the last area when it is beyond the count), as one undo step. False
    // when that changes nothing or a number names no area.
    bool MoveAreasBefore(std::vector<int> numbers, int before, CView* sender);
    // The order (as ReorderAreas takes it) that move would make.
    std::vector<int> StackOrder(EStackMove move) const;

    // Deletes every selected area with its tag, renumbers the areas after them, clears the
    // selection and runs the rest of the edit protocol: one undo step. Returns false and changes
    // nothing when no area is selected or memory ran out.
    bool DeleteSelectedAreas(CView* sender);

    // The edit protocol after several area objects were changed together (a group move, a field
    // set on all of them): their tags are rewritten in one walk of the map, as one undo step; one
    // area goes through AreaChanged. When memory runs out the text stays as it was and the areas
    // follow it again; false then.
    bool AreasChanged(const std::vector<CMapArea*>& areas, EEditSource source, CView* sender);

    // The edit protocol for pasted areas (placed, not yet in the list): appends them with their
    // tags after the last area, selects them and records one undo step. When the text has no map
    // block to take the tags, the user is told once and nothing changes; false then, and when
    // memory ran out.
    bool AreasPasted(std::vector<std::unique_ptr<CMapArea>> areas, CView* sender);

    // Selects every area, or the areas numbered in numbers, and tells every view but sender.
    void SelectAllAreas(CView* sender);
    void SelectAreasNumbered(const std::vector<int>& numbers, CView* sender);

    // Announces lines typed in the text pane (already taken into the lines and parsed): records
    // an undo step and notifies every view but sender that text was typed.
    void TextEdited(CView* sender);

    // Records a step holding every line of lines, the modified flag and the caret of the last
    // view that has one, after dropping the redo tail.
    void PushUndoStep(const CLines& lines);
    // Restores the step before the current one; does nothing at the first step.
    void OnEditUndo();
    // Restores the step after the current one; does nothing at the last step.
    void OnEditRedo();
    CCommandState OnUpdateEditUndo() const;
    CCommandState OnUpdateEditRedo() const;
    // Stores flag as the modified flag of the current step; does nothing without one.
    void SetStepModified(bool flag);
    // The number of steps in the history, and how many of them lead up to the current state.
    int UndoStepCount() const { return static_cast<int>(m_undoSteps.size()); }
    int UndoPosition() const { return m_nUndoPos; }
    // The step made or restored last, or null; and the step at 0-based position (which must exist).
    const CUndoStep* CurrentStep() const { return m_pCurStep; }
    const CUndoStep& UndoStepAt(int position) const { return *m_undoSteps.at(static_cast<std::size_t>(position)); }

    // Tool commands and the two view switches.
    void OnToolSelect();
    void OnToolRect();
    void OnToolCircle();
    void OnToolPoly();
    void OnToolZoom();
    void OnHatchAreas();
    void OnDragHandles();
    CCommandState OnUpdateToolSelect() const;
    CCommandState OnUpdateToolRect() const;
    CCommandState OnUpdateToolCircle() const;
    CCommandState OnUpdateToolPoly() const;
    CCommandState OnUpdateToolZoom() const;
    CCommandState OnUpdateHatchAreas() const;
    CCommandState OnUpdateDragHandles() const;

    // Records the files of a browser test for deletion; when the table is full the pair replaces
    // the last entry, whose files are then left on disk.
    void AddTempFiles(const std::string& htmlFile, const std::string& imageFile);

    // Where new documents take their image from (the main frame's choice); null: no main window.
    void SetImageChoice(CImageChoice* choice) { m_pImageChoice = choice; }
    // Empties the lines and the areas.
    void DeleteContents();
    // Sets the document up for a new image (chosen in the image dialog or dropped): the image,
    // the seven skeleton lines, the first undo step. Returns false when no image was loaded.
    bool OnNewDocument();
    // Sets the document up from the page at path: its lines, image, map and first undo step.
    // Returns false, after the message, when the page, its names or its image cannot be had.
    bool OnOpenDocument(const std::string& path);
    // Offers to copy the image beside the page, then writes the page to path without ever
    // losing the old file. Returns false, after the message, when the page was not written.
    bool OnSaveDocument(const std::string& path);
    // After a save: refreshes the tab bar and stores the modified flag into the current step.
    void SaveCompleted();
    // The folder the save dialog starts in: the image's folder of a new document, else empty.
    const std::string& SaveDialogFolder() const { return m_page.strImageDir; }
    // Loads the page's picture, asking to browse when it is missing; parses the map of an opened
    // page. Returns false, after the message, when the image is not decoded.
    bool LoadImage();
    // The lines from file bytes, and the file bytes of the lines (CR LF after every line).
    void SerializeLoad(std::string_view bytes);
    std::string SerializeStore() const;
    // Takes lines typed in the text pane: marks the document modified, refreshes the tab bar,
    // parses the map and announces the change as TextEdited does.
    void ApplyTypedLines(CLines lines, CView* sender);
    // The same for a keystroke that replaced only lines [change.nFirst, + change.nOldCount) by
    // newLines: only the tags those lines touch are read again when that provably reads as
    // reading the whole map would (else the whole map is read), and the notice names the one tag
    // read again (nTag) when it was one. False, changing nothing, when the change does not fit
    // the lines.
    bool ApplyTypedChange(const CLineChange& change, CLines newLines, CView* sender);

    // Sets the document up from lines read elsewhere, as opening a page does (areas read, a new
    // history of one step, unmodified), over a picture of width x height that is not loaded.
    void OpenLines(CLines lines, std::string mapName, int width, int height);
    // Replaces the lines and reads the areas from them again; records no undo step.
    void ReplaceLines(CLines lines);

    // What Replace Picture does with the areas when the size changes: asks, scales or keeps them.
    enum class EAreaScaling { kAsk, kScale, kKeep };
    // Scales every area (the selected ones when selectedOnly) by fx and fy, kept inside the
    // picture, as one edit with one undo step. Returns false, changing nothing, when a factor is
    // refused (0 or beyond 10,000 %), there is no area to scale or memory ran out.
    bool ScaleAreas(double fx, double fy, bool selectedOnly, CView* sender);
    // Replaces the picture by the image at imagePath: the mapped IMG tag gets its SRC (relative to
    // the page), and its pixel WIDTH and HEIGHT; when the size changes the areas are scaled as
    // scaling says. One edit, one undo step; Undo brings the old picture back. Returns false,
    // after the message, and changes nothing when the image is not decoded or the page has no
    // mapped IMG tag.
    bool ReplacePicture(const std::string& imagePath, EAreaScaling scaling);
    // The folder the page's references start from: the page's own, or the picture's while a
    // new page has not been saved; empty when there is neither.
    std::string PageFolder() const;
    // The map as an SVG overlay for a file in svgFolder (the picture is referred to relative to
    // it); without standalone, the markup to paste into a page.
    std::string SvgOverlay(const std::string& svgFolder, bool standalone) const;

    const CMapPage& Page() const { return m_page; }
    const CLines& Lines() const { return m_page.lines; }
    const CPicture& Picture() const { return m_picture; }
    // Takes image as the picture, as loading the page's picture would.
    void TakePicture(std::unique_ptr<CDecodedImage> image, bool loaded) { m_picture.Take(std::move(image), loaded); }
    const CDisplayState& Display() const { return m_display; }
    // Sets the scale; a view that shows the document learns of it from the notice the caller sends.
    void SetZoom(double zoom) { m_display.dZoom = zoom; }

    // The browser tests whose files are deleted with the document, oldest first.
    std::span<const CTempFilePair> TempFiles() const
    {
        return {m_tempFiles.data(), static_cast<std::size_t>(std::min(m_nTempFiles, kMaxTempFiles))};
    }

private:
    // Tests reach the lines alone through it, to meet the tools with areas read before a change.
    friend struct CMapDocumentProbe;

    enum class ETagResult { kDone, kUnchanged, kNotFound, kOutOfMemory };

    void ReportMemoryFailure();
    // An added area found no map block for its tag: tells the user and makes the lists follow the
    // text again.
    void DropUnwrittenArea();
    // The prompt, or one that answers No when none is set.
    CPrompt& Prompt();
    template <class Operation> ETagResult RunTagOperation(Operation operation);
    ETagResult AddArea(const CMapArea& area);
    // AddArea, dropping the area again when the text has no map block for it.
    bool AddNewAreaTag(const CMapArea& area);
    // Rewrites the attributes of area's tag that no longer read as area's values; written (when
    // given) learns where the tag then stands.
    // Writes area's tag; written receives where it now stands, and change which lines changed
    // when the lines were those of the current undo step before.
    ETagResult WriteArea(const CMapArea& area, std::optional<CTagSpan>* written = nullptr,
                         std::optional<CLineChange>* change = nullptr);
    // Rewrites the tags of areas that no longer read as their areas, in one walk of the map and
    // all or nothing; changed tells whether any was. kNotFound when a tag is missing.
    ETagResult WriteAreas(const std::vector<CMapArea*>& areas, bool& changed);
    // Tells the user that new tags found no map block, or no end of it, to go into.
    void ReportNoMapBlock();
    // PushUndoStep of the page's lines; change, when given, names the only lines that differ from
    // the current step's.
    void PushPageStep(const std::optional<CLineChange>& change = std::nullopt);
    void PushStep(const CLines& lines, const std::optional<CLineChange>& change);
    // Makes the lists what the lines read back as, after an edit of the lines.
    void FollowText();
    // After tag n was rewritten to stand at written: area n takes what its tag now reads as.
    // False when that cannot be shown to leave every other area as it was.
    bool FollowTag(int n, const CTagSpan& written);
    // The rest of the edit protocol, after the lines were written; rewrittenTag (when not 0)
    // names the one tag rewritten, and written where it now stands. kind is what views are told.
    void FinishEdit(EEditSource source, CView* sender, EChangeKind kind, int rewrittenTag = 0,
                    const std::optional<CTagSpan>& written = std::nullopt,
                    const std::optional<CLineChange>& change = std::nullopt);
    // The end of FinishEdit, for an edit whose lists already follow the text: the modified flag,
    // the undo step (change, when given, names the only lines that differ from the last step's)
    // and the notice.
    void RecordEdit(EEditSource source, CView* sender, EChangeKind kind, int rewrittenTag,
                    const std::optional<CLineChange>& change);
    void RestoreStep(int position);
    // lines with the coordinates of every area (or the selected ones) scaled by fx, fy into a
    // picture of width x height; nothing when no area is to be scaled or memory ran out.
    std::optional<CLines> ScaledLines(const CLines& lines, double fx, double fy, int width, int height,
                                      bool selectedOnly);
    void ToggleAddTool(ETool tool);

    CMapPage m_page;
    CPicture m_picture;
    CDisplayState m_display;
    std::array<CTempFilePair, kMaxTempFiles> m_tempFiles;
    std::int32_t m_nTempFiles = 0;
    // Typing in the text pane is being announced: a form edit meanwhile only echoes it.
    bool m_bAnnouncingTyping = false;

    CPrompt* m_pPrompt = nullptr;
    CImageChoice* m_pImageChoice = nullptr;
    std::function<void()> m_refreshTabBar;
    std::uint64_t m_nAreaGeneration = 0;
    std::int32_t m_nUndoPos = 0;
    std::vector<std::unique_ptr<CUndoStep>> m_undoSteps;
    CUndoStep* m_pCurStep = nullptr;
    // Counts the steps made and restored; a nudge run goes on while it stays where the run left it.
    std::uint64_t m_nStepSerial = 0;
    std::uint64_t m_nNudgeSerial = 0;
    std::vector<int> m_nudgedTags;
    // The step whose lines the page's lines are, byte for byte; null when unknown. Every change of
    // the lines clears it, so that only an edit made right after a step may name its lines alone.
    const CUndoStep* m_pStepOfLines = nullptr;
    // Where the last whole reading found the map and its tags, kept up to date by the readings of
    // single tags; empty when unknown. pending: the same for a tag rewritten but not yet read back.
    std::optional<CMapLayout> m_layout;
    std::optional<CMapLayout> m_pendingLayout;
    // Every change of the lines other than an edit that keeps the two above up to date calls this.
    void LinesChanging()
    {
        m_pStepOfLines = nullptr;
        m_layout.reset();
        m_pendingLayout.reset();
    }
    bool LinesAreCurrentStep() const;
    // Records the typed change's undo step and tells the views; tag is the one tag read alone, if
    // any, and tagBoundsBefore what its area covered before.
    void AnnounceTyping(CView* sender, const std::optional<CLineChange>& change, int tag,
                        const std::optional<CAreaBounds>& tagBoundsBefore);
};

template <class Operation>
inline CMapDocument::ETagResult CMapDocument::RunTagOperation(Operation operation)
{
    try {
        return operation() ? ETagResult::kDone : ETagResult::kNotFound;
    } catch (const std::bad_alloc&) {
        ReportMemoryFailure();
        return ETagResult::kOutOfMemory;
    }
}

}  // namespace mapwright
