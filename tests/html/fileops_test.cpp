#include "html/fileops.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <csignal>
#include <fcntl.h>
#include <string_view>
#include <utility>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace mapwright;
namespace fs = std::filesystem;

namespace {

class FileOps : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("mapwright-fileops-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
    static std::string Read(const std::string& path)
    {
        std::string bytes, error;
        EXPECT_TRUE(ReadFileBytes(path, bytes, error)) << error;
        return bytes;
    }

    fs::path m_dir;
};

long FilesIn(const fs::path& folder)
{
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// Saves in a child process whose descriptor limit leaves no descriptor free, so that nothing can
// be opened. Returns whether the save reported success, and its reason otherwise.
std::pair<bool, std::string> SaveWithoutFreeDescriptors(const std::string& path, std::string_view bytes)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {true, "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const int lowestFree = ::open("/dev/null", O_RDONLY);  // descriptors are handed out lowest first
        ::close(lowestFree);
        struct rlimit none {};
        ::getrlimit(RLIMIT_NOFILE, &none);
        none.rlim_cur = rlim_t(lowestFree);
        ::setrlimit(RLIMIT_NOFILE, &none);
        std::string error;
        const bool saved = WriteFileReplacing(path, bytes, error);
        (void)!::write(channel[1], error.data(), error.size());
        ::_exit(saved ? 1 : 0);
    }
    ::close(channel[1]);
    std::string reason;
    char buffer[256];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        reason.append(buffer, std::size_t(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    const bool saved = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    return {saved, reason};
}

}  // namespace

TEST_F(FileOps, ReplacingKeepsEveryByteAndThePermissions)
{
    const std::string page = PathOf("page.htm");
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(page, std::string("old\r\n\0\xff", 7), error)) << error;
    ::chmod(page.c_str(), 0640);
    ASSERT_TRUE(WriteFileReplacing(page, "new\r\n", error)) << error;
    EXPECT_EQ(Read(page), "new\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(page.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesIn(m_dir), 1);  // no temporary left
}

// A group other than the user's own that the user may give a file: a supplementary one, or any
// for the super-user; nothing when there is none.
std::optional<gid_t> OtherSettableGroup()
{
    if (::geteuid() == 0)
        return ::getegid() == 1 ? 2 : 1;
    gid_t groups[256];
    const int count = ::getgroups(256, groups);
    for (int i = 0; i < count; ++i) {
        if (groups[i] != ::getegid())
            return groups[i];
    }
    return std::nullopt;
}

TEST_F(FileOps, ReplacingKeepsTheGroupAndTheSetGroupBitAndReadOnlyIsTold)
{
    const std::optional<gid_t> group = OtherSettableGroup();
    if (!group)
        GTEST_SKIP() << "the user belongs to no second group";
    const std::string page = PathOf("page.htm");
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(page, "old", error)) << error;
    ASSERT_EQ(::chown(page.c_str(), uid_t(-1), *group), 0);
    ASSERT_EQ(::chmod(page.c_str(), 02664), 0);
    EXPECT_FALSE(IsReadOnlyFile(page));
    ASSERT_TRUE(WriteFileReplacing(page, "new", error)) << error;
    struct stat info {};
    ASSERT_EQ(::stat(page.c_str(), &info), 0);
    EXPECT_EQ(info.st_gid, *group);
    EXPECT_EQ(info.st_mode & 07777, 02664u);

    // Read-only for everyone, then also for the owner alone; a missing file or a folder is not.
    ::chmod(page.c_str(), 0444);
    EXPECT_TRUE(IsReadOnlyFile(page));
    ASSERT_TRUE(WriteFileReplacing(page, "forced", error)) << error;
    EXPECT_TRUE(IsReadOnlyFile(page));
    if (::geteuid() != 0) {
        ::chmod(page.c_str(), 0466);
        EXPECT_TRUE(IsReadOnlyFile(page));
    }
    EXPECT_FALSE(IsReadOnlyFile(PathOf("missing.htm")));
    EXPECT_FALSE(IsReadOnlyFile(m_dir.string()));
}

TEST_F(FileOps, ReplacingThroughALinkWritesTheLinkedFile)
{
    const std::string real = PathOf("real.htm");
    const std::string link = PathOf("link.htm");
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(real, "one", error));
    fs::create_symlink(real, link);
    ASSERT_TRUE(WriteFileReplacing(link, "two", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(real), "two");
}

TEST_F(FileOps, AFailedSaveLeavesTheOldFileIntact)
{
    const std::string page = PathOf("page.htm");
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(page, "precious", error));

    // No descriptor left for the temporary file: a limit that root cannot pass either.
    const auto [saved, reason] = SaveWithoutFreeDescriptors(page, "lost?");
    EXPECT_FALSE(saved);
    EXPECT_NE(reason.find("Too many open files"), std::string::npos) << reason;
    EXPECT_EQ(Read(page), "precious");
    EXPECT_EQ(FilesIn(m_dir), 1);

