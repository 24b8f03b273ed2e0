#include "core/about/AboutTexts.h"

namespace revuro {

std::string AboutCaption(std::string_view title) { return "关于 " + std::string(title); }

std::string VersionCaption(int major, int minor, int revision) {
    return "版本 " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

std::string AuthorCaption() { return std::string("作者：") + kAuthor; }

std::string HomePageCaption() { return std::string("主页：") + kHomePage; }

std::string MailCaption() { return std::string("E-Mail：") + kMailAddress; }

std::string MailLink() { return std::string("mailto:") + kMailAddress; }

}  // namespace revuro
