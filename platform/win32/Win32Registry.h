// Win32Registry.h - Registry on the real Windows registry, below HKEY_CURRENT_USER.
//
// Win32 layer. Keys are created or opened with RegCreateKeyExA (all access, non-volatile), values set
// with RegSetValueExA as REG_SZ, keys closed with RegCloseKey. Every key handed out is held by a
// small owner that closes it, so a key the caller forgets is closed with the registry object. A key
// handle this object did not hand out (or already closed) is refused (ERROR_INVALID_HANDLE), never
// passed to Windows; so are arguments Windows would misread (ERROR_INVALID_PARAMETER). A failure of
// Windows itself is its own code.
#pragma once

#include "builder/Registry.h"

#include <memory>
#include <vector>

namespace wizard::platform {

class Win32Registry : public Registry {
public:
    Win32Registry();
    ~Win32Registry() override;  // closes every key still open
    Win32Registry(const Win32Registry&) = delete;
    Win32Registry& operator=(const Win32Registry&) = delete;

    RegistryOutcome createKey(RegistryKey parent, const char* subKey, RegistryKey* key) override;
    RegistryOutcome setStringValue(RegistryKey key, const char* name, const char* data, std::uint32_t length) override;
    RegistryOutcome closeKey(RegistryKey key) override;

    // Number of keys handed out and not yet closed.
    std::size_t openKeyCount() const { return m_openKeys.size(); }

private:
    class OpenKey;  // owns one HKEY; its destructor calls RegCloseKey

    const OpenKey* find(RegistryKey key) const;

    std::vector<std::unique_ptr<OpenKey>> m_openKeys;
};

}  // namespace wizard::platform