    // The last step fails: a folder stands where the page goes. The written temporary goes too.
    fs::create_directory(m_dir / "folder.htm");
    EXPECT_FALSE(WriteFileReplacing(PathOf("folder.htm"), "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(m_dir / "folder.htm"));
    EXPECT_EQ(FilesIn(m_dir), 2);

    // A read-only folder stops everyone but root.
    if (::geteuid() != 0) {
        fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteFileReplacing(page, "lost?", error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(Read(page), "precious");
    }
}

TEST_F(FileOps, PagesWithNamesUpToTheSystemLimitAreSaved)
{
    // 255 bytes is the longest name a Linux file system takes; the temporary file must not need more.
    const std::string longest = PathOf(std::string(251, 'n') + ".htm");
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(longest, "first", error)) << error;
    ASSERT_TRUE(WriteFileReplacing(longest, "second", error)) << error;
    EXPECT_EQ(Read(longest), "second");
    EXPECT_EQ(FilesIn(m_dir), 1);

    EXPECT_FALSE(WriteFileReplacing(PathOf(std::string(252, 'n') + ".htm"), "x", error));
    EXPECT_NE(error.find("too long"), std::string::npos) << error;
    EXPECT_EQ(FilesIn(m_dir), 1);

    // A bare name is saved into the working folder.
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    const bool bare = WriteFileReplacing("bare.htm", "here", error);
    fs::current_path(previous);
    EXPECT_TRUE(bare) << error;
    EXPECT_EQ(Read(PathOf("bare.htm")), "here");
}

TEST_F(FileOps, AWriteThatFailsHalfwayLeavesTheOldFileIntact)
{
    const std::string page = PathOf("page.htm");
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(page, "precious", error));

    // A file-size limit makes the write of the new text fail part of the way, even for root.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteFileReplacing(page, "a much longer new page", error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_EQ(Read(page), "precious");
    EXPECT_EQ(FilesIn(m_dir), 1);
}

TEST_F(FileOps, AFailedSaveIntoAMissingFolderReportsTheReason)
{
    std::string error;
    EXPECT_FALSE(WriteFileReplacing(PathOf("missing/page.htm"), "x", error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST_F(FileOps, FoldersAreMadeLevelByLevel)
{
    EXPECT_TRUE(CreateFolderLevels(PathOf("a/b/c/")));
    EXPECT_TRUE(fs::is_directory(m_dir / "a/b/c"));
    EXPECT_TRUE(CreateFolderLevels(PathOf("a/b/")));  // existing levels count as made
    EXPECT_FALSE(CreateFolderLevels("nofolder"));

    std::ofstream(PathOf("file")) << "x";
    EXPECT_FALSE(CreateFolderLevels(PathOf("file/sub/")));
}

TEST_F(FileOps, CopyingNeverOverwrites)
{
    const std::string source = PathOf("logo.gif");
    const std::string target = PathOf("copy.gif");
    std::ofstream(source, std::ios::binary) << "GIF89a";
    EXPECT_TRUE(CopyFileNoOverwrite(source, target));
    EXPECT_EQ(Read(target), "GIF89a");

    std::ofstream(source, std::ios::binary) << "changed";
    EXPECT_FALSE(CopyFileNoOverwrite(source, target));
    EXPECT_EQ(Read(target), "GIF89a");
    EXPECT_FALSE(CopyFileNoOverwrite(PathOf("absent.gif"), PathOf("other.gif")));
    EXPECT_FALSE(fs::exists(PathOf("other.gif")));
    EXPECT_FALSE(CanOpenForReading(PathOf("absent.gif")));
    EXPECT_FALSE(CanOpenForReading(m_dir.string()));
    EXPECT_TRUE(CanOpenForReading(source));
}

TEST_F(FileOps, APathWithANulByteNamesNoFile)
{
    // The system would take such a path only up to the NUL byte, which names another file.
    const std::string truncated = PathOf("pic");
    std::ofstream(truncated, std::ios::binary) << "kept";
    const std::string withNul = truncated + std::string("\0.gif", 5);
    std::string bytes, error;
    EXPECT_FALSE(CanOpenForReading(withNul));
    EXPECT_FALSE(ReadFileBytes(withNul, bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(WriteFileReplacing(withNul, "lost?", error));
    EXPECT_FALSE(CopyFileNoOverwrite(truncated, PathOf("copy") + std::string("\0x", 2)));
    EXPECT_FALSE(CreateFolderLevels(PathOf("folder") + std::string("\0x/", 3)));
    EXPECT_EQ(Read(truncated), "kept");
    EXPECT_EQ(FilesIn(m_dir), 1);
}
