// Test in browser: the document's page is written to a temporary file beside a temporary copy of
// its picture, with the image tag pointed at the copy, and opened in the browser of the settings.
// The user's own files are not touched; the document deletes the temporary files when it goes.
#pragma once

#include "document/mapdocument.h"

#include <string>

namespace mapwright {

class CPrompt;

class CBrowserTest {
public:
    // Enabled while the default browser is chosen or a browser program is named.
    static CCommandState OnUpdateTestInBrowser();

    // Tests doc in the browser; every failure is shown through prompt, and no browser starts then.
    static void OnTestInBrowser(CMapDocument& doc, CPrompt& prompt);

    // Returns the base name of a test's files for a document titled title: the title with "_mw"
    // and the counter put before its last extension (or after it all when it has none), and
    // counts the number as used.
    static std::string MakeTempName(const std::string& title);

    // The number the next MakeTempName takes: 0 at program start, never repeated within a run.
    static inline int s_nNameCounter = 0;
};

}  // namespace mapwright
