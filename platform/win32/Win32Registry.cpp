// Win32Registry.cpp - the real registry below HKEY_CURRENT_USER (see Win32Registry.h).
#include "platform/win32/Win32Registry.h"

#include <windows.h>  // RegCreateKeyExA, RegSetValueExA, RegCloseKey

#include <algorithm>

namespace wizard::platform {

// One open registry key. Not copyable: a copy would close the key twice.
class Win32Registry::OpenKey {
public:
    explicit OpenKey(HKEY key) : m_key(key) {}
    ~OpenKey() { ::RegCloseKey(m_key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return m_key; }
    RegistryKey handle() const { return reinterpret_cast<RegistryKey>(m_key); }

private:
    HKEY m_key;
};

namespace {

// The outcome of a call that came to the system's `code` (ERROR_SUCCESS: done).
RegistryOutcome outcomeOf(LONG code)
{
    RegistryOutcome outcome;
    outcome.error = static_cast<int>(code);
    return outcome;
}

}  // namespace

Win32Registry::Win32Registry() = default;
Win32Registry::~Win32Registry() = default;

const Win32Registry::OpenKey* Win32Registry::find(RegistryKey key) const
{
    if (!key) return nullptr;
    for (const auto& open : m_openKeys)
        if (open->handle() == key) return open.get();
    return nullptr;
}

RegistryOutcome Win32Registry::createKey(RegistryKey parent, const char* subKey, RegistryKey* key)
{
    if (!subKey || !key) return outcomeOf(ERROR_INVALID_PARAMETER);
    HKEY parentKey = HKEY_CURRENT_USER;
    if (parent) {
        const OpenKey* open = find(parent);
        if (!open) return outcomeOf(ERROR_INVALID_HANDLE);  // not one of ours, or closed already
        parentKey = open->get();
    }
    HKEY created = nullptr;
    DWORD disposition = 0;  // created or opened: not used
    LONG result = ::RegCreateKeyExA(parentKey, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                    nullptr, &created, &disposition);
    if (result != ERROR_SUCCESS) return outcomeOf(result);
    if (!created) return outcomeOf(ERROR_INVALID_HANDLE);
    m_openKeys.push_back(std::make_unique<OpenKey>(created));
    *key = m_openKeys.back()->handle();
    return RegistryOutcome{};
}

RegistryOutcome Win32Registry::setStringValue(RegistryKey key, const char* name, const char* data, std::uint32_t length)
{
    const OpenKey* open = find(key);
    if (!open) return outcomeOf(ERROR_INVALID_HANDLE);
    // REG_SZ is stored with its terminating NUL and the length counts it; a text without one would
    // be read back with whatever follows it.
    if (!name || !data || length == 0 || data[length - 1] != '\0') return outcomeOf(ERROR_INVALID_PARAMETER);
    LONG result = ::RegSetValueExA(open->get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), length);
    return outcomeOf(result);
}

RegistryOutcome Win32Registry::closeKey(RegistryKey key)
{
    auto it = std::find_if(m_openKeys.begin(), m_openKeys.end(),
                           [key](const std::unique_ptr<OpenKey>& open) { return open->handle() == key; });
    if (it == m_openKeys.end()) return outcomeOf(ERROR_INVALID_HANDLE);
    m_openKeys.erase(it);  // the owner's destructor closes the key
    return RegistryOutcome{};
}

}  // namespace wizard::platform
