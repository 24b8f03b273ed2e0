#pragma once

#include <map>
#include <optional>
#include <string>

#include "core/store/SettingsStore.h"

namespace revuro {

// Settings kept in one INI file: a section "[application\section]" per pair, "key=value" lines,
// UTF-8. Every read goes to the file, so a value saved by another process counts at once.
// A file that cannot be read or parsed reads as empty; before it is replaced on the next save
// it is kept beside itself as "<name>.corrupt", so nothing the user had is silently lost.
class IniSettingsStore : public SettingsStore {
  public:
    explicit IniSettingsStore(std::string path);

    // The store of the current user: "revuro.ini" in the user's configuration folder.
    static std::string DefaultPath();

    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key) const override;
    Outcome SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                        const std::string& value) override;
    bool HasSetting(const std::string& app, const std::string& section,
                    const std::string& key) const override;
    Outcome ChangeSettings(const std::string& app, const std::string& section,
                           const std::vector<SettingChange>& changes) override;

    const std::string& path() const { return path_; }

  private:
    using Sections = std::map<std::string, std::map<std::string, std::string>>;

    // nullopt: the file exists but is not a settings file we can trust.
    std::optional<Sections> Load() const;
    Outcome Store(const Sections& sections) const;

    std::string path_;
};

}  // namespace revuro
