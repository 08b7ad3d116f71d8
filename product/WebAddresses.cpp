#include "product/WebAddresses.h"

#include "product/ProductInfo.h"
#include "product/UrlEncoding.h"

namespace product {

std::string UpdatesAddress() {
    return std::string(kUpdatesBaseAddress) + "?vers=" + UrlFormEncode(kVersionText);
}

}  // namespace product
