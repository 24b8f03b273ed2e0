#pragma once

#include <map>
#include <string>
#include <tuple>

#include "core/store/SettingsStore.h"

namespace revuro::testing {

// Settings held in memory, counting reads so a test can see that nothing is cached.
class MemorySettingsStore : public SettingsStore {
  public:
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key) const override {
        ++reads;
        const auto found = values.find({app, section, key});
        return found == values.end() ? std::string() : found->second;
    }
    Outcome SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                        const std::string& value) override {
        values[{app, section, key}] = value;
        return Ok();
    }
    bool HasSetting(const std::string& app, const std::string& section,
                    const std::string& key) const override {
        return values.count({app, section, key}) > 0;
    }
    Outcome ChangeSettings(const std::string& app, const std::string& section,
                           const std::vector<SettingChange>& changes) override {
        for (const SettingChange& change : changes) {
            if (change.value) {
                values[{app, section, change.key}] = *change.value;
            } else {
                values.erase({app, section, change.key});
            }
        }
        return Ok();
    }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    mutable int reads = 0;
};

}  // namespace revuro::testing
