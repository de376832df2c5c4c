#include "html/fileops.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mapwright {

namespace {

// Closes a descriptor when it goes out of scope.
class CFileDescriptor {
public:
    explicit CFileDescriptor(int fd) : m_fd(fd) {}
    ~CFileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // Closes now; returns false when the close reports an error (data may not have been written).
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

// A temporary name in the folder of path, short whatever the length of the page's own name, so a
// page whose name is near the system's limit can still be saved.
std::string TemporaryNameBeside(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + ".mapwright-XXXXXX";
}

// A path with a NUL byte names no file: the system would take it only up to that byte, which
// names another one.
bool NamesAFile(const std::string& path) { return path.find('\0') == std::string::npos; }

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error)
{
    if (!NamesAFile(path)) {
        error = std::strerror(EINVAL);
        return false;
    }
    CFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        error = std::strerror(errno);
        return false;
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = std::strerror(errno);
            return false;
        }
        bytes.append(buffer, std::size_t(got));
    }
}

bool WriteFileReplacing(const std::string& requestedPath, std::string_view bytes, std::string& error)
{
    if (!NamesAFile(requestedPath)) {
        error = std::strerror(EINVAL);
        return false;
    }
    // Saving through a link replaces the file it points to, not the link.
    std::string path = requestedPath;
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            path = resolved;
            std::free(resolved);
        }
    }
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    const mode_t mode = exists ? (existing.st_mode & 07777) : NewFileMode();

    std::string temporary = TemporaryNameBeside(path);
    CFileDescriptor file(::mkstemp(temporary.data()));
    if (file.Get() < 0) {
        error = std::strerror(errno);
        return false;
    }
    // The new file takes the old one's group, as a page in a shared group folder must; where the
    // user may not give it that group it keeps the user's own. The group goes first, since a
    // change of group may clear the set-group-ID bit that the mode then restores.
    if (exists && existing.st_gid != ::getegid())
        (void)::fchown(file.Get(), uid_t(-1), existing.st_gid);
    const bool written = WriteAll(file.Get(), bytes) && ::fchmod(file.Get(), mode) == 0 && ::fsync(file.Get()) == 0;
    const int writeErrno = errno;
    if (!written || !file.Close()) {
        error = std::strerror(written ? errno : writeErrno);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool IsReadOnlyFile(const std::string& path)
{
    struct stat info {};
    if (!NamesAFile(path) || ::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    // The super-user may write anything; a file without any write bit is read-only even so.
    if (::geteuid() == 0)
        return (info.st_mode & 0222) == 0;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

bool CanOpenForReading(const std::string& path)
{
    if (!NamesAFile(path))
        return false;
    CFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    return file.Get() >= 0 && ::fstat(file.Get(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool CreateFolderLevels(const std::string& folder)
{
    if (!NamesAFile(folder))
        return false;
    bool anySeparator = false;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        if (folder[i] != '/' && folder[i] != '\\')
            continue;
        anySeparator = true;
        const std::string level = folder.substr(0, i + 1);
        if (::mkdir(level.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
    }
    return anySeparator;
}

bool CopyFileNoOverwrite(const std::string& source, const std::string& target)
{
    if (!NamesAFile(target))
        return false;
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(source, bytes, error))
        return false;
    CFileDescriptor file(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.Get() < 0)
        return false;
    if (!WriteAll(file.Get(), bytes) || !file.Close()) {
        ::unlink(target.c_str());
        return false;
    }
    return true;
}

}  // namespace mapwright
