// Attribute text of an AREA tag: how the five area texts are escaped on writing and decoded on
// reading.
#pragma once

#include "html/textbytes.h"

#include <string>
#include <string_view>

namespace mapwright {

// Returns text with '"', '<', '>' and '&' written as &quot;, &lt;, &gt; and &amp;. In a page of
// Windows-1252 bytes a numeric reference to a character those bytes cannot hold stays as it is:
// the page's texts hold such a character so, as the reader leaves it.
std::string EscapeAttributeText(std::string_view text, EPageBytes page = EPageBytes::kUtf8);

// Returns the mouse handler that shows text in the status bar, not yet escaped for the tag:
// window.status='text'; return true, with a backslash as \\ and an apostrophe as \'.
std::string StatusHandler(std::string_view text);

// Returns text with its character references decoded as a browser decodes an attribute value
// (every named reference of HTML, "&#N;", "&#xH;"), the characters written as page's bytes; a
// reference those bytes cannot hold stays as written, and so does every other byte.
std::string DecodeAttributeText(std::string_view text, EPageBytes page = EPageBytes::kUtf8);

// Returns the status text of a decoded mouse-over or mouse-out value: the string quoted after
// "status=", with \', \" and \\ standing for the quote, or the whole value without "status=".
std::string ExtractStatusText(std::string_view value);

}  // namespace mapwright
