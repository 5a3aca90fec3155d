#include "platform/profile_cache.h"

#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/host_io.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <unordered_map>

namespace plat::profile {

namespace {

// Parsed files beyond this many bytes are dropped, least recently used first.
constexpr std::size_t kMemoryBudget = std::size_t{64} << 20;

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

FileIdentity IdentityOf(const struct stat& st) {
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

bool Before(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// True once no change can leave these times as they are (see the header).
bool IsSettled(const FileIdentity& id) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now); // the clock the kernel stamps files with
    if (id.modified.tv_nsec == 0 && id.changed.tv_nsec == 0)
        return id.modified.tv_sec + 2 <= now.tv_sec && id.changed.tv_sec + 2 <= now.tv_sec;
    return Before(id.modified, now) && Before(id.changed, now);
}

struct Entry {
    std::string host;
    FileIdentity identity;
    unsigned mode = 0;
    bool settled = false;
    std::shared_ptr<const Document> doc;
    std::uint64_t lastUse = 0;
    std::size_t memory = 0;
};

struct Cache {
    std::mutex mutex;
    unsigned generation = 0;
    std::unordered_map<std::string, Entry> entries;
    std::size_t memory = 0;
    std::uint64_t uses = 0;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

// What a host file holds, read from one descriptor between two fstat calls that agree.
struct FileRead {
    FileStatus status = FileStatus::Failed;
    std::string bytes;
    FileIdentity identity;
    unsigned mode = 0;
};

FileStatus StatusOfMissing(const std::string& host) {
    if (host.back() == '/') return FileStatus::MissingFolder;
    std::string parent = host.substr(0, host.rfind('/'));
    struct stat st {};
    bool folder = stat(parent.empty() ? "/" : parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return folder ? FileStatus::Missing : FileStatus::MissingFolder;
}

void SetErrorFor(FileStatus status, int err) {
    switch (status) {
    case FileStatus::Present:
        SetLastError(kErrorSuccess);
        break;
    case FileStatus::Missing:
        SetLastError(kErrorFileNotFound);
        break;
    case FileStatus::MissingFolder:
        SetLastError(kErrorPathNotFound);
        break;
    case FileStatus::Folder:
        SetLastError(kErrorAccessDenied);
        break;
    case FileStatus::Failed:
        SetLastError(ErrorFromErrno(err));
        break;
    }
}

bool ReadFrom(int fd, std::string& bytes, std::size_t expected) {
    bytes.clear();
    bytes.resize(expected + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return true;
}

FileRead ReadFile(const std::string& host) {
    FileRead result;
    // Non-blocking, so that a FIFO in place of the file cannot stall the reader.
    int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        int err = errno;
        result.status = err == ENOENT    ? StatusOfMissing(host)
                        : err == ENOTDIR ? FileStatus::MissingFolder
                                         : FileStatus::Failed;
        SetErrorFor(result.status, err);
        return result;
    }
    constexpr int kAttempts = 3; // a file being changed in place as we read it
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        struct stat before {};
        struct stat after {};
        if (fstat(fd, &before) != 0 || !S_ISREG(before.st_mode)) {
            result.status = FileStatus::Folder;
            break;
        }
        if (lseek(fd, 0, SEEK_SET) != 0 ||
            !ReadFrom(fd, result.bytes, static_cast<std::size_t>(before.st_size)) || fstat(fd, &after) != 0) {
            result.status = FileStatus::Failed;
            break;
        }
        result.status = FileStatus::Present;
        result.mode = after.st_mode & 07777;
        if (IdentityOf(before) == IdentityOf(after)) {
            result.identity = IdentityOf(after);
            break;
        }
        // Still changing: an identity no file has (inode 0), so the next use reads it again.
        result.identity = FileIdentity{};
    }
    int err = errno;
    ::close(fd);
    SetErrorFor(result.status, err);
    return result;
}

void Evict(Cache& cache, const std::string& keep) {
    while (cache.memory > kMemoryBudget && cache.entries.size() > 1) {
        auto oldest = cache.entries.end();
        for (auto it = cache.entries.begin(); it != cache.entries.end(); ++it) {
            if (it->first != keep &&
                (oldest == cache.entries.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        }
        cache.memory -= oldest->second.memory;
        cache.entries.erase(oldest);
    }
}

void Forget(Cache& cache, const std::string& key) {
    auto it = cache.entries.find(key);
    if (it == cache.entries.end()) return;
    cache.memory -= it->second.memory;
    cache.entries.erase(it);
}

LoadedFile Store(Cache& cache, const std::string& key, const std::string& host,
                 std::shared_ptr<const Document> doc, const FileIdentity& identity, unsigned mode) {
    Forget(cache, key);
    Entry entry{host, identity, mode, IsSettled(identity), doc, ++cache.uses, doc->MemoryUse()};
    cache.memory += entry.memory;
    cache.entries.emplace(key, std::move(entry));
    Evict(cache, key);
    return {FileStatus::Present, std::move(doc), mode};
}

// Reads and parses the file; the cache's lock is held.
LoadedFile Fill(Cache& cache, const std::string& key, const std::string& host) {
    FileRead read = ReadFile(host);
    if (read.status != FileStatus::Present) {
        Forget(cache, key);
        return {read.status, nullptr, 0};
    }
    ++ProfileCounters().parses;
    auto doc = std::make_shared<const Document>(std::move(read.bytes));
    return Store(cache, key, host, std::move(doc), read.identity, read.mode);
}

// The cached entry when the file at its host path is still the one it parsed; `host`, when given,
// must be that path.
const Entry* Current(Cache& cache, const std::string& key, const std::string* host) {
    if (cache.generation != PrefixGeneration()) {
        cache.entries.clear();
        cache.memory = 0;
        cache.generation = PrefixGeneration();
    }
    auto it = cache.entries.find(key);
    if (it == cache.entries.end()) return nullptr;
    Entry& entry = it->second;
    if (host && *host != entry.host) return nullptr;
    struct stat st {};
    if (stat(entry.host.c_str(), &st) != 0 || !(IdentityOf(st) == entry.identity)) return nullptr;
    if (!entry.settled) {
        // Too recent to trust its times: the bytes decide.
        FileRead read = ReadFile(entry.host);
        if (read.status != FileStatus::Present || !(read.identity == entry.identity) ||
            read.bytes != entry.doc->Bytes())
            return nullptr;
        entry.settled = IsSettled(read.identity);
    }
    entry.lastUse = ++cache.uses;
    return &entry;
}

LoadedFile LoadWith(const std::string& windowsPath, const std::string* host) {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    std::string key = UpperAscii(windowsPath);
    if (const Entry* entry = Current(cache, key, host)) {
        SetLastError(kErrorSuccess);
        return {FileStatus::Present, entry->doc, entry->mode};
    }
    if (host) return Fill(cache, key, *host);
    std::optional<std::string> resolved = ToHostPath(windowsPath);
    if (!resolved) return {FileStatus::Failed, nullptr, 0};
    return Fill(cache, key, *resolved);
}

} // namespace

Counters& ProfileCounters() {
    static Counters counters;
    return counters;
}

LoadedFile Load(const std::string& windowsPath) {
    return LoadWith(windowsPath, nullptr);
}

LoadedFile LoadAt(const std::string& windowsPath, const std::string& hostPath) {
    return LoadWith(windowsPath, &hostPath);
}

bool Replace(const std::string& windowsPath, const std::string& hostPath, std::string bytes, unsigned mode) {
    if (!host::WriteAtomic(hostPath, bytes, mode)) return false;
    ++ProfileCounters().rewrites;
    ++ProfileCounters().parses;
    auto doc = std::make_shared<const Document>(std::move(bytes));

    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    std::string key = UpperAscii(windowsPath);
    struct stat st {};
    if (stat(hostPath.c_str(), &st) != 0) {
        Forget(cache, key);
    } else {
        Store(cache, key, hostPath, std::move(doc), IdentityOf(st), st.st_mode & 07777);
    }
    SetLastError(kErrorSuccess);
    return true;
}

} // namespace plat::profile
