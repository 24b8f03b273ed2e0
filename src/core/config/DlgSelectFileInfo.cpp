#include "core/config/DlgSelectFileInfo.h"

#include <string_view>

#include "core/Utf8.h"

namespace revuro {

namespace {

constexpr char kNul = '\0';

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset at which the code point with index `skip` starts.
std::size_t OffsetAfterCodePoints(std::string_view text, std::size_t skip) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < text.size(); ++i) {
        if (IsContinuation(text[i])) continue;
        if (seen == skip) return i;
        ++seen;
    }
    return i;
}

}  // namespace

tDlgSelectFileInfo GetDlgSelectFileInfo(const std::string& selectionText,
                                        const std::string& currentFolder,
                                        const CriticalMessage& showError, char separator) {
    const auto fail = [&showError] {
        if (showError) showError(kDlgSelectErrorText, kDlgSelectErrorTitle);
        return tDlgSelectFileInfo{};
    };
    std::string folder = currentFolder;
    const std::size_t textLength = CountCodePoints(selectionText);
    const std::size_t folderLength = CountCodePoints(folder);
    // The current folder is not the selection's: nothing here can be trusted.
    if (textLength < folderLength) return fail();
    std::string_view rest =
        std::string_view(selectionText).substr(OffsetAfterCodePoints(selectionText, folderLength));

    std::vector<std::string> names(1);
    if (!rest.empty() && rest.front() == kNul) {
        // Several files: every NUL starts a name, so doubled or trailing NULs give empty ones.
        for (char c : rest) {
            if (c == kNul) {
                names.emplace_back();
            } else {
                names.back() += c;
            }
        }
    } else {
        if (!rest.empty() && rest.front() == separator) rest.remove_prefix(1);
        // One path never holds a NUL: this is a list of several files from a deeper folder
        // than the current one, and folder + rest would name no file at all.
        if (rest.find(kNul) != std::string_view::npos) return fail();
        names.emplace_back(rest);
    }

    tDlgSelectFileInfo info;
    info.FileCount = static_cast<std::int32_t>(names.size() - 1);
    if (folder.empty() || folder.back() != separator) folder += separator;
    info.FolderPath = std::move(folder);
    info.FileNames = std::move(names);
    return info;
}

}  // namespace revuro
