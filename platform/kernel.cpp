#include "platform/kernel.h"

#include "platform/error.h"
#include "platform/kernel_files.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace plat {

namespace {

namespace kf = kernel_files;
using Clock = std::chrono::steady_clock;

// Another process's release or SetEvent cannot wake us, so timed waits look again at this interval.
constexpr auto kPollInterval = std::chrono::milliseconds(2);

// One kernel object this process has open. A process keeps one file description per object: the
// description carries the process's locks, so ownership belongs to the process, as the system
// expects of its single user-interface thread.
struct Object {
    Object(std::string objectPath, int objectFd, kf::Kind objectKind)
        : path(std::move(objectPath)), fd(objectFd), kind(objectKind) {}
    ~Object() { ::close(fd); } // lets go of the object, and of a mutex still owned: abandoned
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    std::string path; // empty for an object without a name
    int fd;
    kf::Kind kind;
    unsigned handles = 0;
    unsigned owned = 0; // satisfied waits on a mutex not yet released
};

struct Table {
    std::mutex lock;
    // Named objects with an open handle or owned by this process, so every handle to one name
    // shares one description, and a mutex closed while owned stays owned.
    std::map<std::string, std::shared_ptr<Object>> byPath;
    std::map<Handle, std::shared_ptr<Object>> handles;
    Handle next = 4;
};

Table& TheTable() {
    static Table table;
    return table;
}

Handle AddHandle(Table& table, const std::shared_ptr<Object>& object) {
    Handle handle = table.next;
    table.next += 4;
    table.handles.emplace(handle, object);
    ++object->handles;
    return handle;
}

// Forgets an object nothing in the process refers to any more.
void DropIfUnused(Table& table, const Object& object) {
    if (object.handles == 0 && object.owned == 0 && !object.path.empty()) table.byPath.erase(object.path);
}

std::shared_ptr<Object> Find(Table& table, Handle handle) {
    auto it = table.handles.find(handle);
    if (it == table.handles.end()) {
        SetLastError(kErrorInvalidHandle);
        return nullptr;
    }
    return it->second;
}

// An object this process already holds a handle to: nullopt when there is none, a null pointer
// (last error 6) when the name belongs to an object of the other kind.
std::optional<std::shared_ptr<Object>> KnownObject(Table& table, const std::string& path, kf::Kind kind) {
    auto it = table.byPath.find(path);
    if (it == table.byPath.end()) return std::nullopt;
    if (it->second->kind != kind) {
        SetLastError(kErrorInvalidHandle);
        return std::shared_ptr<Object>();
    }
    return it->second;
}

Handle CreateObject(std::string_view name, kf::Kind kind, char state, bool takeOwnership) {
    auto path = kf::ObjectPath(name);
    if (!path) return 0;
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    if (auto known = KnownObject(table, *path, kind)) {
        if (!*known) return 0;
        Handle handle = AddHandle(table, *known);
        SetLastError(kErrorAlreadyExists);
        return handle;
    }
    auto attached = kf::Attach(*path, kind, true, state, takeOwnership);
    if (!attached) return 0;
    auto object = std::make_shared<Object>(*path, attached->fd, kind);
    if (attached->created && takeOwnership) object->owned = 1;
    if (!path->empty()) table.byPath.emplace(*path, object);
    Handle handle = AddHandle(table, object);
    SetLastError(attached->created ? kErrorSuccess : kErrorAlreadyExists);
    return handle;
}

Handle OpenObject(std::string_view name, kf::Kind kind) {
    if (name.empty()) {
        SetLastError(kErrorInvalidParameter);
        return 0;
    }
    auto path = kf::ObjectPath(name);
    if (!path) return 0;
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    if (auto known = KnownObject(table, *path, kind)) return *known ? AddHandle(table, *known) : 0;
    auto attached = kf::Attach(*path, kind, false, kf::kClear, false);
    if (!attached) return 0;
    auto object = std::make_shared<Object>(*path, attached->fd, kind);
    table.byPath.emplace(*path, object);
    return AddHandle(table, object);
}

class Deadline {
  public:
    explicit Deadline(std::uint32_t milliseconds)
        : infinite_(milliseconds == kInfinite), end_(Clock::now() + std::chrono::milliseconds(milliseconds)) {
    }

    // Sleeps until the next look; false once the time is up.
    bool Pause() const {
        if (infinite_) {
            std::this_thread::sleep_for(kPollInterval);
            return true;
        }
        Clock::time_point now = Clock::now();
        if (now >= end_) return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(kPollInterval, end_ - now));
        return true;
    }

  private:
    bool infinite_;
    Clock::time_point end_;
};

