#pragma once

#include <string>

#include "platform/Result.h"

namespace revuro {

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
    // Removes the key; a key that is not stored counts as removed.
    virtual Outcome DeleteSetting(const std::string& app, const std::string& section,
                                  const std::string& key) = 0;
};

}  // namespace revuro
