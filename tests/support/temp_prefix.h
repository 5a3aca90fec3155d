#pragma once
// A fresh machine prefix in a temporary folder for one test; removed afterwards.
#include <string>
#include <string_view>

namespace tavo::test {

class TempPrefix {
  public:
    // In the system's temporary folder, or in `parent` when given.
    explicit TempPrefix(const std::string& parent = {});
    ~TempPrefix();
    TempPrefix(const TempPrefix&) = delete;
    TempPrefix& operator=(const TempPrefix&) = delete;

    // Host folder of the prefix.
    const std::string& host() const { return host_; }
    // Host path of a Windows path on drive C: ("C:\x\y.ini" -> ".../drive_c/x/y.ini"), exactly as
    // written (no case resolution): for laying out fixtures.
    std::string HostOf(std::string_view windowsPath) const;
    // Writes a host file (folders created), bytes as given.
    void WriteHost(std::string_view windowsPath, std::string_view bytes) const;
    // Reads a host file; empty when missing.
    std::string ReadHost(std::string_view windowsPath) const;

  private:
    std::string host_;
};

} // namespace tavo::test