bool IsBusy(int err) {
    return err == EAGAIN || err == EACCES;
}

// With the ownership lock held: the marker left set means the last owner ended without releasing.
std::uint32_t BecomeOwner(Object& object) {
    char marker = kf::kClear;
    if (!kf::ReadState(object.fd, marker) || !kf::WriteState(object.fd, kf::kSet)) {
        kf::UnlockState(object.fd);
        return kWaitFailed;
    }
    object.owned = 1;
    return marker == kf::kSet ? kWaitAbandoned : kWaitObject0;
}

std::uint32_t WaitMutex(Table& table, Object& object, std::uint32_t milliseconds) {
    Deadline deadline(milliseconds);
    for (;;) {
        {
            // The try is made under the table lock so that no other thread of this process can
            // release the description's lock between taking it and marking it owned.
            std::lock_guard guard(table.lock);
            if (object.owned > 0) {
                ++object.owned;
                return kWaitObject0;
            }
            if (kf::LockState(object.fd, false)) return BecomeOwner(object);
            if (!IsBusy(errno)) {
                SetLastError(ErrorFromErrno(errno));
                return kWaitFailed;
            }
        }
        if (milliseconds == kInfinite) {
            // Blocks until the owner lets go; the loop then takes it as above.
            if (!kf::LockState(object.fd, true)) {
                SetLastError(ErrorFromErrno(errno));
                return kWaitFailed;
            }
        } else if (!deadline.Pause()) {
            return kWaitTimeout;
        }
    }
}

std::uint32_t WaitEvent(Table& table, Object& object, std::uint32_t milliseconds) {
    Deadline deadline(milliseconds);
    for (;;) {
        {
            // The table lock keeps this process's threads apart, the state lock other processes.
            std::lock_guard guard(table.lock);
            if (!kf::LockState(object.fd, true)) {
                SetLastError(ErrorFromErrno(errno));
                return kWaitFailed;
            }
            char state = kf::kClear;
            bool ok = kf::ReadState(object.fd, state) &&
                      (state != kf::kSet || kf::WriteState(object.fd, kf::kClear));
            kf::UnlockState(object.fd);
            if (!ok) return kWaitFailed;
            if (state == kf::kSet) return kWaitObject0;
        }
        if (!deadline.Pause()) return kWaitTimeout;
    }
}

} // namespace

Handle CreateMutexNamed(std::string_view name, bool initialOwner) {
    return CreateObject(name, kf::Kind::kMutex, initialOwner ? kf::kSet : kf::kClear, initialOwner);
}

Handle OpenMutexNamed(std::string_view name) {
    return OpenObject(name, kf::Kind::kMutex);
}

Handle CreateEventNamed(std::string_view name, bool initialState) {
    return CreateObject(name, kf::Kind::kEvent, initialState ? kf::kSet : kf::kClear, false);
}

Handle OpenEventNamed(std::string_view name) {
    return OpenObject(name, kf::Kind::kEvent);
}

bool SetEventSignal(Handle event) {
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    auto object = Find(table, event);
    if (!object) return false;
    if (object->kind != kf::Kind::kEvent) {
        SetLastError(kErrorInvalidHandle);
        return false;
    }
    if (!kf::LockState(object->fd, true)) {
        SetLastError(ErrorFromErrno(errno));
        return false;
    }
    bool ok = kf::WriteState(object->fd, kf::kSet);
    kf::UnlockState(object->fd);
    return ok;
}

std::uint32_t WaitForObject(Handle object, std::uint32_t milliseconds) {
    Table& table = TheTable();
    std::shared_ptr<Object> found;
    {
        std::lock_guard guard(table.lock);
        found = Find(table, object);
    }
    if (!found) return kWaitFailed;
    return found->kind == kf::Kind::kMutex ? WaitMutex(table, *found, milliseconds)
                                           : WaitEvent(table, *found, milliseconds);
}

bool ReleaseMutexHandle(Handle mutex) {
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    auto object = Find(table, mutex);
    if (!object) return false;
    if (object->kind != kf::Kind::kMutex) {
        SetLastError(kErrorInvalidHandle);
        return false;
    }
    if (object->owned == 0) {
        SetLastError(kErrorNotOwner);
        return false;
    }
    if (object->owned == 1) {
        if (!kf::WriteState(object->fd, kf::kClear)) return false; // still owned: the marker stands
        kf::UnlockState(object->fd);
    }
    --object->owned;
    DropIfUnused(table, *object);
    return true;
}

bool CloseObjectHandle(Handle object) {
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    auto found = Find(table, object);
    if (!found) return false;
    table.handles.erase(object);
    --found->handles;
    DropIfUnused(table, *found);
    return true;
}

} // namespace plat
