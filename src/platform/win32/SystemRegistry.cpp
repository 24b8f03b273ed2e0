#include "platform/win32/SystemRegistry.h"

#include <windows.h>

#include "platform/win32/SystemError.h"

namespace revuro {

namespace {

// An open key, closed with the object.
class SystemRegistryKey : public RegistryKey {
  public:
    SystemRegistryKey(HKEY key, std::string path) : key_(key), path_(std::move(path)) {}
    ~SystemRegistryKey() override { RegCloseKey(key_); }
    SystemRegistryKey(const SystemRegistryKey&) = delete;
    SystemRegistryKey& operator=(const SystemRegistryKey&) = delete;

    Result<RegistryValue> QueryValue(const std::string& name, std::size_t capacity) override {
        RegistryValue value;
        value.data.resize(capacity);
        DWORD type = 0;
        auto size = static_cast<DWORD>(capacity);
        // Data longer than the buffer fails with ERROR_MORE_DATA, as it should here.
        const LSTATUS status = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(value.data.data()), &size);
        if (status != ERROR_SUCCESS) return SystemError(path_ + "\\" + name, status);
        value.type = type;
        value.data.resize(size);
        return value;
    }

  private:
    HKEY key_;
    std::string path_;
};

}  // namespace

Result<std::unique_ptr<RegistryKey>> SystemRegistry::OpenKey(std::uint32_t root,
                                                             const std::string& path,
                                                             std::uint32_t access) {
    // The predefined keys are 32-bit values sign-extended to a handle (HKEY_LOCAL_MACHINE is
    // 0xFFFFFFFF80000002 in a 64-bit program).
    const auto rootKey = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExA(rootKey, path.c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS) return SystemError(path, status);
    return std::unique_ptr<RegistryKey>(std::make_unique<SystemRegistryKey>(key, path));
}

}  // namespace revuro
