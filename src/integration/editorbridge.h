// Paste to Pagewright: hands the document's whole page to Pagewright, the HTML editor, while it
// runs with a document open. The page goes into an exchange file in the temporary folder, and
// the editor is told the file's number over its local server.
#pragma once

#include <cstdint>
#include <string>

namespace mapwright {

class CLocalChannel;
class CPrompt;
class CMapDocument;

class CEditorBridge {
public:
    // The name of the local server Pagewright listens on while it has a document open.
    static constexpr const char* kEditorServerName =
        "Special window for communications between Ferrywright and Pagewright";

    // The kept connection to Pagewright while it is still open, else a new one; null when
    // Pagewright is not listening.
    static CLocalChannel* FindEditorWindow();

    // Writes doc as a save does into a new exchange file and sends Pagewright the line
    // "55555 K\n" with the file's number K. Every failure is shown through prompt; after one,
    // no exchange file is left and nothing was sent.
    static void OnPasteToEditor(CMapDocument& doc, CPrompt& prompt);

    // The exchange file of number k in folder (ending in '/').
    static std::string ExchangeFileName(const std::string& folder, std::int32_t k);

    // Uses so far: 0 at program start, one more at each use, so numbers within a second differ.
    static inline int s_nBridgeCounter = 0;
};

}  // namespace mapwright
