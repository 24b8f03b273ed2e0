#include "core/about/frmAboutLogic.h"

#include <memory>
#include <string_view>
#include <utility>

#include "Version.h"
#include "core/about/AboutTexts.h"
#include "platform/NarrowCodec.h"

namespace revuro {

namespace {
constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoValue = "PATH";
constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kSysInfoFolderValue = "MSINFO";
constexpr const char* kSysInfoProgram = "\\MSINFO32.EXE";

constexpr std::size_t kDwordSize = 4;

std::string DwordText(std::string_view bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = kDwordSize; i-- > 0;) {
        number = (number << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return std::to_string(number);
}
}  // namespace

frmAboutLogic::frmAboutLogic(frmAboutView& view, RegistryReader& registry, const NarrowCodec& codec,
                             FileProbe isPlainFile, ProgramStarter startProgram)
    : view_(view),
      registry_(registry),
      codec_(codec),
      isPlainFile_(std::move(isPlainFile)),
      startProgram_(std::move(startProgram)) {}

void frmAboutLogic::Form_Load() {
    view_.SetCaption(AboutCaption(kApplicationTitle));
    view_.SetVersionText(VersionCaption(kVersionMajor, kVersionMinor, kVersionRevision));
    view_.SetTitleText(kApplicationTitle);
}

void frmAboutLogic::cmdOK_Click() { view_.Unload(); }

void frmAboutLogic::cmdSysInfo_Click() { StartSysInfo(); }

void frmAboutLogic::Label1_Click(std::int16_t Index) {
    switch (Index) {
        case 1:
            view_.OpenAddress(kHomePage);
            break;
        case 2:
            view_.OpenAddress(MailLink());
            break;
        default:  // the author and the free-software lines are no links
            break;
    }
}

void frmAboutLogic::StartSysInfo() {
    std::string SysInfoPath;
    bool found = GetKeyValue(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, SysInfoPath);
    if (!found) {
        // The older place names only the folder the tool lives in.
        found =
            GetKeyValue(kHkeyLocalMachine, kSysInfoFolderKey, kSysInfoFolderValue, SysInfoPath) &&
            isPlainFile_(SysInfoPath + kSysInfoProgram);
        if (found) SysInfoPath += kSysInfoProgram;
    }
    // A value of a type we do not read leaves the path empty: there is nothing to start.
    if (found && !SysInfoPath.empty() && startProgram_(SysInfoPath).ok()) return;
    view_.ShowMessage(kSysInfoUnavailable, kApplicationTitle);
}

bool frmAboutLogic::GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName,
                                const std::string& SubKeyRef, std::string& KeyVal) {
    const auto fail = [&KeyVal] {
        KeyVal.clear();
        return false;
    };
    const Result<std::string> path = codec_.Encode(KeyName);
    const Result<std::string> name = codec_.Encode(SubKeyRef);
    if (!path || !name) return fail();

    // The key closes when `key` goes, on every path out of here. Read access is all a lookup
    // needs; asking for all access is refused to users without administrative rights below
    // HKEY_LOCAL_MACHINE, which would hide an installed tool from them.
    Result<std::unique_ptr<RegistryKey>> key = registry_.OpenKey(KeyRoot, path.value(), kKeyRead);
    if (!key) return fail();
    const Result<RegistryValue> value = key.value()->QueryValue(name.value(), kValueBufferSize);
    if (!value) return fail();

    std::string_view bytes = value.value().data;
    if (bytes.empty()) return fail();  // no data is no value
    switch (value.value().type) {
        case kRegSz: {
            // The registry usually stores the terminating zero with the text; only that goes.
            if (bytes.back() == '\0') bytes.remove_suffix(1);
            Result<std::string> text = codec_.Decode(bytes);
            if (!text) return fail();
            KeyVal = std::move(text).value();
            return true;
        }
        case kRegDword:
            if (bytes.size() != kDwordSize) return fail();
            KeyVal = DwordText(bytes);
            return true;
        default:  // read, but not a kind of value we take: the text stays as it came
            return true;
    }
}

}  // namespace revuro
