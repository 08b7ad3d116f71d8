#include "product/UrlEncoding.h"

#include <cstring>

namespace product {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsAsciiAlphanumeric(unsigned char c) {
    // Not isalnum: its answer for bytes above 127 depends on the locale.
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

void AppendEscaped(std::string& out, unsigned char c) {
    out += '%';
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 15];
}

}  // namespace

std::string UrlFormEncode(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsAsciiAlphanumeric(c)) {
            out += ch;
        } else if (c == ' ') {
            out += '+';
        } else {
            AppendEscaped(out, c);
        }
    }
    return out;
}

std::string FileUrlFromPath(const std::string& path) {
    std::string out = "file:///";
    out.reserve(out.size() + path.size() * 3);
    size_t start = 0;
    while (start < path.size() && (path[start] == '/' || path[start] == '\\')) ++start;
    for (size_t i = start; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c == '\\') {
            out += '/';
        } else if (IsAsciiAlphanumeric(c) || (c != 0 && std::strchr("-._~/:", c) != nullptr)) {
            out += static_cast<char>(c);
        } else {
            AppendEscaped(out, c);
        }
    }
    return out;
}

}  // namespace product
