// The settings file reader on any file, followed by one save: a save must read back, must keep
// every other value, and a file it cannot trust must be kept aside byte for byte.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "FuzzSupport.h"
#include "core/store/IniSettingsStore.h"
#include "platform/Files.h"

using namespace revuro;

namespace {

std::string OrDefault(std::string field, const char* fallback) {
    return field.empty() ? std::string(fallback) : field;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    const std::string path = folder.File("revuro.ini");
    const std::string corrupt = path + ".corrupt";
    std::error_code ignored;
    std::filesystem::remove(corrupt, ignored);

    // Fields: file, application, section, key, value, another key. Empty names mean the
    // program's own, so the real keys are tried against every file.
    fuzz::InputReader input(data, size);
    const std::string file = input.Field();
    const std::string app = OrDefault(input.Field(), "DavodoR2.0");
    const std::string section = OrDefault(input.Field(), "选项设置");
    const std::string key = OrDefault(input.Field(), "顺序播放");
    const std::string value = input.Field();
    const std::string otherKey = OrDefault(input.Field(), "随机播放");
    fuzz::Check(WriteFileAtomically(path, file).ok(), "writing the input");

    IniSettingsStore store(path);
    const std::string otherBefore = store.GetSetting(app, section, otherKey);
    const Outcome saved = store.SaveSetting(app, section, key, value);
    if (!saved) {
        fuzz::Check(ReadWholeFile(path).value() == file, "a refused save changes nothing");
        fuzz::Check(!Exists(corrupt), "a refused save sets nothing aside");
        return 0;
    }
    fuzz::Check(store.GetSetting(app, section, key) == value, "a saved value reads back");
    if (Exists(corrupt)) {
        fuzz::Check(ReadWholeFile(corrupt).value() == file, "a damaged file is kept whole");
        fuzz::Check(otherBefore.empty(), "a damaged file read as empty");
    } else if (otherKey != key) {
        fuzz::Check(store.GetSetting(app, section, otherKey) == otherBefore,
                    "a save keeps the other values");
    }
    return 0;
}
