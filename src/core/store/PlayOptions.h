#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/SettingsStore.h"

namespace revuro {

// The two play choices of the configuration dialog, as they lie in the settings store.
namespace play_options {
inline constexpr const char* kApplication = "DavodoR2.0";
inline constexpr const char* kSection = "选项设置";
inline constexpr const char* kRandomKey = "随机播放";
inline constexpr const char* kLoopKey = "顺序播放";
inline constexpr const char* kYes = "是";
inline constexpr const char* kNo = "否";

// Only "是" counts as on; "否", "" and any other text are off.
inline bool IsOn(std::string_view value) { return value == kYes; }

inline std::string Read(const SettingsStore& store, const char* key) {
    return store.GetSetting(kApplication, kSection, key);
}

// Both choices in one step, so that the store never holds a new one beside an old one.
inline Outcome WriteChoices(SettingsStore& store, bool loop, bool random) {
    return store.ChangeSettings(kApplication, kSection,
                                {{kLoopKey, loop ? kYes : kNo}, {kRandomKey, random ? kYes : kNo}});
}

// Both choices as stored now, an absent one as absent: WriteChoices undone by ChangeSettings.
inline std::vector<SettingChange> StoredChoices(const SettingsStore& store) {
    std::vector<SettingChange> choices;
    for (const char* key : {kLoopKey, kRandomKey}) {
        std::optional<std::string> value;
        if (store.HasSetting(kApplication, kSection, key)) value = Read(store, key);
        choices.push_back({key, std::move(value)});
    }
    return choices;
}
}  // namespace play_options

}  // namespace revuro
