// The accessibility and link check of a map: what a page's author should fix before publishing
// it, found in the lines, the areas read from them and the picture's size. The editor and the
// command-line companion run the same check.
#pragma once

#include "html/maplines.h"
#include "model/arealist.h"

#include <string>
#include <string_view>
#include <vector>

namespace mapwright {

class CMapDocument;

// Listed in the order findings of one area are given.
enum class ECheckRule {
    kPageUnreadable,
    kMapUnused,
    kImgAlt,
    kAreaAlt,
    kAreaHidden,
    kAreaOutside,
    kHrefEmpty,
    kAltVague,
    kAltDuplicate,
    kTargetSmall,
    kStatusText,
    kReadingOrder,
};

enum class ESeverity { kNote, kWarning, kError };

struct CFinding {
    ECheckRule rule = ECheckRule::kAreaAlt;
    int nArea = 0;  // the area's number; 0 when the finding is about the page
    int nLine = 0;  // the tag's line from 1; 0 when there is no tag
    int nOther = 0;  // the other area a finding compares with, if any
    std::string strDetail;  // the message of a finding about the page
};

// The finding in plain words; made when asked, so that a check stays quick however much it finds.
std::string FindingMessage(const CFinding& finding);

// The rule's id as scripts see it ("area-alt"), its severity, and the WCAG 2.2 success criteria
// it stands for ("" when none).
std::string_view RuleId(ECheckRule rule);
ESeverity RuleSeverity(ECheckRule rule);
std::string_view RuleWcag(ECheckRule rule);
std::string_view SeverityName(ESeverity severity);

// Checks the map mapName of lines, whose areas (as ParseMap read them) lie over a picture of
// width x height (0 x 0 when unknown). Findings about the page come first, then those of each
// area in text order, each area's by rule.
std::vector<CFinding> CheckMap(const CLines& lines, std::string_view mapName, const CAreaList& areas, int width,
                               int height);
std::vector<CFinding> CheckDocument(const CMapDocument& doc);

// An area's outline's extent as its coordinates give it.
struct CAreaExtent {
    double left = 0, top = 0, right = 0, bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};
CAreaExtent AreaExtent(const CMapArea& area);

// The areas' numbers in reading order: rows top to bottom (boxes that overlap vertically share
// a row), each row left to right by the boxes' centres.
std::vector<int> ReadingOrder(const CAreaList& areas);

// Quick fixes, each one edit with one undo step. False, with nothing changed, when there is
// nothing to do.
// Gives area n the title its mouse-over text (else its mouse-out text) shows.
bool CopyStatusTextToTitle(CMapDocument& doc, int n);
// Moves the AREA tags into reading order, each keeping its bytes; the text between them stays.
bool SortAreasInReadingOrder(CMapDocument& doc);

// The findings of one page file.
struct CPageCheck {
    std::string strPage;
    std::vector<CFinding> findings;
};

// Opens the page as the editor does and checks it; a page that cannot be opened gives one
// page-unreadable finding saying why.
CPageCheck CheckPageFile(const std::string& page);
// Checks every page on up to threads threads (at least one); the results keep the pages' order.
std::vector<CPageCheck> CheckPageFiles(const std::vector<std::string>& pages, unsigned threads);

}  // namespace mapwright
