#pragma once
// Named kernel objects shared by every process on the machine prefix: mutexes with Windows
// ownership and auto-reset events. Names are case-sensitive; "Global\" and "Local\" select the
// name space (a plain name is local), and the rest of a name may not contain '\' (3). A name has
// at most 260 characters (206). An empty name makes an object no other process can open.
#include <cstdint>
#include <string_view>

namespace plat {

using Handle = std::uintptr_t; // 0 is no handle

enum : std::uint32_t {
    kWaitObject0 = 0,
    kWaitAbandoned = 0x80,
    kWaitTimeout = 0x102,
    kWaitFailed = 0xFFFFFFFFu,
    kInfinite = 0xFFFFFFFFu,
};

// CreateMutex: a new name sets the last error to 0 (and the caller owns it when initialOwner);
// an existing name returns a handle to it with last error 183 and no ownership. A name held by an
// event fails with 6.
Handle CreateMutexNamed(std::string_view name, bool initialOwner);
Handle OpenMutexNamed(std::string_view name); // 0 with last error 2 when missing

// CreateEvent for an auto-reset event (manual-reset events are not used by the system). Created
// so that any account may open it.
Handle CreateEventNamed(std::string_view name, bool initialState);
Handle OpenEventNamed(std::string_view name);
bool SetEventSignal(Handle event);

// WaitForSingleObject on a mutex or event: kWaitObject0, kWaitAbandoned (the owner died; the caller
// now owns the mutex), kWaitTimeout or kWaitFailed. The owner may wait again without blocking;
// each satisfied wait needs one release.
std::uint32_t WaitForObject(Handle object, std::uint32_t milliseconds);

// ReleaseMutex: false with 288 when the caller does not own it.
bool ReleaseMutexHandle(Handle mutex);

// CloseHandle. Closing does not release a mutex the process owns; the process's exit does.
bool CloseObjectHandle(Handle object);

} // namespace plat
