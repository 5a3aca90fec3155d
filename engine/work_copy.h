#pragma once
// A scratch file in the temporary folder, for changes that must reach a live file whole: the
// scratch file is changed, then copied over the live file in one step. It is deleted when the
// WorkCopy goes; one that cannot be deleted is recorded as a failure of the run.
#include <string>
#include <string_view>

namespace tavo {

class WorkCopy {
  public:
    explicit WorkCopy(std::string_view name);
    ~WorkCopy();
    WorkCopy(const WorkCopy&) = delete;
    WorkCopy& operator=(const WorkCopy&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

} // namespace tavo
