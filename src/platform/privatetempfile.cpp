#include "platform/privatetempfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mapwright {

namespace {

// The opened object is the one checked, so nothing can be swapped in between the check and
// the write.
bool IsOwnPlainFile(int fd)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
           info.st_nlink == 1;
}

}  // namespace

CPrivateTempFile::~CPrivateTempFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CPrivateTempFile::Create(const std::string& path)
{
    if (m_fd >= 0 || path.empty())
        return false;
    // O_NOFOLLOW refuses a link as the last part of the name; O_NONBLOCK keeps a planted FIFO
    // from blocking the open.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (!IsOwnPlainFile(fd) || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool CPrivateTempFile::Write(std::string_view bytes)
{
    if (m_fd < 0)
        return false;
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

bool CPrivateTempFile::Close()
{
    if (m_fd < 0)
        return false;
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
}

}  // namespace mapwright
