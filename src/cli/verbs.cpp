#include "cli/verbs.h"

#include "cli/cliprompt.h"
#include "cli/docjson.h"
#include "cli/editops.h"
#include "html/fileops.h"
#include "document/imagechoice.h"
#include "html/maplines.h"
#include "html/pathrules.h"
#include "image/decodedimage.h"
#include "document/mapdocument.h"

#include <cstdio>

namespace mapwright {

const char* const kUsage =
    "usage: mapwright-cli VERB ...\n"
    "  decode IMAGE [--ppm OUT]\n"
    "  new IMAGE\n"
    "  areas PAGE [--browse IMAGE]\n"
    "  edit PAGE [--browse IMAGE] [--yes] [-o OUT] OP...\n"
    "  export-svg PAGE [--browse IMAGE] [-o OUT]   (standard output without -o)\n"
    "  check PAGE... [--json] [--min warning|error]\n"
    "      checks accessibility and links: a line per finding, or with --json a JSON object per\n"
    "      page; exit status 1 when a finding reaches --min (default error)\n"
    "edit operations, applied in order:\n"
    "  --add rect:L,T,R,B | --add circle:X,Y,R | --add poly:X1,Y1,...\n"
    "  N[,N...] names one area or several, which the operation selects first\n"
    "  --select N[,N...]        --select-all   (the selection that areas reports as \"selected\")\n"
    "  --set N[,N...] FIELD=VALUE  (FIELD: href, alt, target, over, out, title; VALUE is text, escaped when written)\n"
    "  --move N[,N...] DX,DY    (several move together, kept inside the picture)   --resize N HANDLE X,Y\n"
    "  --nudge N[,N...] DX,DY   (as Alt+arrows: kept inside the picture)\n"
    "  --order N[,N...] top|up|down|bottom   (the stacking order: the first area in the text wins)\n"
    "  --insert-vertex N I X,Y  (before vertex I, from 1)   --delete-vertex N I\n"
    "  --grid G                 (the next --add, --move, --resize snap to G pixels; 0: off)\n"
    "  --coords N C1,C2,...     (as typed: 4 numbers, 3, or an even count of at least 4)\n"
    "  --delete N[,N...]   --copy N[,N...]   --paste OX,OY   (the copied areas' box at OX,OY)\n"
    "  --text FILE  --undo      --redo   --save\n"
    "  --replace-picture IMAGE [--scale-areas]\n"
    "  --scale PCT|WxH          (every area; PCT above 0 and at most 10000)\n";

namespace {

void PrintLine(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

// The picture as the canvas shows it, as a binary PPM, top row first.
bool WritePpm(const CDecodedImage& image, const std::string& path, std::string& error)
{
    std::string ppm = "P6\n" + std::to_string(image.Width()) + " " + std::to_string(image.Height()) + "\n255\n";
    ppm.reserve(ppm.size() + std::size_t(image.Width()) * image.Height() * 3);
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.Bits() + std::size_t(y) * image.RowBytes();
        for (int x = 0; x < image.Width(); ++x) {
            if (image.BitsPerPixel() == 8) {
                const CRgbQuad& colour = image.ColorTable()[row[x]];
                ppm += char(colour.rgbRed), ppm += char(colour.rgbGreen), ppm += char(colour.rgbBlue);
            } else {
                const std::uint8_t* pixel = row + 3 * x;
                ppm += char(pixel[2]), ppm += char(pixel[1]), ppm += char(pixel[0]);
            }
        }
    }
    return WriteFileReplacing(path, ppm, error);
}

// Opens page into doc as the editor does; the prompt answers the "not found" question.
bool OpenPage(CMapDocument& doc, CCliPrompt& prompt, const std::string& page, const std::string& browseImage)
{
    if (!browseImage.empty())
        prompt.m_strBrowseImage = browseImage;
    doc.SetPrompt(&prompt);
    return doc.OnOpenDocument(page);
}

}  // namespace

int UsageError(const std::string& reason)
{
    if (!reason.empty())
        std::fprintf(stderr, "mapwright-cli: %s\n", reason.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

int RunDecode(const std::vector<std::string>& args)
{
    std::string image, ppm;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--ppm" && i + 1 < args.size())
            ppm = args[++i];
        else if (image.empty() && !args[i].starts_with("-"))
            image = args[i];
        else
            return UsageError("unexpected argument " + args[i]);
    }
    if (image.empty())
        return UsageError("decode needs an IMAGE");

    CDecodedImage decoded;
    const bool ok = decoded.Decode(image) != 0;
    PrintLine(DecodedImageJson(decoded, ok));
    if (!ok) {
        std::fprintf(stderr, "Error: Can't open image file.\n");
        return 1;
    }
    std::string error;
    if (!ppm.empty() && !WritePpm(decoded, ppm, error)) {
        std::fprintf(stderr, "Cannot write %s: %s.\n", ppm.c_str(), error.c_str());
        return 1;
    }
    return 0;
}

int RunNew(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].starts_with("-"))
        return UsageError("new needs exactly one IMAGE");
    CCliPrompt prompt;
    CImageChoice choice;
    choice.m_bPromptForImage = 0;
    choice.m_strDroppedImagePath = args[0];
    choice.m_strDroppedImageName = FileNameOf(args[0]);
    CMapDocument doc;
    doc.SetPrompt(&prompt);
    doc.SetImageChoice(&choice);
    if (!doc.OnNewDocument())
        return 1;
    const std::string text = JoinLines(doc.Lines());
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

int RunAreas(const std::vector<std::string>& args)
{
    std::string page, browse;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--browse" && i + 1 < args.size())
            browse = args[++i];
        else if (page.empty() && !args[i].starts_with("-"))
            page = args[i];
        else
            return UsageError("unexpected argument " + args[i]);
    }
    if (page.empty())
        return UsageError("areas needs a PAGE");
    CCliPrompt prompt;
    CMapDocument doc;
    if (!OpenPage(doc, prompt, page, browse))
        return 1;
    PrintLine(DocumentJson(doc));
    return 0;
}

