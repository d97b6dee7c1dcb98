#include "tests/support/temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

#include "platform/file_io.h"

namespace testing_support {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vornak-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  // Tests may leave read-only folders behind; open them up so the removal succeeds.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_symlink() && it->is_directory()) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    }
  }
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TempFolder::Write(std::string_view relative, std::string_view bytes) const {
  const std::filesystem::path file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << bytes;
  return file;
}

std::string TempFolder::Read(std::string_view relative) const {
  return platform::ReadFileBytes(path_ / relative).value_or("<missing>");
}

ScopedEnv::ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
  if (const char* old = getenv(name_.c_str())) {
    had_value_ = true;
    old_value_ = old;
  }
  if (value) {
    setenv(name_.c_str(), value, 1);
  } else {
    unsetenv(name_.c_str());
  }
}

ScopedEnv::~ScopedEnv() {
  if (had_value_) {
    setenv(name_.c_str(), old_value_.c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
}

}  // namespace testing_support
