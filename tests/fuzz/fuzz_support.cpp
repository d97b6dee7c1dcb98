#include "tests/fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace fuzz {

std::vector<std::string_view> Parts(std::string_view input, size_t count) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (parts.size() + 1 < count) {
    // A separator line: at the start or after a LF, followed by a line end or the end.
    size_t at = input.find(kPartSeparator, start);
    while (at != std::string_view::npos) {
      const bool line_start = at == start || input[at - 1] == '\n';
      const size_t after = at + kPartSeparator.size();
      const bool line_end = after == input.size() || input[after] == '\r' || input[after] == '\n';
      if (line_start && line_end) break;
      at = input.find(kPartSeparator, at + 1);
    }
    if (at == std::string_view::npos) break;
    parts.push_back(input.substr(start, at - start));
    start = at + kPartSeparator.size();
    if (start < input.size() && input[start] == '\r') ++start;
    if (start < input.size() && input[start] == '\n') ++start;
  }
  parts.push_back(input.substr(start));
  parts.resize(count);
  return parts;
}

namespace {

class Scratch {
 public:
  Scratch() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "vornak-fuzz-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data())) {
      std::perror("vornak-fuzz: no scratch folder");
      std::abort();
    }
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

const fs::path& ScratchFolder() {
  static const Scratch scratch;
  return scratch.path();
}

void WriteScratchFile(const fs::path& path, std::string_view bytes) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "vornak-fuzz: cannot write %s\n", path.c_str());
    std::abort();
  }
}

bool IsInside(const fs::path& base, const fs::path& path) {
  // What the system calls see: a name ends at its first zero byte.
  const fs::path seen = fs::path(path.c_str()).lexically_normal();
  const fs::path relative = seen.lexically_relative(base.lexically_normal());
  if (relative.empty()) return false;
  for (const auto& part : relative) {
    if (part == "..") return false;
  }
  return true;
}

void Fail(const char* file, int line, const char* condition) {
  std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace fuzz
