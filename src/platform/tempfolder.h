// The user's folder for temporary files: the browser test's pages and pictures, the exchange
// files for Pagewright.
#pragma once

#include <string>

namespace mapwright {

// Returns the temporary folder ending in '/', as a byte path (TMPDIR when it names a folder);
// empty when there is no such folder.
std::string TempFolder();

}  // namespace mapwright
