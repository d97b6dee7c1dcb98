// Initialisation files as every settings file, configuration and pack description is read: the
// profile semantics must hold for any bytes, a rewrite must keep every line, and a value set
// under a plain name must read back as it was set.
#include <cstring>

#include "platform/ini_file.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using platform::IniFile;

// A value the file can hold as it is: one line, no blanks at its ends, not in quotes.
std::string PlainValue(std::string_view input) {
  std::string value;
  for (const char c : input.substr(0, 24)) {
    if (c != '\r' && c != '\n' && c != '"' && c != '\'') value += c;
  }
  return std::string(platform::Trim(value));
}

void CheckSetReadsBack(IniFile file, std::string_view section, std::string_view key,
                       const std::string& value) {
  file.Set(section, key, value);
  FUZZ_CHECK(file.Get(section, key) == value);
  FUZZ_CHECK(IniFile::Parse(file.Serialize()).Get(section, key) == value);
  file.DeleteKey(section, key);
  file.DeleteSection(section);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const IniFile file = IniFile::Parse(input);
  FUZZ_CHECK(IniFile::Parse(file.Serialize()).lines() == file.lines());

  const auto sections = file.Sections();
  for (const auto& section : sections) {
    FUZZ_CHECK(file.HasSection(section));
    for (const auto& key : file.Keys(section)) {
      FUZZ_CHECK(file.HasKey(section, key));
      file.GetString(section, key, "");
      file.GetBool(section, key, false);
    }
  }

  const std::string value = PlainValue(input);
  CheckSetReadsBack(file, "Fuzz Section", "FuzzKey", value);
  if (!sections.empty()) {
    CheckSetReadsBack(file, sections.front(), "FuzzKey", value);
    // A key the file already has keeps its spelling and takes the value.
    const auto keys = file.Keys(sections.front());
    if (!keys.empty()) CheckSetReadsBack(file, sections.front(), keys.front(), value);
  }

  // Every 64-bit number survives its text.
  if (size >= 8) {
    int64_t number = 0;
    std::memcpy(&number, data, sizeof number);
    FUZZ_CHECK(platform::ParseIniInteger(std::to_string(number)) == number);
  }
  return 0;
}
