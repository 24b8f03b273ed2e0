#include "core/about/AboutTexts.h"

#include <gtest/gtest.h>

#include "Version.h"

namespace revuro {
namespace {

TEST(AboutTexts, CaptionPutsOneBlankBeforeTheTitle) {
    EXPECT_EQ(AboutCaption(kApplicationTitle), "关于 Revuro");
    EXPECT_EQ(AboutCaption("X"), "关于 X");
}

TEST(AboutTexts, VersionShowsMajorMinorRevisionInPlainDecimals) {
    EXPECT_EQ(VersionCaption(kVersionMajor, kVersionMinor, kVersionRevision), "版本 2.0.3");
    EXPECT_EQ(VersionCaption(10, 0, 12), "版本 10.0.12");
    EXPECT_EQ(VersionCaption(0, 0, 0), "版本 0.0.0");
}

TEST(AboutTexts, LinkLinesNameTheAddressesTheyOpen) {
    EXPECT_EQ(HomePageCaption(), std::string("主页：") + kHomePage);
    EXPECT_EQ(MailCaption(), std::string("E-Mail：") + kMailAddress);
    EXPECT_EQ(MailLink(), std::string("mailto:") + kMailAddress);
    EXPECT_EQ(AuthorCaption(), std::string("作者：") + kAuthor);
}

TEST(AboutTexts, AddressesStayInTheReservedExampleDomain) {
    EXPECT_EQ(std::string(kHomePage), "https://revuro.example.org/");
    EXPECT_EQ(std::string(kMailAddress), "feedback@revuro.example.org");
}

}  // namespace
}  // namespace revuro
