#include "product/UrlEncoding.h"
#include "product/WebAddresses.h"

#include <gtest/gtest.h>

#include <string>

TEST(UrlFormEncode, KeepsLettersAndDigitsAndEncodesEverythingElse) {
    EXPECT_EQ(product::UrlFormEncode("2.22"), "2%2E22");
    EXPECT_EQ(product::UrlFormEncode("2.22 (64 Bit)"), "2%2E22+%2864+Bit%29");
    EXPECT_EQ(product::UrlFormEncode("a-b_c~/?&="), "a%2Db%5Fc%7E%2F%3F%26%3D");
    // Bytes above 127 and NUL are bytes like any other.
    EXPECT_EQ(product::UrlFormEncode(std::string("\xE9\xFF\0z", 4)), "%E9%FF%00z");
    EXPECT_EQ(product::UrlFormEncode(""), "");
}

TEST(UpdatesAddress, SendsTheVersionEncoded) {
    const std::string address = product::UpdatesAddress();
    const std::string tail = "/RegServer/updates/merovane2/getupdates.php?vers=2%2E22";
    ASSERT_GE(address.size(), tail.size());
    EXPECT_EQ(address.substr(address.size() - tail.size()), tail);
}

TEST(FileUrlFromPath, MakesAnAddressAFragmentCanFollow) {
    EXPECT_EQ(product::FileUrlFromPath("C:\\Program Files\\Adobe\\MerovaneIIHelp\\merovaneIIhelp.htm"),
              "file:///C:/Program%20Files/Adobe/MerovaneIIHelp/merovaneIIhelp.htm");
    EXPECT_EQ(product::FileUrlFromPath("/tmp/a#b%c.htm"), "file:///tmp/a%23b%25c.htm");
}
