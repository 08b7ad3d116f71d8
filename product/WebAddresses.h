// product/WebAddresses.h: the maker's web pages the about box opens.
#pragma once

#include <string>

namespace product {

// The updates page with this version as its "vers" query value, form-encoded.
std::string UpdatesAddress();

}  // namespace product
