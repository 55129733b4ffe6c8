// RegFileRegistry.cpp - the REGEDIT4-file registry (see RegFileRegistry.h).
#include "platform/posix/RegFileRegistry.h"

#include "platform/posix/RegFile.h"
#include "scenefile/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char kRootKey[] = "HKEY_CURRENT_USER";

// Holds an exclusive flock on the lock file beside the store for as long as it lives.
class StoreLock {
public:
    explicit StoreLock(const std::string& lockPath)
    {
        m_fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) return;
        int result;
        do {
            result = ::flock(m_fd, LOCK_EX);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~StoreLock()
    {
        if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// The whole file, an empty text when it does not exist yet, or nullopt when it cannot be read.
std::optional<std::string> readStore(const std::string& path, bool& exists)
{
    exists = false;
    std::FILE* stream = fileio::openFile(path, "rb");
    if (!stream) {
        if (errno == ENOENT) return std::string();
        return std::nullopt;
    }
    exists = true;
    std::string text;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0) text.append(chunk, got);
    bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    if (failed) return std::nullopt;
    return text;
}

bool writeStore(const std::string& path, const std::string& text)
{
    fileio::AtomicFile file(path);
    std::FILE* stream = file.open();
    if (!stream) return false;
    if (std::fwrite(text.data(), 1, text.size(), stream) != text.size()) return false;
    return file.commit();
}

// A key name the file can carry: not empty, no empty path segment, no line break.
bool isValidSubKey(const char* subKey)
{
    if (!subKey || !*subKey) return false;
    std::string_view name(subKey);
    if (name.front() == '\\' || name.back() == '\\') return false;
    if (name.find("\\\\") != std::string_view::npos) return false;
    return name.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

RegFileRegistry::RegFileRegistry(std::string storePath) : m_storePath(std::move(storePath)) {}

RegFileRegistry::~RegFileRegistry() = default;

const RegFileRegistry::OpenKey* RegFileRegistry::findOpenKey(RegistryKey key) const
{
    for (const std::unique_ptr<OpenKey>& open : m_openKeys)
        if (open.get() == key) return open.get();
    return nullptr;
}

bool RegFileRegistry::transact(const std::function<bool(regfile::Document&)>& change)
{
    if (m_storePath.empty()) return false;
    std::error_code error;
    std::filesystem::path directory = std::filesystem::path(m_storePath).parent_path();
    if (!directory.empty()) std::filesystem::create_directories(directory, error);
    if (error) return false;

    StoreLock lock(m_storePath + ".lock");
    if (!lock.held()) return false;

    bool exists = false;
    std::optional<std::string> text = readStore(m_storePath, exists);
    if (!text) return false;
    std::optional<regfile::Document> document =
        exists ? regfile::parse(*text) : std::optional<regfile::Document>(regfile::Document{});
    if (!document) return false;  // a store we cannot keep intact is not touched

    if (!change(*document) && exists) return true;  // nothing new to write
    return writeStore(m_storePath, regfile::serialize(*document));
}

bool RegFileRegistry::createKey(RegistryKey parent, const char* subKey, RegistryKey* key)
{
    if (!key || !isValidSubKey(subKey)) return false;
    std::string path = kRootKey;
    if (parent) {
        const OpenKey* open = findOpenKey(parent);
        if (!open) return false;
        path = open->path;
    }
    path += '\\';
    path += subKey;

    bool ok = transact([&](regfile::Document& document) {
        if (regfile::findSection(document, path)) return false;
        regfile::ensureSection(document, path);
        return true;
    });
    if (!ok) return false;
    m_openKeys.push_back(std::make_unique<OpenKey>(OpenKey{path}));
    *key = m_openKeys.back().get();
    return true;
}

bool RegFileRegistry::setStringValue(RegistryKey key, const char* name, const char* data, std::uint32_t length)
{
    const OpenKey* open = findOpenKey(key);
    if (!open || (!data && length > 0)) return false;
    // REG_SZ: the text ends at its first NUL; the length counts the terminator.
    std::string_view text(data ? data : "", data ? ::strnlen(data, length) : 0);
    std::string_view valueName(name ? name : "");
    // A line break cannot be carried by a REGEDIT4 string.
    if (text.find_first_of("\r\n") != std::string_view::npos) return false;
    if (valueName.find_first_of("\r\n") != std::string_view::npos) return false;

    const std::string path = open->path;
    // A value that is already there unchanged costs no rewrite of the store.
    return transact([&](regfile::Document& document) {
        return regfile::setString(regfile::ensureSection(document, path), valueName, text);
    });
}

void RegFileRegistry::closeKey(RegistryKey key)
{
    m_openKeys.erase(std::remove_if(m_openKeys.begin(), m_openKeys.end(),
                                    [key](const std::unique_ptr<OpenKey>& open) { return open.get() == key; }),
                     m_openKeys.end());
}

std::string defaultRegistryPath()
{
    std::string base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config && config[0] == '/') {
        base = config;
    } else if (home && home[0] == '/') {
        base = std::string(home) + "/.config";
    } else {
        return std::string();
    }
    return base + "/skipfloor-wizard/registry.reg";
}

}  // namespace platform
