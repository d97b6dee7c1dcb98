// The registry store as both programs read it: any file must parse, its rewrite must read back to
// the same data, and a write must read back whatever the file held before.
#include <stdexcept>

#include "platform/registry_store.h"
#include "platform/text.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using platform::RegistryData;

// Walks the keys below `key` as the copy list is walked, reading every value the walk names.
void Walk(const RegistryData& data, const std::string& key, int depth) {
  FUZZ_CHECK(data.KeyExists(key));
  data.ReadString(key, "");
  data.ReadDword(key, "Count");
  if (depth == 8) return;
  for (const auto& name : data.SubKeyNames(key)) Walk(data, key + "\\" + name, depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const RegistryData parsed = RegistryData::Parse(input);
  const std::string text = parsed.Serialize();
  const RegistryData again = RegistryData::Parse(text);
  FUZZ_CHECK(again == parsed);
  FUZZ_CHECK(again.Serialize() == text);

  for (const auto root :
       {platform::kHkeyCurrentUser, platform::kHkeyLocalMachine, platform::kHkeyClassesRoot}) {
    if (parsed.KeyExists(root)) Walk(parsed, std::string(root), 0);
  }

  // The store on disk reads what the parser reads.
  static const std::filesystem::path file = fuzz::ScratchFolder() / "Registry.txt";
  fuzz::WriteScratchFile(file, input);
  FUZZ_CHECK(platform::RegistryStore(file).Read() == parsed);

  // A key named by the input's first line takes a text and a number beside what is there.
  const auto lines = platform::SplitLines(input.substr(0, 200));
  const std::string key = lines.empty() ? std::string() : lines.front();
  RegistryData edited = parsed;
  try {
    edited.WriteString(key, "Fuzz", "text \"quoted\"\r\n");
  } catch (const std::invalid_argument&) {
    FUZZ_CHECK(key.find_first_not_of('\\') == std::string::npos);  // a path without a name
    return 0;
  }
  edited.WriteDword(key, "Number", 0xFFFFFFFFu);
  const RegistryData reread = RegistryData::Parse(edited.Serialize());
  FUZZ_CHECK(reread.ReadString(key, "fuzz") == "text \"quoted\"\r\n");
  FUZZ_CHECK(reread.ReadDword(key, "NUMBER") == 0xFFFFFFFFu);
  edited.DeleteValue(key, "Fuzz");
  edited.DeleteKey(key);
  return 0;
}
