// The verbs of mapwright-cli. Each returns the exit status: 0 success, 1 failure, 2 usage error.
#pragma once

#include <string>
#include <vector>

namespace mapwright {

// decode IMAGE [--ppm OUT]
int RunDecode(const std::vector<std::string>& args);
// new IMAGE
int RunNew(const std::vector<std::string>& args);
// areas PAGE [--browse IMAGE]
int RunAreas(const std::vector<std::string>& args);
// edit PAGE [--browse IMAGE] [--yes] [-o OUT] OP...
int RunEdit(const std::vector<std::string>& args);
// export-svg PAGE [--browse IMAGE] [-o OUT]
int RunExportSvg(const std::vector<std::string>& args);

// check PAGE... [--json] [--min warning|error]
int RunCheck(const std::vector<std::string>& args);

// Prints the usage to standard error and returns 2.
int UsageError(const std::string& reason);

extern const char* const kUsage;

}  // namespace mapwright
