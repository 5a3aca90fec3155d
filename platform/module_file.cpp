#include "platform/module_file.h"

#include "platform/paths.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <memory>

namespace plat {

std::string ModuleFileNameOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname) return {};
    // The loader gives the name it was asked for, which may be relative or go through links.
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(info.dli_fname, nullptr), &std::free);
    if (!resolved) return {};
    return ToWindowsPath(resolved.get());
}

} // namespace plat
