#pragma once

#include <string>
#include <string_view>

namespace revuro {

// The maker's own addresses, in the reserved example domain.
inline constexpr const char* kHomePage = "https://revuro.example.org/";
inline constexpr const char* kMailAddress = "feedback@revuro.example.org";
inline constexpr const char* kAuthor = "Revuro 开发组";

// "关于 " and the title: the about box's caption.
std::string AboutCaption(std::string_view title);
// "版本 major.minor.revision", plain decimals.
std::string VersionCaption(int major, int minor, int revision);

std::string AuthorCaption();    // "作者：" and the author
std::string HomePageCaption();  // "主页：" and the home page
std::string MailCaption();      // "E-Mail：" and the mail address
std::string MailLink();         // "mailto:" and the mail address

}  // namespace revuro
