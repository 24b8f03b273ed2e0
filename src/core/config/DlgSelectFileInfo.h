#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ProgramFolder.h"

namespace revuro {

inline constexpr const char* kDlgSelectErrorText = "GetDlgSelectFileInfo函数执行错误！";
inline constexpr const char* kDlgSelectErrorTitle = "自定义函数错误";

// A file-dialog selection split into its folder and bare names.
struct tDlgSelectFileInfo {
    std::int32_t FileCount = 0;          // 0 when the split failed
    std::string FolderPath;              // ends in exactly one separator
    std::vector<std::string> FileNames;  // [1] to [FileCount]; [0] exists and stays empty
};

// Shows a modal critical box: text, then title.
using CriticalMessage = std::function<void(const std::string& text, const std::string& title)>;

// Splits the open-file dialog's result. `selectionText` is either one full path, or the folder
// followed by NUL + name for each chosen file. The folder and its length are taken from
// `currentFolder` (the dialog has just made the selection's folder current), never from the text.
// A text shorter than the folder, or a single name holding a NUL (a list of several files from
// another folder), shows kDlgSelectErrorText / kDlgSelectErrorTitle through `showError` and
// returns the empty record. Lengths count code points of the UTF-8 text.
tDlgSelectFileInfo GetDlgSelectFileInfo(const std::string& selectionText,
                                        const std::string& currentFolder,
                                        const CriticalMessage& showError,
                                        char separator = NativePathSeparator());

}  // namespace revuro
