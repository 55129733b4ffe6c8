// RegFileRegistry.h - HKEY_CURRENT_USER kept in one REGEDIT4 file, for the wizard on POSIX systems.
//
// POSIX layer. Implements platform::Registry on a file that regedit can import. Every change (a key
// created, a value set) is one transaction: take an exclusive flock on "<file>.lock", read and parse
// the file, change the model, write it to a temporary beside the file and rename it over. Keys and
// values of others are kept; concurrent runs lose nothing. A file that cannot be read or parsed makes
// the registry refuse: nothing is written and the file stays as it is.
#pragma once

#include "platform/Registry.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace regfile {
struct Document;
}

namespace platform {

class RegFileRegistry : public Registry {
public:
    // `storePath` is the .reg file; its directories are created on the first change. An empty path
    // gives a registry that refuses everything.
    explicit RegFileRegistry(std::string storePath);
    ~RegFileRegistry() override;
    RegFileRegistry(const RegFileRegistry&) = delete;
    RegFileRegistry& operator=(const RegFileRegistry&) = delete;

    bool createKey(RegistryKey parent, const char* subKey, RegistryKey* key) override;
    bool setStringValue(RegistryKey key, const char* name, const char* data, std::uint32_t length) override;
    void closeKey(RegistryKey key) override;

    const std::string& storePath() const { return m_storePath; }

private:
    struct OpenKey {
        std::string path;  // e.g. "HKEY_CURRENT_USER\Software\Tolvarix\Quorrel"
    };

    const OpenKey* findOpenKey(RegistryKey key) const;
    // One locked read-change-write of the file. `change` returns false when it changed nothing.
    bool transact(const std::function<bool(regfile::Document&)>& change);

    std::string m_storePath;
    std::vector<std::unique_ptr<OpenKey>> m_openKeys;
};

// ${XDG_CONFIG_HOME:-$HOME/.config}/skipfloor-wizard/registry.reg; "" when neither variable gives an
// absolute directory.
std::string defaultRegistryPath();

}  // namespace platform
