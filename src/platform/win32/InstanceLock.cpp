#include "platform/InstanceLock.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/WideText.h"

namespace revuro {

// A named mutex in the logon session's namespace ("Local\"), named after the lock's path. Every
// instance holds it open for its whole life; one that finds it already there is not alone.
struct InstanceLock::Held {
    HANDLE mutex = nullptr;
};

InstanceLock::InstanceLock(const std::string& path) : held_(new Held) {
    const Result<std::wstring> name = WideText(path);
    if (!name) return;  // no name: behave as the only instance
    std::wstring object = L"Local\\" + name.value();
    // Further backslashes would name namespaces that do not exist.
    std::replace(object.begin() + 6, object.end(), L'\\', L'/');
    held_->mutex = CreateMutexW(nullptr, FALSE, object.c_str());
    // No mutex: behave as the only instance, as where no lock file can be made.
    if (held_->mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) anotherRunning_ = true;
}

InstanceLock::~InstanceLock() {
    if (held_->mutex != nullptr) CloseHandle(held_->mutex);
}

}  // namespace revuro
