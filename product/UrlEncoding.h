// product/UrlEncoding.h: texts made safe for web addresses.
#pragma once

#include <string>

namespace product {

// Form encoding of a query value: letters and digits are kept, a blank becomes '+', every other
// byte '%' and two upper-case hexadecimal digits ("2.22" gives "2%2E22").
std::string UrlFormEncode(const std::string& text);

// A "file:///" address for a local path (either separator; "C:\a b\x.htm" gives
// "file:///C:/a%20b/x.htm"), so that a fragment can follow it: a plain path with "#..." appended
// names a file that does not exist. Letters, digits and "-._~/:" are kept, other bytes encoded.
std::string FileUrlFromPath(const std::string& path);

}  // namespace product
