// RegFileRegistry.h - HKEY_CURRENT_USER kept in one REGEDIT4 file, for the wizard on POSIX systems.
//
// POSIX layer. Implements Registry on a file that regedit can import. The keys a caller has
// open form one transaction: the first createKey takes an exclusive flock on "<file>.lock" (beside
// the file a symlink leads to, so every link to one store shares one lock), reads and parses the
// store; createKey and setStringValue change the model in memory; closing the last open key writes
// the store once, when something changed (fileio::OutputFile: replaced atomically, its mode kept), and
// releases the lock. So a run's eight values land together, and concurrent runs neither lose each
// other's values nor mix them. Keys and values of others are kept byte for byte.
//
// The registry refuses (createKey fails, nothing is written) when the store cannot be read (its errno;
// ENODEV when it is not a regular file: a FIFO or device is never read, so nothing waits on one) or
// parsed (EBADMSG), when the lock file cannot be used (the outcome names it), and when another run
// holds the lock for all of the wait (EWOULDBLOCK). Arguments it cannot carry are refused with EINVAL,
// a key handle it did not give out or closed already with EBADF. Closing the last key gives the
// store's write: stored, or the errno of the write that failed.
#pragma once

#include "builder/Registry.h"

#include <memory>
#include <string>
#include <vector>

namespace wizard::platform {

class RegFileRegistry : public Registry {
public:
    // How long createKey waits for another run's lock before it refuses.
    static constexpr int kLockWaitMilliseconds = 10000;

    // `storePath` is the .reg file; its directories are created on the first createKey. An empty path
    // gives a registry that refuses everything. `lockWaitMilliseconds`: how long createKey waits for
    // another run's lock (tests wait less).
    explicit RegFileRegistry(std::string storePath, int lockWaitMilliseconds = kLockWaitMilliseconds);
    ~RegFileRegistry() override;  // keys left open are closed: what changed is written
    RegFileRegistry(const RegFileRegistry&) = delete;
    RegFileRegistry& operator=(const RegFileRegistry&) = delete;

    RegistryOutcome createKey(RegistryKey parent, const char* subKey, RegistryKey* key) override;
    RegistryOutcome setStringValue(RegistryKey key, const char* name, const char* data, std::uint32_t length) override;
    RegistryOutcome closeKey(RegistryKey key) override;

    const std::string& storePath() const { return m_storePath; }

private:
    struct OpenKey {
        std::string path;  // e.g. "HKEY_CURRENT_USER\Software\Tolvarix\Quorrel"
    };
    struct Transaction;  // the lock, the parsed store, whether it changed

    const OpenKey* findOpenKey(RegistryKey key) const;
    RegistryOutcome begin();   // locks and reads the store; a failure leaves no transaction
    RegistryOutcome finish();  // writes what changed, unlocks

    std::string m_storePath;
    int m_lockWaitMilliseconds;
    std::vector<std::unique_ptr<OpenKey>> m_openKeys;
    std::unique_ptr<Transaction> m_transaction;
};

// ${XDG_CONFIG_HOME:-$HOME/.config}/skipfloor-wizard/registry.reg; "" when neither variable gives an
// absolute directory.
std::string defaultRegistryPath();

}  // namespace wizard::platform
