#include "win32/startup/Win32InstanceQuery.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace revuro {

bool Win32InstanceQuery::TopLevelWindowExists(const std::string& title) const {
    const Result<std::wstring> wide = WideText(title);
    return wide && FindWindowW(nullptr, wide.value().c_str()) != nullptr;
}

}  // namespace revuro
