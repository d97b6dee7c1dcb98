#include "generation/run_log.h"

#include <algorithm>

#include "platform/clock.h"

namespace generation {

void RunLog::SetMaximum(int maximum) {
  std::lock_guard lock(mutex_);
  progress_.maximum = maximum;
  progress_.position = 0;
  start_tick_ = platform::TickCount();
}

void RunLog::Step(int n) {
  Progress now;
  {
    std::lock_guard lock(mutex_);
    progress_.position = std::min(progress_.position + n, progress_.maximum);
    progress_.elapsed_ms = platform::TickCount() - start_tick_;
    now = progress_;
  }
  if (listener_) listener_(now);
}

void RunLog::Finish() {
  {
    std::lock_guard lock(mutex_);
    progress_.position = progress_.maximum;
  }
  Step(0);
}

void RunLog::Wrote(const fs::path& file) {
  std::lock_guard lock(mutex_);
  written_.push_back(file);
}

void RunLog::MissingSource(const fs::path& source) {
  std::lock_guard lock(mutex_);
  missing_.push_back(source);
}

void RunLog::Skipped(int row, std::string why) {
  std::lock_guard lock(mutex_);
  skipped_.push_back(std::to_string(row) + ": " + std::move(why));
}

void RunLog::Problem(std::string what) {
  std::lock_guard lock(mutex_);
  problems_.push_back(std::move(what));
}

Progress RunLog::progress() const {
  std::lock_guard lock(mutex_);
  return progress_;
}

std::vector<fs::path> RunLog::written() const {
  std::lock_guard lock(mutex_);
  return written_;
}

std::vector<fs::path> RunLog::missing_sources() const {
  std::lock_guard lock(mutex_);
  return missing_;
}

std::vector<std::string> RunLog::skipped() const {
  std::lock_guard lock(mutex_);
  return skipped_;
}

std::vector<std::string> RunLog::problems() const {
  std::lock_guard lock(mutex_);
  return problems_;
}

}  // namespace generation
