// What a generation run reports as it goes: progress of the gauge, the files it writes, sources it
// did not find, rows it skipped and problems the stages reported. The window shows the progress;
// the end message and the headless command show the rest.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace generation {

namespace fs = std::filesystem;

struct Progress {
  int position = 0;
  int maximum = 0;
  uint64_t elapsed_ms = 0;
};

class RunLog {
 public:
  using ProgressListener = std::function<void(const Progress&)>;

  explicit RunLog(ProgressListener listener = {}) : listener_(std::move(listener)) {}

  void SetMaximum(int maximum);
  // Advances the gauge by n (0, 1 or 10) and tells the listener.
  void Step(int n);
  void Finish();  // the gauge at its maximum

  // Paths are those of the finished mod (relative to the mod folder where they lie in it).
  void Wrote(const fs::path& file);
  void MissingSource(const fs::path& source);
  void Skipped(int row, std::string why);
  void Problem(std::string what);

  Progress progress() const;
  std::vector<fs::path> written() const;
  std::vector<fs::path> missing_sources() const;
  std::vector<std::string> skipped() const;
  std::vector<std::string> problems() const;

 private:
  mutable std::mutex mutex_;
  ProgressListener listener_;
  uint64_t start_tick_ = 0;
  Progress progress_;
  std::vector<fs::path> written_;
  std::vector<fs::path> missing_;
  std::vector<std::string> skipped_;
  std::vector<std::string> problems_;
};

}  // namespace generation
