#pragma once
// A kernel_peer process on a test's machine prefix (see tests/platform/kernel_peer_main.cpp for its
// commands); killed when the object goes.
#include <sys/types.h>

#include <string>
#include <vector>

namespace tavo::test {

class KernelPeer {
  public:
    // program: the built kernel_peer; prefix: the host folder of the machine; args: its command.
    KernelPeer(const std::string& program, const std::string& prefix, std::vector<std::string> args);
    ~KernelPeer();
    KernelPeer(const KernelPeer&) = delete;
    KernelPeer& operator=(const KernelPeer&) = delete;

    // The next line the peer prints; empty when it prints none within ten seconds.
    std::string Line();
    void Kill();

  private:
    pid_t pid_ = -1;
    int fd_ = -1;
    std::string buffer_;
};

} // namespace tavo::test
