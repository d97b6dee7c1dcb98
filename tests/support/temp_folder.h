// A fresh folder for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // Writes a file below the folder (parents created) and returns its path.
  std::filesystem::path Write(std::string_view relative, std::string_view bytes) const;
  std::string Read(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

// Sets an environment variable for the life of the object and restores it after.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const char* value);  // nullptr unsets
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_value_ = false;
  std::string old_value_;
};

}  // namespace testing_support
