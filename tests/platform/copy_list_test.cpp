#include "platform/copy_list.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace platform {
namespace {

struct FakeDisk {
  std::set<std::string> existing;
  std::map<std::string, std::string> versions;
  CopyListProbe Probe() const {
    return {[this](const CopyListEntry& e) { return existing.contains(e.exe_path); },
            [this](const CopyListEntry& e) {
              const auto it = versions.find(e.exe_path);
              return it == versions.end() ? std::string() : it->second;
            }};
  }
};

void AddEntry(RegistryData& data, uint32_t number, const std::string& exe,
              const std::string& version = "1.5.0.2k.lang") {
  const std::string key = CopyListEntryKey(number);
  data.WriteString(key, "ExePatch", exe);
  data.WriteString(key, "Version", version);
  data.WriteString(key, "ProgramName", "Vornak.TQ");
  data.WriteDword(kCopyListKey, kCopyListCount, number);
}

TEST(VersionsMatch, CutsByThePositionOfTheFirstPoint) {
  struct Case {
    const char* reference;
    const char* other;
    bool match;
  } cases[] = {
      {"1.5.0.2k.lang", "1.5.0.2", true}, {"1.5.0.2k.lang", "1.6.0.0", false},
      {"10.5.0.1", "10.5.0.9", true},     {"10.5.0.1", "10.5.1.1", false},
      {"100.1", "100.1", true},           {"100.1", "100.10", false},
      {"1.5.0.2k.lang", "", false},       {"1.5.0.2K", "1.5.0", true},
      {"a.B.c.d", "a.b.c.d", false},  // case-sensitive
  };
  for (const auto& c : cases)
    EXPECT_EQ(VersionsMatch(c.reference, c.other), c.match) << c.reference;
}

TEST(PruneCopyList, RemovesStaleEntriesAndRenumbersTheRest) {
  RegistryData data;
  AddEntry(data, 1, "/gone/a");
  AddEntry(data, 2, "/gone/b");
  AddEntry(data, 3, "/here/c");
  AddEntry(data, 4, "/here/changed");
  FakeDisk disk{{"/here/c", "/here/changed"},
                {{"/here/c", "1.5.0.2"}, {"/here/changed", "1.6.0.0"}}};

  const auto kept = PruneCopyList(data, disk.Probe());
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(data.ReadDword(kCopyListKey, kCopyListCount), 1u);
  EXPECT_EQ(ReadCopyListEntry(data, 1).exe_path, "/here/c");
  EXPECT_FALSE(data.KeyExists(CopyListEntryKey(2)));
  EXPECT_FALSE(data.KeyExists(CopyListEntryKey(3)));
}

TEST(PruneCopyList, DeletesTheListWhenNothingIsLeft) {
  RegistryData data;
  AddEntry(data, 1, "/gone/a");
  EXPECT_TRUE(PruneCopyList(data, FakeDisk{}.Probe()).empty());
  EXPECT_FALSE(data.KeyExists(kCopyListKey));
}

TEST(PruneCopyList, ACorruptCountCannotRunAway) {
  RegistryData data;
  AddEntry(data, 1, "/here/c");
  data.WriteDword(kCopyListKey, kCopyListCount, 0xFFFFFFF0u);  // a negative count, as DWORD
  FakeDisk disk{{"/here/c"}, {{"/here/c", "1.5.0.2"}}};
  EXPECT_EQ(PruneCopyList(data, disk.Probe()).size(), 1u);
  EXPECT_EQ(data.ReadDword(kCopyListKey, kCopyListCount), 1u);
}

}  // namespace
}  // namespace platform
