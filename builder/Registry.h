// Registry.h - the registry as the wizard uses it: create or open a key, set a string value, close.
//
// Builder layer, portable interface: the registry defaults (EnvironmentDefaults.h) are written through
// it, and the platform layer implements it: platform/win32 with RegCreateKeyExA and friends under
// HKEY_CURRENT_USER, platform/posix with a REGEDIT4 file, and tests with a fake. Keys are opaque.
// Every call returns what it came to, the reason of a failure included.
#pragma once

#include <cstdint>
#include <string>

namespace wizard {

using RegistryKey = void*;  // opaque handle of an open key; nullptr is none

// What one registry call came to.
struct RegistryOutcome {
    // 0 when the call did what it was asked. Otherwise the reason: an errno value where the registry
    // is kept in a file (EINVAL also for arguments the registry refuses), the system's error code
    // (ERROR_ACCESS_DENIED) from the Windows registry.
    int error = 0;
    // Where the registry is kept in a file that a lock guards: the lock file a failure concerns ("" when
    // the failure is not the lock's), and how long another holder of the lock was waited for (error
    // EWOULDBLOCK).
    std::string lockPath;
    int lockWaitMilliseconds = 0;
    // A registry kept in a file writes it when its last open key is closed: true when that close wrote
    // it (false also when nothing had changed).
    bool stored = false;

    explicit operator bool() const { return error == 0; }  // true when the call did what it was asked
};

class Registry {
public:
    virtual ~Registry() = default;

    // Creates `subKey` (backslash-separated, e.g. "Software\\Tolvarix\\Quorrel") below `parent`, or
    // opens it when it exists, with all access. `parent` nullptr means HKEY_CURRENT_USER.
    // On success sets *key; a failure leaves *key untouched.
    virtual RegistryOutcome createKey(RegistryKey parent, const char* subKey, RegistryKey* key) = 0;

    // Sets a REG_SZ value to `length` bytes at `data`; the caller's length counts the terminating NUL.
    virtual RegistryOutcome setStringValue(RegistryKey key, const char* name, const char* data,
                                           std::uint32_t length) = 0;

    // Closes the key; a registry kept in a file writes it when this was the last open key.
    virtual RegistryOutcome closeKey(RegistryKey key) = 0;
};

}  // namespace wizard
