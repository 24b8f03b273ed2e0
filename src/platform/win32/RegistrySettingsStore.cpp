#include "platform/win32/RegistrySettingsStore.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "platform/win32/SystemError.h"
#include "platform/win32/WideText.h"

namespace revuro {

namespace {

constexpr const char* kRoot = "Software\\VB and VBA Program Settings";
constexpr const char* kUserRoot = "HKEY_CURRENT_USER\\";

// An open registry key, closed with it.
class KeyHandle {
  public:
    KeyHandle() = default;
    ~KeyHandle() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;

    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

// A value exactly as the registry holds it, to set it back.
struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

// The whole value, however long it grew between asking its size and reading it.
std::optional<RawValue> QueryRaw(HKEY key, const std::wstring& name) {
    RawValue value;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        value.bytes.resize(size);
        status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type,
                                  reinterpret_cast<BYTE*>(value.bytes.data()), &size);
        if (status == ERROR_SUCCESS) {
            value.bytes.resize(size);
            return value;
        }
    }
    return std::nullopt;
}

// Text of a section or key name: one registry name, so no backslash and never empty.
bool IsName(const std::string& text) {
    return !text.empty() && text.find('\\') == std::string::npos &&
           text.find('\0') == std::string::npos && WideText(text).ok();
}

LSTATUS SetText(HKEY key, const std::wstring& name, const std::wstring& text) {
    // REG_SZ holds the terminating NUL too.
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LSTATUS SetRaw(HKEY key, const std::wstring& name, const std::optional<RawValue>& value) {
    if (!value) {
        const LSTATUS status = RegDeleteValueW(key, name.c_str());
        return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }
    return RegSetValueExW(key, name.c_str(), 0, value->type,
                          reinterpret_cast<const BYTE*>(value->bytes.data()),
                          static_cast<DWORD>(value->bytes.size()));
}

std::optional<RawValue> Lookup(const std::string& app, const std::string& section,
                               const std::string& key) {
    if (!IsName(app) || !IsName(section) || !IsName(key)) return std::nullopt;
    KeyHandle handle;
    const std::wstring path = WideText(RegistrySettingsStore::KeyPath(app, section)).value();
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, handle.out()) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return QueryRaw(handle.get(), WideText(key).value());
}

}  // namespace

std::string RegistrySettingsStore::KeyPath(const std::string& app, const std::string& section) {
    return std::string(kRoot) + "\\" + app + "\\" + section;
}

std::string RegistrySettingsStore::GetSetting(const std::string& app, const std::string& section,
                                              const std::string& key) const {
    const std::optional<RawValue> value = Lookup(app, section, key);
    // Only text reads as text; a value of another type reads as missing.
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return {};
    std::wstring text(value->bytes.size() / sizeof(wchar_t), L'\0');
    value->bytes.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
    // The stored terminator, and anything a careless writer left after it, is no part of it.
    text.resize(std::min(text.size(), text.find(L'\0')));
    return Utf8Text(text);
}

Outcome RegistrySettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                           const std::string& key, const std::string& value) {
    return ChangeSettings(app, section, {{key, value}});
}

bool RegistrySettingsStore::HasSetting(const std::string& app, const std::string& section,
                                       const std::string& key) const {
    return Lookup(app, section, key).has_value();
}

Outcome RegistrySettingsStore::ChangeSettings(const std::string& app, const std::string& section,
                                              const std::vector<SettingChange>& changes) {
    const std::string where = kUserRoot + KeyPath(app, section);
    if (!IsName(app) || !IsName(section))
        return Error{"the section \"" + section + "\" cannot be stored", where};
    for (const SettingChange& change : changes) {
        // A NUL would end the text early when it is read.
        if (!IsName(change.key) ||
            (change.value &&
             (change.value->find('\0') != std::string::npos || !WideText(*change.value).ok())))
            return Error{"the setting \"" + change.key + "\" cannot be stored", where};
    }

    KeyHandle handle;
    const std::wstring path = WideText(KeyPath(app, section)).value();
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, handle.out(), nullptr);
    if (status != ERROR_SUCCESS) return SystemError(where, status);

    std::vector<std::pair<std::wstring, std::optional<RawValue>>> before;
    for (const SettingChange& change : changes) {
        const std::wstring name = WideText(change.key).value();
        before.emplace_back(name, QueryRaw(handle.get(), name));
        status = change.value ? SetText(handle.get(), name, WideText(*change.value).value())
                              : SetRaw(handle.get(), name, std::nullopt);
        if (status != ERROR_SUCCESS) {
            for (auto undo = before.rbegin(); undo != before.rend(); ++undo)
                SetRaw(handle.get(), undo->first, undo->second);
            return SystemError(where, status);
        }
    }
    return Ok();
}

}  // namespace revuro
