// Writes small Windows executables that carry a version resource: the sample game executable of
// the embedded data and the fixtures of the version reader's tests. The image holds nothing but
// headers and a resource section; it is never run.
#pragma once

#include <cstdint>
#include <string>

namespace tools {

struct PeVersionOptions {
  std::string file_version = "1.0.0.0";  // UTF-8
  uint16_t language = 0x0409;
  uint16_t code_page = 0x04B0;
  bool with_translation = true;  // the VarFileInfo\Translation table
  // The key of the string table; empty means the one the translation names.
  std::string string_table_key;
  bool pe32_plus = false;
};

std::string BuildPeWithVersion(const PeVersionOptions& options);

}  // namespace tools
