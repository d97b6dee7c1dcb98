#include "shell/installer_registration.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/support/temp_folder.h"

namespace shell {
namespace {

using platform::CopyListEntry;
using platform::ReadCopyList;
using platform::RegistryData;

platform::CopyListProbe Disk(std::set<std::string> existing) {
  return {[existing](const CopyListEntry& e) { return existing.contains(e.exe_path); },
          [](const CopyListEntry&) { return std::string("1.5.0.2"); }};
}

void Add(RegistryData& data, uint32_t n, const std::string& exe) {
  const auto key = platform::CopyListEntryKey(n);
  data.WriteString(key, "ExePatch", exe);
  data.WriteString(key, "Version", "1.5.0.2k.lang");
  data.WriteString(key, "ProgramName", "Vornak.TQ");
  data.WriteDword(platform::kCopyListKey, platform::kCopyListCount, n);
}

TEST(RegisterCopy, PrunesThenAddsThisCopyAtTheEnd) {
  RegistryData data;
  Add(data, 1, "/deleted/Vornak.TQ");
  Add(data, 2, "/other/Vornak.TQ");
  EXPECT_FALSE(RegisterCopy(data, "/this/Vornak.TQ", "1.5.0.2k.lang", "Vornak.TQ",
                            Disk({"/other/Vornak.TQ", "/this/Vornak.TQ"})));
  const auto list = ReadCopyList(data);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].exe_path, "/other/Vornak.TQ");
  EXPECT_EQ(list[1].exe_path, "/this/Vornak.TQ");
  EXPECT_EQ(list[1].version, "1.5.0.2k.lang");
  EXPECT_EQ(list[1].program_name, "Vornak.TQ");

  // The next start finds itself (names compared without case) and adds nothing.
  EXPECT_TRUE(RegisterCopy(data, "/this/Vornak.TQ", "1.5.0.2K.LANG", "vornak.tq",
                           Disk({"/other/Vornak.TQ", "/this/Vornak.TQ"})));
  EXPECT_EQ(ReadCopyList(data).size(), 2u);
}

TEST(RegisterCopy, ACorruptCountStillGivesASmallNumber) {
  RegistryData data;
  data.WriteDword(platform::kCopyListKey, platform::kCopyListCount, 0xFFFFFFFFu);
  RegisterCopy(data, "/this/Vornak.TQ", "1.5.0.2k.lang", "Vornak.TQ", Disk({"/this/Vornak.TQ"}));
  EXPECT_EQ(data.ReadDword(platform::kCopyListKey, platform::kCopyListCount), 1u);
  EXPECT_EQ(platform::ReadCopyListEntry(data, 1).exe_path, "/this/Vornak.TQ");
}

TEST(RegisterForInstaller, WritesTheStore) {
  testing_support::TempFolder folder;
  platform::RegistryStore store(folder / "Registry.txt");
  const auto exe = folder.Write("Vornak.TQ", "not an executable");
  RegisterForInstaller(store, exe, "1.5.0.2k.lang", "Vornak.TQ");
  EXPECT_EQ(ReadCopyList(store.Read()).size(), 1u);
  // Its file version does not match, so the next start replaces the stale entry with a fresh one.
  RegisterForInstaller(store, exe, "1.5.0.2k.lang", "Vornak.TQ");
  EXPECT_EQ(ReadCopyList(store.Read()).size(), 1u);
}

}  // namespace
}  // namespace shell
