// Decode speed against the libraries' own command-line tools doing the same work on the same
// files: a 4000 × 3000 colour JPEG (two-pass reduction to 256 colours, Floyd-Steinberg), a
// 4000 × 3000 RGB PNG and a 2000 × 2000 GIF. The tools write to /dev/null; the goal is that our
// decode takes at most 1.1 × the tool's time. Each figure is the median of several runs.
//
//   decode_bench [runs]

#include "image/decodedimage.h"
#include "../tests/image/picturewriter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace picturewriter;

namespace {

constexpr double kGoalRatio = 1.1;

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The full path of program on PATH, or "" when it is not installed.
std::string FindTool(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

// Runs the tool once with its output and messages sent to /dev/null; seconds, or -1 on failure.
double TimeTool(const std::string& tool, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    std::vector<std::string> words = {tool};
    words.insert(words.end(), arguments.begin(), arguments.end());
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto begin = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, tool.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    waitpid(child, &status, 0);
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

double TimeDecode(const std::string& path)
{
    const auto begin = Clock::now();
    mapwright::CDecodedImage image;
    const int result = image.Decode(path);
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    return result == 1 ? seconds : -1;
}

struct Tool {
    std::string program;
    std::vector<std::string> arguments;  // "FILE" stands for the picture
    std::string work;                    // what the tool does, for the report
};

// Prints our median and, for each tool, its median and the ratio against the goal; returns
// false when a ratio misses the goal or a decode fails.
bool Compare(const std::string& title, const std::string& path, const std::vector<Tool>& tools, int runs)
{
    std::printf("\n%s (%lld bytes)\n", title.c_str(), static_cast<long long>(std::filesystem::file_size(path)));
    std::vector<double> ours;
    for (int run = 0; run < runs; ++run)
        ours.push_back(TimeDecode(path));
    if (*std::min_element(ours.begin(), ours.end()) < 0) {
        std::printf("  our decode FAILED\n");
        return false;
    }
    const double ourMedian = Median(ours);
    std::printf("  %-44s %8.1f ms\n", "CDecodedImage::Decode", ourMedian * 1000);
    bool met = true;
    for (const Tool& tool : tools) {
        const std::string found = FindTool(tool.program);
        if (found.empty()) {
            std::printf("  %-44s not installed: no comparison\n", tool.program.c_str());
            continue;
        }
        std::vector<std::string> arguments = tool.arguments;
        std::replace(arguments.begin(), arguments.end(), std::string("FILE"), path);
        std::vector<double> times;
        for (int run = 0; run < runs; ++run)
            times.push_back(TimeTool(found, arguments));
        if (*std::min_element(times.begin(), times.end()) < 0) {
            std::printf("  %-44s failed to run\n", tool.work.c_str());
            continue;
        }
        const double toolMedian = Median(times);
        const double ratio = ourMedian / toolMedian;
        const bool ok = ratio <= kGoalRatio;
        met = met && ok;
        std::printf("  %-44s %8.1f ms   ours/tool %.2f (goal <= %.1f) %s\n", tool.work.c_str(),
                    toolMedian * 1000, ratio, kGoalRatio, ok ? "met" : "MISSED");
    }
    return met;
}

// A photograph-like field: smooth shading, edges and fine noise.
std::vector<std::uint8_t> PhotoSamples(int width, int height)
{
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(width) * height * 3);
    std::mt19937 random(7);
    std::size_t at = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>(random() % 17) - 8;
            const bool disc = (x - width / 3) * (x - width / 3) + (y - height / 2) * (y - height / 2) < height * height / 9;
            int r = 255 * x / width + noise;
            int g = disc ? 220 - 100 * y / height : 60 + 150 * y / height + noise;
            int b = ((x / 97 + y / 61) % 3) * 90 + noise;
            samples[at++] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
            samples[at++] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
            samples[at++] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
        }
    return samples;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    TempFolder folder;
    if (!folder.ok()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    std::printf("Making the pictures...\n");
    const std::vector<std::uint8_t> photo = PhotoSamples(4000, 3000);

    const std::string jpegPath = folder.File("photo.jpg");
    JpegPicture jpeg{4000, 3000, 3, JCS_RGB, 90, false, photo};
    const std::string pngPath = folder.File("photo.png");
    PngPicture png;
    png.width = 4000;
    png.height = 3000;
    png.rows = photo;
    const std::string gifPath = folder.File("picture.gif");
    GifFrame frame;
    frame.width = 2000;
    frame.height = 2000;
    frame.indices.resize(2000 * 2000);
    std::mt19937 random(11);
    for (int y = 0; y < 2000; ++y)
        for (int x = 0; x < 2000; ++x)
            frame.indices[y * 2000 + x] = static_cast<std::uint8_t>(((x / 5) ^ (y / 3)) % 200 + (random() % 8 == 0 ? random() % 56 : 0));
    GifPicture gif{2000, 2000, 0, {}, {frame}};
    for (int i = 0; i < 256; ++i)
        gif.globalColors.push_back(Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 5)});
    if (!WriteJpeg(jpegPath, jpeg) || !WritePng(pngPath, png) || !WriteGif(gifPath, gif)) {
        std::fprintf(stderr, "cannot write the pictures\n");
        return 1;
    }
    std::printf("Median of %d runs each; ours/tool is our time divided by the tool's.\n", runs);

    bool met = true;
    met &= Compare("JPEG 4000 x 3000 colour, to 256 colours", jpegPath,
                   {{"djpeg", {"-colors", "256", "-dither", "fs", "-targa", "-outfile", "/dev/null", "FILE"},
                     "djpeg -colors 256 -dither fs -targa"}},
                   runs);
    met &= Compare("PNG 4000 x 3000 RGB", pngPath,
                   {{"pngtopnm", {"FILE"}, "pngtopnm > /dev/null"}}, runs);
    met &= Compare("GIF 2000 x 2000, 256 colours", gifPath,
                   {{"gif2rgb", {"-1", "-o", "/dev/null", "FILE"}, "gif2rgb -1 -o /dev/null"},
                    {"giftopnm", {"FILE"}, "giftopnm > /dev/null"}},
                   runs);
    std::printf("\n%s\n", met ? "Every comparison met the goal." : "At least one comparison MISSED the goal.");
    return met ? 0 : 2;
}
