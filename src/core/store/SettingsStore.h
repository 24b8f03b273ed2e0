#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Result.h"

namespace revuro {

// One key's new value in a change of several; no value removes the key.
struct SettingChange {
    std::string key;
    std::optional<std::string> value;
};

// The per-user settings store, addressed by application, section and key, holding strings.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    // A missing application, section or key reads as "".
    virtual std::string GetSetting(const std::string& app, const std::string& section,
                                   const std::string& key) const = 0;
    virtual Outcome SaveSetting(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& value) = 0;
    // Whether the key is stored at all; "" can be a stored value too.
    virtual bool HasSetting(const std::string& app, const std::string& section,
                            const std::string& key) const = 0;
    // Several keys of one section in a single step: all of the changes are stored, or none.
    // Removing a key that is not stored changes nothing.
    virtual Outcome ChangeSettings(const std::string& app, const std::string& section,
                                   const std::vector<SettingChange>& changes) = 0;
};

}  // namespace revuro
