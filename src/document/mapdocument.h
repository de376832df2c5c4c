// One open HTML page that holds one client-side image map over one image. The lines are the
// master copy; the area lists are parsed from them after every change of the text, and every
// change of an area is written into them at once. Every change ends with an undo step.
#pragma once

#include "document/imagechoice.h"
#include "html/maplines.h"
#include "html/mapwriter.h"
#include "model/arealist.h"
#include "model/document.h"
#include "document/undostep.h"
#include "image/decodedimage.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwright {

class CPrompt;

// Values of m_nChangeOrigin, and the code the canvas passes to PushUndoStep.
enum EChangeOrigin : int {
    kOriginNone = 0,
    kOriginForm = 1,            // an attribute edited in the form
    kOriginCanvas = 2,          // a change made on the canvas (undo code only, never announced)
    kOriginText = 3,            // text edited in the text pane
    kOriginFormDuringText = 13  // a form edit while a text-pane change is being announced
};

// Values of m_nTool.
enum ETool : int {
    kToolZoom = 0,
    kToolSelect = 1,
    kToolRect = 2,
    kToolCircle = 3,
    kToolPoly = 4
};

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

    // Rebuilds the three area lists, the count and the selection from m_lines.
    // On a memory failure shows the message and leaves no area.
    void ParseMap();

    // Tag operations on the map block named m_strMapName. Each returns false (the find returns the
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
    // Returns false, after the memory message, when memory ran out: then nothing is recorded.
    // Afterwards the list is parsed from the text again: area may then be gone.
    bool AreaChanged(const CMapArea& area, EEditSource source, CView* sender);

    // The edit protocol for a newly drawn area (already numbered and in the list): appends its
    // bare tag, then as AreaChanged from the canvas. When the text has no map block to take the
    // tag, the user is told, the list is parsed from the text again (the area goes) and false
    // is returned; the same holds for AreaPasted.
    bool AreaDrawn(const CMapArea& area, CView* sender);

    // The edit protocol for a pasted area (already numbered and in the list): appends its tag and
    // rewrites it with all attributes, then as AreaChanged from the canvas.
    bool AreaPasted(const CMapArea& area, CView* sender);

    // Deletes the first selected area with its tag, renumbers the
    // areas after it, clears the selection and runs the rest of the edit protocol. Returns false
    // and changes nothing when no area is selected or memory ran out.
    bool DeleteSelectedArea(CView* sender);

    // Announces lines typed in the text pane (already taken into m_lines and parsed): records an
    // undo step and notifies every view but sender, with m_nChangeOrigin 3 meanwhile.
    void TextEdited(CView* sender);

    // Records a step holding every line of lines, the modified flag and the caret of the last
    // view that has one, after dropping the redo tail. The origin code is not stored.
    void PushUndoStep(const CLines& lines, int origin);
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
    const std::string& SaveDialogFolder() const { return m_strImageDir; }
    // Loads m_strImagePath, asking to browse when it is missing; parses the map of an opened
    // page. Returns false, after the message, when the image is not decoded.
    bool LoadImage();
    // The lines from file bytes, and the file bytes of the lines (CR LF after every line).
    void SerializeLoad(std::string_view bytes);
    std::string SerializeStore() const;
    // Takes lines typed in the text pane: marks the document modified, refreshes the tab bar,
    // parses the map and announces the change as TextEdited does.
    void ApplyTypedLines(CLines lines, CView* sender);

    std::string m_strImagePath = "Image Window";
    std::string m_strImageName;
    std::string m_strImageDir;
    std::string m_strMapName;
    std::int32_t m_nImageHeight = 0;
    std::int32_t m_nImageWidth = 0;
    std::int32_t m_bFromFile = 0;
    double m_dZoom = 1.0;
    std::int32_t m_bImageOk = 0;
    std::unique_ptr<CDecodedImage> m_pImage;
    std::int32_t m_bShowHandles = 1;
    std::int32_t m_bHatch = 1;
    double m_dZoomStep = 1.0;
    CLines m_lines;
    std::array<CTempFilePair, kMaxTempFiles> m_tempFiles;
    std::int32_t m_nTempFiles = 0;
    std::int32_t m_bRestoring = 0;
    std::int32_t m_nChangeOrigin = kOriginNone;
    std::int32_t m_bZoomMode = 0;
    std::int32_t m_nTool = kToolSelect;

private:
    enum class ETagResult { kDone, kNotFound, kOutOfMemory };

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
    ETagResult WriteArea(const CMapArea& area, std::optional<CTagSpan>* written = nullptr);
    // Makes the lists what the lines read back as, after an edit of the lines.
    void FollowText();
    // After tag n was rewritten to stand at written: area n takes what its tag now reads as.
    // False when that cannot be shown to leave every other area as it was.
    bool FollowTag(int n, const CTagSpan& written);
    // Steps 3 to 8 of the edit protocol, after the lines were written; rewrittenTag (when not 0)
    // names the one tag rewritten, and written where it now stands.
    void FinishEdit(EEditSource source, CView* sender, int rewrittenTag, const std::optional<CTagSpan>& written);
    void FinishEdit(EEditSource source, CView* sender) { FinishEdit(source, sender, 0, std::nullopt); }
    void RestoreStep(int position);
    void ToggleAddTool(int tool);

    CPrompt* m_pPrompt = nullptr;
    CImageChoice* m_pImageChoice = nullptr;
    std::function<void()> m_refreshTabBar;
    std::uint64_t m_nAreaGeneration = 0;
    std::int32_t m_nUndoPos = 0;
    std::vector<std::unique_ptr<CUndoStep>> m_undoSteps;
    CUndoStep* m_pCurStep = nullptr;
};

}  // namespace mapwright
