#pragma once

#include <string>
#include <string_view>

#include "core/Result.h"
#include "platform/ProgramFolder.h"

namespace revuro {

// How the references in a list name files, by the rules of one platform's paths. With '\' as
// the separator these are Windows paths: '/' separates too, and a path starts at a drive
// ("C:\"), a server share ("\\server\share") or the current drive's root ("\").
class PathRules {
  public:
    explicit PathRules(char separator = NativePathSeparator()) : separator_(separator) {}

    char separator() const { return separator_; }

    // "scheme://...", with a scheme of two or more characters: "C://" is a drive.
    static bool IsUrl(std::string_view reference);
    static bool IsFileUrl(std::string_view reference);
    // The local path a file:// URL names, percent-decoded.
    Result<std::string> PathOfFileUrl(std::string_view url) const;

    bool IsAbsolute(std::string_view path) const;
    // `reference` as seen from `folder`: an absolute path stays as it is, a relative one is
    // joined to the folder. Nothing is resolved against the file system.
    std::string Resolve(std::string_view folder, std::string_view reference) const;
    // The folder part, without a trailing separator unless it is a root.
    std::string Folder(std::string_view path) const;
    std::string FileName(std::string_view path) const;
    // Lower case, without the dot; empty when the name has none.
    std::string Extension(std::string_view path) const;
    // One spelling for every way of writing the same path ("a/./b/../c" is "a/c"; Windows
    // paths are compared without case): tells a list that contains itself.
    std::string Key(std::string_view path) const;

  private:
    bool Windows() const { return separator_ == '\\'; }
    bool IsSeparator(char c) const { return c == separator_ || (Windows() && c == '/'); }
    // How many leading characters form the root ("/", "C:\", "C:", "\\server\share\", "\").
    std::size_t RootLength(std::string_view path) const;

    char separator_;
};

}  // namespace revuro
