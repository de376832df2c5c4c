// The HTML text of a document as lines without their line ends.
#pragma once

#include "model/linechange.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mapwright {

using CLines = std::vector<std::string>;

// Splits file bytes into lines: a line ends at LF, a CR right before the LF is dropped, and text
// after the last line end is a last line.
CLines SplitLines(std::string_view bytes);

// Joins lines for a file: every line followed by CR LF, the last one included.
std::string JoinLines(const CLines& lines);

}  // namespace mapwright
