// The file operations of opening and saving pages, on byte-string paths. A path with a NUL byte
// names no file: every operation fails on it.
#pragma once

#include <string>
#include <string_view>

namespace mapwright {

// Reads the whole file into bytes. Returns false with a reason in error when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

// Replaces path with bytes through a temporary file beside it, so that a failure leaves the old
// file untouched. Returns false with a reason in error. A new file gets the usual permissions; a
// replaced one keeps its mode and, where the user may set it, its group.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error);

// True when path names an existing file that its permissions forbid this user to write; for
// the super-user, a file with no write permission for anyone.
bool IsReadOnlyFile(const std::string& path);

// True when path can be opened for reading.
bool CanOpenForReading(const std::string& path);

// Creates the folder level by level: for each '\' or '/' from the left, the path up to and
// including it. An existing folder counts as made; a folder without any separator is a failure.
bool CreateFolderLevels(const std::string& folder);

// Copies source to target; never overwrites an existing target. Returns false on any failure,
// leaving no partial target behind.
bool CopyFileNoOverwrite(const std::string& source, const std::string& target);

}  // namespace mapwright
