// SHA-256 of a byte buffer, for the picture fingerprints that mapwright-cli prints.
#pragma once

#include <string>
#include <string_view>

namespace mapwright {

// Returns the digest of bytes as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace mapwright
