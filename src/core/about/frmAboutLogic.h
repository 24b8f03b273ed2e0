#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "core/Result.h"
#include "core/about/RegistryReader.h"
#include "core/about/frmAboutView.h"

namespace revuro {

class NarrowCodec;

inline constexpr const char* kSysInfoUnavailable = "此时系统信息不可用";
// The most data one registry lookup takes.
inline constexpr std::size_t kValueBufferSize = 1024;

// The about box's behaviour: the texts it shows at load, its buttons, its links and the
// search for the system-information tool.
class frmAboutLogic {
  public:
    // Whether a plain file (not a folder) exists at the path.
    using FileProbe = std::function<bool(const std::string& path)>;
    // Starts a program with a normal, focused window and does not wait for it.
    using ProgramStarter = std::function<Outcome(const std::string& path)>;

    frmAboutLogic(frmAboutView& view, RegistryReader& registry, const NarrowCodec& codec,
                  FileProbe isPlainFile, ProgramStarter startProgram);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label1_Click(std::int16_t Index);

    // Starts the system-information tool, or says that it is not available.
    void StartSysInfo();
    // Reads the value `SubKeyRef` of key `KeyName` below `KeyRoot` into `KeyVal`. True when it
    // was read; on failure `KeyVal` is empty.
    bool GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName,
                     const std::string& SubKeyRef, std::string& KeyVal);

  private:
    frmAboutView& view_;
    RegistryReader& registry_;
    const NarrowCodec& codec_;
    FileProbe isPlainFile_;
    ProgramStarter startProgram_;
};

}  // namespace revuro
