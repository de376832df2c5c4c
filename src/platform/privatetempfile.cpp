#include "platform/privatetempfile.h"

#include <cstdio>
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
    if (m_pFile)
        std::fclose(m_pFile);
}

bool CPrivateTempFile::Create(const std::string& path)
{
    if (m_pFile || path.empty())
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
    m_pFile = ::fdopen(fd, "wb");
    if (!m_pFile)
        ::close(fd);
    return m_pFile != nullptr;
}

bool CPrivateTempFile::Write(std::string_view bytes)
{
    return m_pFile && std::fwrite(bytes.data(), 1, bytes.size(), m_pFile) == bytes.size();
}

bool CPrivateTempFile::Close()
{
    if (!m_pFile)
        return false;
    std::FILE* file = m_pFile;
    m_pFile = nullptr;
    return std::fclose(file) == 0;
}

}  // namespace mapwright
