// A folder that refuses new entries while a test needs a write into it to fail.
#pragma once

#include <filesystem>

namespace installer_testing {

// Takes the folder's write permission away for the object's life. Permissions do not stop root,
// so for root the file system's immutable flag is set as well. Both are undone at the end.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::filesystem::path folder);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // No file can be created in the folder now (false on a file system without the flag, for root).
  bool Holds() const;

 private:
  void SetImmutable(bool on) const;

  std::filesystem::path folder_;
  std::filesystem::perms perms_;
};

}  // namespace installer_testing
