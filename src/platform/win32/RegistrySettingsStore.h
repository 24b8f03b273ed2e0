#pragma once

#include <string>
#include <vector>

#include "core/store/SettingsStore.h"

namespace revuro {

// The settings in the current user's part of the registry, where Windows programs of this kind
// have always kept theirs: one key HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\<application>\<section> per section, one REG_SZ value per setting. Text is stored in
// UTF-16, the registry's own form, so values that the A functions wrote in the ANSI code page
// read back the same, and the A functions read ours in it. Every read goes to the registry, so
// a value saved by another process counts at once.
class RegistrySettingsStore : public SettingsStore {
  public:
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key) const override;
    Outcome SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                        const std::string& value) override;
    bool HasSetting(const std::string& app, const std::string& section,
                    const std::string& key) const override;
    // Values already set when a later one fails are set back, so all of the changes are stored
    // or none (unless setting back fails as well).
    Outcome ChangeSettings(const std::string& app, const std::string& section,
                           const std::vector<SettingChange>& changes) override;

    // "Software\VB and VBA Program Settings\<application>\<section>" below HKEY_CURRENT_USER.
    static std::string KeyPath(const std::string& app, const std::string& section);
};

}  // namespace revuro
