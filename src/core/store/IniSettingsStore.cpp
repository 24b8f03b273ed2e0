#include "core/store/IniSettingsStore.h"

#include <filesystem>
#include <sstream>
#include <string_view>
#include <system_error>

#include "core/Paths.h"
#include "core/Utf8.h"
#include "platform/FileSystemError.h"
#include "platform/Files.h"
#include "platform/UserFolders.h"

namespace revuro {

namespace {

std::string SectionName(const std::string& app, const std::string& section) {
    return app + "\\" + section;
}

// A line break would split the line; a NUL would make the whole file read as damaged.
bool IsStorable(const std::string& text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos &&
           IsValidUtf8(text);
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string path) : path_(std::move(path)) {}

std::string IniSettingsStore::DefaultPath() { return UserConfigFolder() + "/revuro.ini"; }

std::optional<IniSettingsStore::Sections> IniSettingsStore::Load() const {
    Result<std::string> bytes = ReadWholeFile(path_);
    if (!bytes) {
        std::error_code error;
        // Missing is the first run, not damage.
        if (!std::filesystem::exists(FileSystemPath(path_), error)) return Sections{};
        return std::nullopt;
    }
    const std::string& text = bytes.value();
    if (!IsValidUtf8(text) || text.find('\0') != std::string::npos) return std::nullopt;

    Sections sections;
    std::map<std::string, std::string>* keys = nullptr;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() > 2) {
            keys = &sections[line.substr(1, line.size() - 2)];
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || keys == nullptr) return std::nullopt;
        (*keys)[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return sections;
}

std::string IniSettingsStore::GetSetting(const std::string& app, const std::string& section,
                                         const std::string& key) const {
    const std::optional<Sections> sections = Load();
    if (!sections) return {};
    const auto found = sections->find(SectionName(app, section));
    if (found == sections->end()) return {};
    const auto value = found->second.find(key);
    return value == found->second.end() ? std::string() : value->second;
}

Outcome IniSettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                      const std::string& key, const std::string& value) {
    return ChangeSettings(app, section, {{key, value}});
}

bool IniSettingsStore::HasSetting(const std::string& app, const std::string& section,
                                  const std::string& key) const {
    const std::optional<Sections> sections = Load();
    if (!sections) return false;
    const auto found = sections->find(SectionName(app, section));
    return found != sections->end() && found->second.count(key) > 0;
}

Outcome IniSettingsStore::ChangeSettings(const std::string& app, const std::string& section,
                                         const std::vector<SettingChange>& changes) {
    if (!IsStorable(app) || !IsStorable(section) || app.find(']') != std::string::npos ||
        section.find(']') != std::string::npos) {
        return Error{"the section \"" + section + "\" cannot be stored", path_};
    }
    for (const SettingChange& change : changes) {
        const std::string& key = change.key;
        if (!IsStorable(key) || (change.value && !IsStorable(*change.value)) || key.empty() ||
            key.find('=') != std::string::npos || key[0] == '[' || key[0] == ';' || key[0] == '#') {
            return Error{"the setting \"" + key + "\" cannot be stored", path_};
        }
    }

    // A damaged file holds nothing we could read: it counts as empty, and is set aside before
    // it is replaced.
    const std::optional<Sections> loaded = Load();
    const Sections before = loaded.value_or(Sections{});
    Sections sections = before;
    const std::string name = SectionName(app, section);
    for (const SettingChange& change : changes) {
        if (change.value) {
            sections[name][change.key] = *change.value;
        } else if (const auto found = sections.find(name); found != sections.end()) {
            found->second.erase(change.key);
            if (found->second.empty()) sections.erase(found);
        }
    }
    if (sections == before) return Ok();

    if (!loaded) {
        std::error_code error;
        std::filesystem::rename(FileSystemPath(path_), FileSystemPath(path_ + ".corrupt"), error);
        if (error) {
            Error failed = FileSystemError(path_, error);
            failed.reason = "the damaged settings file could not be set aside: " + failed.reason;
            return failed;
        }
    }
    return Store(sections);
}

Outcome IniSettingsStore::Store(const Sections& sections) const {
    std::string text;
    for (const auto& [name, keys] : sections) {
        text += "[" + name + "]\n";
        for (const auto& [k, v] : keys) text += k + "=" + v + "\n";
    }

    std::error_code error;
    std::filesystem::create_directories(FileSystemPath(path_).parent_path(), error);
    if (error) return FileSystemError(path_, error);
    return WriteFileAtomically(path_, text);
}

}  // namespace revuro
