// RegFileRegistry.cpp - the REGEDIT4-file registry (see RegFileRegistry.h).
#include "platform/posix/RegFileRegistry.h"

#include "platform/posix/RegFile.h"
#include <cwscene/FileAccess.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>  // usleep, close

namespace wizard::platform {

namespace {

constexpr char kRootKey[] = "HKEY_CURRENT_USER";

// Holds an exclusive flock for as long as it lives: on "<store>.lock", or, where no lock file can be
// made (a read-only directory holding a writable store, which is then written in place), on the store
// itself. Waits at most `waitMilliseconds` for another holder. A failure names the file it concerns.
class StoreLock {
public:
    StoreLock(const std::string& store, int waitMilliseconds) : m_path(store + ".lock")
    {
        // O_NOFOLLOW: a link at the lock's path is never followed to make a file elsewhere.
        m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (m_fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
            const int lockError = errno;
            m_fd = ::open(store.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (m_fd >= 0) m_path = store;
            else errno = lockError;  // the lock file's reason, not the missing store's
        }
        if (m_fd < 0) {
            m_error = errno;
            return;
        }
        for (int waited = 0;; waited += kPollMilliseconds) {
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) return;
            if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= waitMilliseconds) break;
            ::usleep(kPollMilliseconds * 1000);
        }
        m_error = errno == EINTR ? EWOULDBLOCK : errno;
        ::close(m_fd);
        m_fd = -1;
    }
    ~StoreLock()
    {
        if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool held() const { return m_fd >= 0; }
    int error() const { return m_error; }
    const std::string& path() const { return m_path; }  // the file locked, or that could not be

private:
    static constexpr int kPollMilliseconds = 20;
    std::string m_path;
    int m_fd = -1;
    int m_error = 0;
};

// The whole store, an empty text when it does not exist yet, or nullopt (errno set) when it cannot be
// read: a FIFO or a device counts as unreadable, and nothing waits on one.
std::optional<std::string> readStore(const std::string& path, bool& exists)
{
    exists = false;
    std::FILE* stream = fileio::openForReading(path);
    if (!stream) {
        if (errno == ENOENT) return std::string();
        return std::nullopt;
    }
    exists = true;
    std::string text;
    char chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0) text.append(chunk, got);
    const int readError = std::ferror(stream) ? (errno != 0 ? errno : EIO) : 0;
    std::fclose(stream);
    if (readError != 0) {
        errno = readError;
        return std::nullopt;
    }
    return text;
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

struct RegFileRegistry::Transaction {
    Transaction(const std::string& store, int lockWaitMilliseconds) : lock(store, lockWaitMilliseconds) {}
    StoreLock lock;
    regfile::Document document;
    bool exists = false;   // the store was there when it was read
    bool changed = false;  // the model differs from the store
};

RegFileRegistry::RegFileRegistry(std::string storePath, int lockWaitMilliseconds)
    : m_storePath(std::move(storePath)), m_lockWaitMilliseconds(lockWaitMilliseconds)
{
}

RegFileRegistry::~RegFileRegistry()
{
    m_openKeys.clear();
    (void)finish();  // ignored: no caller is left to hear of it
}

const RegFileRegistry::OpenKey* RegFileRegistry::findOpenKey(RegistryKey key) const
{
    for (const std::unique_ptr<OpenKey>& open : m_openKeys)
        if (open.get() == key) return open.get();
    return nullptr;
}

RegistryOutcome RegFileRegistry::begin()
{
    RegistryOutcome outcome;
    if (m_transaction) return outcome;
    if (m_storePath.empty()) {
        outcome.error = ENOENT;
        return outcome;
    }
    std::error_code error;
    std::filesystem::path directory = std::filesystem::path(m_storePath).parent_path();
    if (!directory.empty()) std::filesystem::create_directories(directory, error);
    if (error) {
        outcome.error = error.value();
        return outcome;
    }

    // A symlinked store (a dotfile manager's link) is read, locked and written where it really is.
    const std::string store = fileio::finalTarget(m_storePath);
    auto transaction = std::make_unique<Transaction>(store, m_lockWaitMilliseconds);
    if (!transaction->lock.held()) {
        outcome.error = transaction->lock.error();
        outcome.lockPath = transaction->lock.path();
        outcome.lockWaitMilliseconds = m_lockWaitMilliseconds;
        return outcome;
    }
    std::optional<std::string> text = readStore(store, transaction->exists);
    if (!text) {
        outcome.error = errno;
        return outcome;
    }
    if (transaction->exists) {
        std::optional<regfile::Document> document = regfile::parse(*text);
        if (!document) {  // a store we cannot keep intact is not touched
            outcome.error = EBADMSG;
            return outcome;
        }
        transaction->document = std::move(*document);
    } else {
        transaction->document = regfile::emptyDocument();
    }
    m_transaction = std::move(transaction);
    return outcome;
}

RegistryOutcome RegFileRegistry::finish()
{
    RegistryOutcome outcome;
    if (!m_transaction) return outcome;
    if (m_transaction->changed) {
        const std::string store = regfile::serialize(m_transaction->document);
        const fileio::WriteOutcome written = fileio::writeFile(fileio::finalTarget(m_storePath), store);
        outcome.error = written.error;
        outcome.stored = written.written;
    }
    m_transaction.reset();  // releases the lock
    return outcome;
}

RegistryOutcome RegFileRegistry::createKey(RegistryKey parent, const char* subKey, RegistryKey* key)
{
    RegistryOutcome outcome;
    if (!key || !isValidSubKey(subKey)) {
        outcome.error = EINVAL;
        return outcome;
    }
    std::string path = kRootKey;
    if (parent) {
        const OpenKey* open = findOpenKey(parent);
        if (!open) {
            outcome.error = EBADF;
            return outcome;
        }
        path = open->path;
    }
    path += '\\';
    path += subKey;

    outcome = begin();
    if (!outcome) return outcome;
    if (!m_transaction->exists || !regfile::findSection(m_transaction->document, path)) {
        regfile::ensureSection(m_transaction->document, path);
        m_transaction->changed = true;  // a new store is written even when it only holds keys
    }
    m_openKeys.push_back(std::make_unique<OpenKey>(OpenKey{path}));
    *key = m_openKeys.back().get();
    return outcome;
}

RegistryOutcome RegFileRegistry::setStringValue(RegistryKey key, const char* name, const char* data,
                                                std::uint32_t length)
{
    RegistryOutcome outcome;
    const OpenKey* open = findOpenKey(key);
    if (!open || !m_transaction) {
        outcome.error = EBADF;
        return outcome;
    }
    // REG_SZ: the text ends at its first NUL; the length counts the terminator.
    std::string_view text(data ? data : "", data ? ::strnlen(data, length) : 0);
    std::string_view valueName(name ? name : "");
    // A line break cannot be carried by a REGEDIT4 string.
    if ((!data && length > 0) || text.find_first_of("\r\n") != std::string_view::npos ||
        valueName.find_first_of("\r\n") != std::string_view::npos) {
        outcome.error = EINVAL;
        return outcome;
    }

    // A value that is already there unchanged costs no rewrite of the store.
    if (regfile::setString(m_transaction->document, open->path, valueName, text)) m_transaction->changed = true;
    return outcome;
}

RegistryOutcome RegFileRegistry::closeKey(RegistryKey key)
{
    m_openKeys.erase(std::remove_if(m_openKeys.begin(), m_openKeys.end(),
                                    [key](const std::unique_ptr<OpenKey>& open) { return open.get() == key; }),
                     m_openKeys.end());
    return m_openKeys.empty() ? finish() : RegistryOutcome{};
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

}  // namespace wizard::platform
