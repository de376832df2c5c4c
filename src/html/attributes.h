// Attribute text of an AREA tag: how the five area texts are escaped on writing and decoded on
// reading.
#pragma once

#include <string>
#include <string_view>

namespace mapwright {

// Returns text with '"', '<' and '>' written as &quot;, &lt; and &gt;.
std::string EscapeAttributeText(std::string_view text);

// Returns the mouse handler that shows text in the status bar, not yet escaped for the tag:
// window.status='text'; return true, with a backslash as \\ and an apostrophe as \'.
std::string StatusHandler(std::string_view text);

// Returns text with &quot;, &lt; and &gt; decoded; every other byte as it is.
std::string DecodeAttributeText(std::string_view text);

// Returns the status text of a decoded mouse-over or mouse-out value: the string quoted after
// "status=", with \', \" and \\ standing for the quote, or the whole value without "status=".
std::string ExtractStatusText(std::string_view value);

}  // namespace mapwright
