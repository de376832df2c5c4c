#include "html/attributes.h"

namespace mapwright {

namespace {

constexpr std::size_t npos = std::string_view::npos;

void AppendEscaped(std::string& out, char c)
{
    switch (c) {
    case '"': out += "&quot;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    default: out += c; break;
    }
}

}  // namespace

std::string EscapeAttributeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        AppendEscaped(out, c);
    return out;
}

std::string StatusHandler(std::string_view text)
{
    std::string out = "window.status='";
    for (const char c : text) {
        if (c == '\\' || c == '\'')
            out += '\\';
        out += c;
    }
    out += "'; return true";
    return out;
}

std::string DecodeAttributeText(std::string_view text)
{
    if (text.find('&') == npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            const std::string_view rest = text.substr(i);
            if (rest.starts_with("&quot;")) {
                out += '"';
                i += 5;
                continue;
            }
            if (rest.starts_with("&lt;")) {
                out += '<';
                i += 3;
                continue;
            }
            if (rest.starts_with("&gt;")) {
                out += '>';
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string ExtractStatusText(std::string_view value)
{
    static constexpr std::string_view kStatus = "status=";
    const std::size_t at = value.find(kStatus);
    if (at == npos)
        return std::string(value);
    const std::size_t open = at + kStatus.size();
    if (open >= value.size())
        return {};
    const char quote = value[open];
    if (quote != '"' && quote != '\'')
        return {};
    std::string text;
    for (std::size_t i = open + 1; i < value.size(); ++i) {
        const char c = value[i];
        if (c == quote)
            return text;
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[i + 1];
            if (next == '\'' || next == '"' || next == '\\') {
                text += next;
                ++i;
                continue;
            }
        }
        text += c;
    }
    return {};  // the string never closes
}

}  // namespace mapwright
