#include "platform/registry_store.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

const std::string kKey = RegistryKey(kHkeyCurrentUser, "Software\\Ostrel\\AutoInstallPatch");

TEST(RegistryData, KeysAndValuesIgnoreAsciiCase) {
  RegistryData data;
  data.WriteString(kKey + "\\AutoInstallPatch1", "ExePatch", "/opt/v/Vornak.TQ");
  data.WriteDword(kKey, "AutoInstallPatchCount", 1);
  EXPECT_TRUE(data.KeyExists("hkey_current_user\\SOFTWARE\\ostrel"));  // parents exist too
  EXPECT_EQ(data.ReadString(kKey + "\\autoinstallpatch1", "EXEPATCH"), "/opt/v/Vornak.TQ");
  EXPECT_EQ(data.ReadDword(kKey, "autoinstallpatchcount"), 1u);
  EXPECT_EQ(data.ReadDword(kKey + "\\AutoInstallPatch1", "ExePatch"), std::nullopt);
  EXPECT_EQ(data.SubKeyNames(kKey), std::vector<std::string>{"AutoInstallPatch1"});

  EXPECT_TRUE(data.DeleteKey(RegistryKey(kHkeyCurrentUser, "software\\ostrel")));
  EXPECT_FALSE(data.KeyExists(kKey + "\\AutoInstallPatch1"));
  EXPECT_TRUE(data.KeyExists("HKEY_CURRENT_USER\\Software"));
}

TEST(RegistryData, SerializesAndParsesEveryValueBack) {
  RegistryData data;
  data.WriteString(kKey, "Quote\"And\\Slash", "line1\r\nline2 \"q\" \\ \xCF");
  data.WriteString(kKey, "", "default value");
  data.WriteDword(kKey, "Count", 0xFFFFFFFFu);
  const RegistryData parsed = RegistryData::Parse(data.Serialize());
  EXPECT_EQ(parsed, data);
  EXPECT_EQ(parsed.ReadString(kKey, ""), "default value");
}

TEST(RegistryData, IgnoresDamagedLines) {
  const RegistryData parsed = RegistryData::Parse(
      "[HKEY_CURRENT_USER\\A]\n\"ok\"=\"1\"\n\"open=\"x\n\"n\"=dword:zz\ngarbage\n\"ok\"=\"2\"\n");
  EXPECT_EQ(parsed.ReadString("HKEY_CURRENT_USER\\A", "ok"), "1");
  EXPECT_FALSE(parsed.ValueExists("HKEY_CURRENT_USER\\A", "n"));
}

// A key path of nothing but separators names no key: a write there fails instead of reaching for
// a key that cannot exist, and the data stays as it was.
TEST(RegistryData, WriteWithoutAKeyNameFailsAndChangesNothing) {
  RegistryData data;
  data.WriteString(kKey, "Kept", "1");
  const RegistryData before = data;
  for (const std::string_view key : {"", "\\", "\\\\\\"}) {
    EXPECT_THROW(data.WriteString(key, "Name", "x"), std::invalid_argument) << key;
    EXPECT_THROW(data.WriteDword(key, "Name", 1), std::invalid_argument) << key;
  }
  EXPECT_EQ(data, before);
}

TEST(RegistryStore, ConcurrentModificationsLoseNothing) {
  testing_support::TempFolder folder;
  const RegistryStore store(folder / "Registry.txt");
  constexpr int kProcesses = 4;
  constexpr int kIncrements = 25;
  for (int p = 0; p < kProcesses; ++p) {
    if (fork() == 0) {
      RegistryStore child(folder / "Registry.txt");
      for (int i = 0; i < kIncrements; ++i) {
        child.Modify([](RegistryData& data) {
          data.WriteDword(kKey, "N", data.ReadDword(kKey, "N").value_or(0) + 1);
        });
      }
      _exit(0);
    }
  }
  for (int p = 0; p < kProcesses; ++p) wait(nullptr);
  EXPECT_EQ(store.Read().ReadDword(kKey, "N"), uint32_t{kProcesses * kIncrements});
}

TEST(RegistryStore, LocationFollowsTheOverrideThenXdg) {
  {
    testing_support::ScopedEnv override_path("OSTREL_REGISTRY", "/x/Registry.txt");
    EXPECT_EQ(RegistryStore::DefaultLocation(), "/x/Registry.txt");
  }
  testing_support::ScopedEnv no_override("OSTREL_REGISTRY", nullptr);
  testing_support::ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(RegistryStore::DefaultLocation(), "/cfg/Ostrel/Registry.txt");
}

}  // namespace
}  // namespace platform
