// Registry.h - the registry as the wizard uses it: create or open a key, set a string value, close.
//
// Builder layer, portable interface: the registry defaults (EnvironmentDefaults.h) are written through
// it, and the platform layer implements it: platform/win32 with RegCreateKeyExA and friends under
// HKEY_CURRENT_USER, platform/posix with a REGEDIT4 file, and tests with a fake. Keys are opaque.
#pragma once

#include <cstdint>

namespace wizard {

using RegistryKey = void*;  // opaque handle of an open key; nullptr is none

class Registry {
public:
    virtual ~Registry() = default;

    // Creates `subKey` (backslash-separated, e.g. "Software\\Tolvarix\\Quorrel") below `parent`, or
    // opens it when it exists, with all access. `parent` nullptr means HKEY_CURRENT_USER.
    // Returns true and sets *key on success; false leaves *key untouched.
    virtual bool createKey(RegistryKey parent, const char* subKey, RegistryKey* key) = 0;

    // Sets a REG_SZ value to `length` bytes at `data`; the caller's length counts the terminating NUL.
    virtual bool setStringValue(RegistryKey key, const char* name, const char* data, std::uint32_t length) = 0;

    virtual void closeKey(RegistryKey key) = 0;
};

}  // namespace wizard
