// mapwright-cli: the editor's core for scripts and black-box tests.
#include "cli/verbs.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace mapwright;
    if (argc < 2)
        return UsageError("");
    const std::string verb = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (verb == "--help" || verb == "-h" || verb == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (verb == "decode")
        return RunDecode(args);
    if (verb == "new")
        return RunNew(args);
    if (verb == "areas")
        return RunAreas(args);
    if (verb == "edit")
        return RunEdit(args);
    if (verb == "export-svg")
        return RunExportSvg(args);
    if (verb == "check")
        return RunCheck(args);
    return UsageError("unknown verb '" + verb + "'");
}
