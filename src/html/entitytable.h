// The named character references of HTML ("amp;", "eacute;", the legacy "amp" without its
// semicolon, ...), sorted by name.
#pragma once

#include <span>
#include <string_view>

namespace mapwright {

struct CNamedReference {
    std::string_view name;  // without the '&'; with the ';' except for the legacy names
    std::string_view utf8;  // the one or two characters it stands for
};

std::span<const CNamedReference> NamedReferences();

}  // namespace mapwright
