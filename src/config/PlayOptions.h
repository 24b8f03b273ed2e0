#pragma once

#include <string>
#include <string_view>

#include "config/SettingsStore.h"

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
inline Outcome Write(SettingsStore& store, const char* key, bool on) {
    return store.SaveSetting(kApplication, kSection, key, on ? kYes : kNo);
}
}  // namespace play_options

}  // namespace revuro
