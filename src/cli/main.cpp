// mapwright-cli: the editor's core for scripts and black-box tests.
#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: mapwright-cli VERB ...\n"
    "verbs:\n"
    "  decode IMAGE [--ppm OUT]\n"
    "  new IMAGE\n"
    "  areas PAGE [--browse IMAGE]\n"
    "  edit PAGE [--browse IMAGE] [--yes] [-o OUT] OP...\n";

int PrintUsage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return PrintUsage();
    const std::string_view verb = argv[1];
    if (verb == "--help" || verb == "-h" || verb == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::fprintf(stderr, "mapwright-cli: unknown verb '%s'\n", argv[1]);
    return PrintUsage();
}