int RunEdit(const std::vector<std::string>& args)
{
    CEditRequest request;
    std::string error;
    if (!ParseEditRequest(args, request, error))
        return UsageError(error);
    CCliPrompt prompt;
    prompt.m_bYesWhenSaving = request.yes;
    CMapDocument doc;
    if (!OpenPage(doc, prompt, request.page, request.browseImage))
        return 1;

    CEditCanvas canvas(doc);
    bool saved = false;
    for (const CEditOperation& operation : request.operations) {
        if (!ApplyEditOperation(doc, canvas, operation, request, prompt, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        saved = saved || operation.kind == CEditOperation::kSave;
    }
    if (!saved && !request.output.empty() && !WriteFileReplacing(request.output, JoinLines(doc.Lines()), error)) {
        std::fprintf(stderr, "Cannot write %s: %s.\n", request.output.c_str(), error.c_str());
        return 1;
    }
    PrintLine(DocumentJson(doc));
    return 0;
}

int RunExportSvg(const std::vector<std::string>& args)
{
    std::string page, browse, output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if ((arg == "--browse" || arg == "-o") && i + 1 < args.size())
            (arg == "-o" ? output : browse) = args[++i];
        else if (page.empty() && !args[i].starts_with("-"))
            page = args[i];
        else
            return UsageError("unexpected argument " + args[i]);
    }
    if (page.empty())
        return UsageError("export-svg needs a PAGE");
    CCliPrompt prompt;
    CMapDocument doc;
    if (!OpenPage(doc, prompt, page, browse))
        return 1;
    // Written to standard output, the overlay is taken to be saved beside the page.
    const std::string svg = doc.SvgOverlay(output.empty() ? FolderOf(page) : FolderOf(output), true);
    if (output.empty()) {
        std::fwrite(svg.data(), 1, svg.size(), stdout);
        return 0;
    }
    std::string error;
    if (!WriteFileReplacing(output, svg, error)) {
        std::fprintf(stderr, "Cannot write %s: %s.\n", output.c_str(), error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace mapwright
