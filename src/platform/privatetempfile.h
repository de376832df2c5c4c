// A file written into a folder that other users can write too. Another user may have put a link
// or a file of their own at the name beforehand, to have us overwrite one of our files or hand
// them our text: such a name is refused, never written through.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace mapwright {

class CPrivateTempFile {
public:
    CPrivateTempFile() = default;
    // Closes the file if it is still open; the file stays on disk.
    ~CPrivateTempFile();
    CPrivateTempFile(const CPrivateTempFile&) = delete;
    CPrivateTempFile& operator=(const CPrivateTempFile&) = delete;

    // Opens path for writing, created new (readable by this user alone) or emptied when it is a
    // plain file of this user with no other name. Returns false and writes nothing when the name
    // is a link, another user's file, a file with more names, not a plain file, or cannot be made.
    bool Create(const std::string& path);

    // Writes all of bytes through a buffer; false on any failure.
    bool Write(std::string_view bytes);

    // Writes out the buffer and closes the file; false when its data may not all have reached it.
    bool Close();

private:
    std::FILE* m_pFile = nullptr;
};

}  // namespace mapwright
