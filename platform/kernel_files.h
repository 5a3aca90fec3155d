#pragma once
// The host files behind named kernel objects. Nothing above the platform layer includes this header.
//
// Each object is one small file in the prefix's "kernel" folder: byte 0 holds its kind, byte 1 its
// state (a mutex's "owned" marker, an event's "signalled" flag). Open-file-description locks on the
// file carry what must vanish with a process: every process with a handle holds a read lock on
// byte 1 (so the object lives exactly while some process has it open, as on Windows), and the
// write lock on byte 0 is a mutex's ownership or an event's short state lock.
#include <optional>
#include <string>
#include <string_view>

namespace plat::kernel_files {

enum class Kind : char { kMutex = 'M', kEvent = 'E' };
// The two values of the state byte.
constexpr char kClear = '0';
constexpr char kSet = '1';

// Host path of the object file for a kernel object name. An empty name gives an empty path (an
// object no other process can open). nullopt with the last error set when the name cannot name
// an object: 3 for a '\' after the name space, 123 for a bare name space, 206 for more than 260
// characters.
std::optional<std::string> ObjectPath(std::string_view name);

struct Attached {
    int fd = -1;          // holds the presence lock; close it to let go of the object
    bool created = false; // a new object (a file no live process had open is made new)
};

// Opens the object at `path` (empty: a private object), holding the presence lock. With `create`
// a missing object is made with `initialState`; `takeOwnership` then also takes a new mutex's
// ownership lock. Without `create` a missing object fails with 2. A live object of another kind
// fails with 6. Creating and opening are serialised across processes, so two creators of one
// name agree on which of them made it.
std::optional<Attached> Attach(const std::string& path, Kind kind, bool create, char initialState,
                               bool takeOwnership);

// The lock on byte 0. With `wait` blocks until it is taken; else returns false with errno EAGAIN
// when another process holds it.
bool LockState(int fd, bool wait);
void UnlockState(int fd);

// Byte 1 of the object file; false with the last error set when the host fails.
bool ReadState(int fd, char& state);
bool WriteState(int fd, char state);

} // namespace plat::kernel_files
