#include "platform/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace revuro {

namespace {

std::string AbsoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

}  // namespace

std::string UserHomeFolder() {
    std::string home = AbsoluteVariable("HOME");
    if (home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir)
            home = entry->pw_dir;
    }
    return home.empty() ? std::string("/tmp") : home;
}

std::string UserConfigFolder() {
    std::string folder = AbsoluteVariable("XDG_CONFIG_HOME");
    return folder.empty() ? UserHomeFolder() + "/.config" : folder;
}

std::string UserDataFolder() {
    std::string folder = AbsoluteVariable("XDG_DATA_HOME");
    return folder.empty() ? UserHomeFolder() + "/.local/share" : folder;
}

std::string UserRuntimeFolder() {
    std::string folder = AbsoluteVariable("XDG_RUNTIME_DIR");
    if (!folder.empty()) return folder;
    folder = "/tmp/revuro-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

}  // namespace revuro
