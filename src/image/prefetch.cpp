#include "image/prefetch.h"

#include "image/imagedecoders.h"

#include <sys/stat.h>

#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace mapwright {

namespace {

struct CFileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool operator==(const CFileIdentity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

std::optional<CFileIdentity> IdentityOf(const std::string& path)
{
    struct stat status{};
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    return CFileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

struct CPrefetch {
    // Taken before the decoder opens the file, so a change while it reads is caught.
    std::optional<CFileIdentity> identity;
    std::future<std::unique_ptr<CDecodedPicture>> decoded;
};

std::mutex g_mutex;
std::map<std::string, CPrefetch>& Prefetches()
{
    static std::map<std::string, CPrefetch> prefetches;
    return prefetches;
}

std::unique_ptr<CDecodedPicture> DecodeFile(const std::string& path)
{
    auto picture = std::make_unique<CDecodedPicture>();
    bool decoded = false;
    switch (CDecodedImage::FormatForPath(path)) {
    case kFormatGif: decoded = DecodeGifFile(path.c_str(), *picture); break;
    case kFormatPng: decoded = DecodePngFile(path.c_str(), *picture); break;
    default: decoded = DecodeJpegFile(path.c_str(), *picture); break;
    }
    return decoded ? std::move(picture) : nullptr;
}

}  // namespace

void PrefetchDecode(const std::string& path)
{
    const std::lock_guard lock(g_mutex);
    if (Prefetches().count(path))
        return;
    CPrefetch& prefetch = Prefetches()[path];
    prefetch.identity = IdentityOf(path);
    prefetch.decoded = std::async(std::launch::async, DecodeFile, path);
}

bool TakePrefetched(const std::string& path, CDecodedPicture& picture)
{
    CPrefetch prefetch;
    {
        const std::lock_guard lock(g_mutex);
        const auto found = Prefetches().find(path);
        if (found == Prefetches().end())
            return false;
        prefetch = std::move(found->second);
        Prefetches().erase(found);
    }
    std::unique_ptr<CDecodedPicture> decoded = prefetch.decoded.get();
    if (!decoded || !prefetch.identity || IdentityOf(path) != prefetch.identity)
        return false;
    picture = std::move(*decoded);
    return true;
}

void DropPrefetched()
{
    auto dropped = std::make_unique<std::map<std::string, CPrefetch>>();
    {
        const std::lock_guard lock(g_mutex);
        dropped->swap(Prefetches());
    }
    // Each future's destructor waits for its decoder: not the caller's business.
    if (!dropped->empty())
        std::thread([dropped = std::move(dropped)]() mutable { dropped.reset(); }).detach();
}

}  // namespace mapwright
