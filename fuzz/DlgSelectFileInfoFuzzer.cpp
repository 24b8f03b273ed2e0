// Splitting the file dialog's selection text against the current folder: any text and any
// folder must give either the error box and the empty record, or a record whose names put
// back together give the selection again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/Utf8.h"
#include "core/config/DlgSelectFileInfo.h"

using namespace revuro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(data, size);
    const char separator = (input.Byte() & 1) != 0 ? '\\' : '/';
    const std::string folder = input.Field();  // a folder never holds a NUL
    const std::string selection = input.Rest();

    int errors = 0;
    const tDlgSelectFileInfo info = GetDlgSelectFileInfo(
        selection, folder,
        [&errors](const std::string& text, const std::string& title) {
            fuzz::Check(text == kDlgSelectErrorText && title == kDlgSelectErrorTitle,
                        "the error box's texts");
            ++errors;
        },
        separator);

    if (errors > 0) {
        fuzz::Check(errors == 1, "one error box");
        fuzz::Check(info.FileCount == 0 && info.FolderPath.empty() && info.FileNames.empty(),
                    "a failed split gives the empty record");
        fuzz::Check(CountCodePoints(selection) < CountCodePoints(folder) ||
                        selection.find('\0') != std::string::npos,
                    "only a text shorter than its folder, or one of several names, fails");
        return 0;
    }

    fuzz::Check(info.FileCount >= 1, "a split gives at least one name");
    fuzz::Check(info.FileNames.size() == static_cast<std::size_t>(info.FileCount) + 1,
                "names [0] to [FileCount]");
    fuzz::Check(info.FileNames[0].empty(), "name [0] stays empty");
    const bool endsInSeparator = !folder.empty() && folder.back() == separator;
    fuzz::Check(info.FolderPath == (endsInSeparator ? folder : folder + separator),
                "the folder gains one separator when it has none");
    for (const std::string& name : info.FileNames) {
        fuzz::Check(name.find('\0') == std::string::npos, "names hold no NUL");
    }

    // When the text really starts with the folder, as the dialog gives it, nothing is lost.
    // (Both are text: a folder cut inside a character would not end where its bytes do.)
    if (selection.compare(0, folder.size(), folder) != 0 || !IsValidUtf8(selection) ||
        !IsValidUtf8(folder)) {
        return 0;
    }
    std::string rest = selection.substr(folder.size());
    if (!rest.empty() && rest.front() == '\0') {
        std::string joined;
        for (std::size_t i = 1; i < info.FileNames.size(); ++i) joined += '\0' + info.FileNames[i];
        fuzz::Check(joined == rest, "several names give the selection back");
    } else {
        if (!rest.empty() && rest.front() == separator) rest.erase(0, 1);
        fuzz::Check(info.FileCount == 1 && info.FileNames[1] == rest,
                    "one path gives its name back");
    }
    for (const std::string& name : info.FileNames) {
        fuzz::Check(IsValidUtf8(name), "names of UTF-8 text are UTF-8");
    }
    return 0;
}
