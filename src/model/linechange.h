// A change of a text kept as lines, as the document makes it and its views follow it.
#pragma once

#include <cstddef>

namespace mapwright {

// Lines [nFirst, nFirst + nOldCount) of a text replaced by nNewCount lines, every other line kept.
struct CLineChange {
    std::size_t nFirst = 0;
    std::size_t nOldCount = 0;
    std::size_t nNewCount = 0;
};

}  // namespace mapwright
