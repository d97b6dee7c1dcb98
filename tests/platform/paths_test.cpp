#include "platform/paths.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

TEST(ConfineRelative, NormalisesOrRefuses) {
  struct Case {
    const char* text;
    std::optional<std::string> result;
  } cases[] = {
      {"Assets\\XML\\Units\\CIV4UnitInfos.xml", "Assets/XML/Units/CIV4UnitInfos.xml"},
      {"a/./b//c\\", "a/b/c"},
      {"a\\..\\b", "b"},
      {"..\\outside", std::nullopt},
      {"a\\..\\..\\outside", std::nullopt},
      {"\\root", std::nullopt},
      {"/etc/passwd", std::nullopt},
      {"C:\\Windows", std::nullopt},
      {"c:relative", std::nullopt},
      {"a\\D:\\b", std::nullopt},
      {"", std::nullopt},
      {".", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto result = ConfineRelative(c.text);
    ASSERT_EQ(result.has_value(), c.result.has_value()) << c.text;
    if (result) {
      EXPECT_EQ(result->string(), *c.result) << c.text;
    }
  }
}

// No file name holds a zero byte, and the system reads a name only up to one: "..\0x" would be
// read as "..", and "\0" as the base folder itself.
TEST(ConfineRelative, RefusesTextWithAZeroByte) {
  using namespace std::string_literals;
  for (const std::string& text : {"..\0x\\Model"s, "\0"s, "a\\\0"s, "a\0b"s}) {
    EXPECT_FALSE(ConfineRelative(text)) << text.size();
    EXPECT_FALSE(ResolveInside("/base", text)) << text.size();
  }
}

TEST(ConfineRelative, ConvertsAnsiNamesToUtf8) {
  EXPECT_EQ(ConfineRelative("\xCC\xEE\xE4\xE5\xEB\xE8\\a")->string(), "Модели/a");
}

TEST(ResolveInside, FindsEntriesWithoutAsciiCasePreferringExactMatches) {
  testing_support::TempFolder base;
  base.Write("Assets/XML/Units/CIV4UnitInfos.xml", "x");
  base.Write("Assets/Art/Модели/Танк/Model.txt", "x");
  base.Write("Dup/abc", "1");
  base.Write("Dup/ABC", "2");

  EXPECT_EQ(*ResolveInside(base.path(), "assets\\xml\\UNITS\\civ4unitinfos.XML"),
            base / "Assets/XML/Units/CIV4UnitInfos.xml");
  EXPECT_EQ(*ResolveInside(base.path(), "ASSETS\\art\\\xCC\xEE\xE4\xE5\xEB\xE8\\\xD2\xE0\xED\xEA"),
            base / "Assets/Art/Модели/Танк");
  EXPECT_EQ(*ResolveInside(base.path(), "dup\\ABC"), base / "Dup/ABC");
  EXPECT_EQ(*ResolveInside(base.path(), "dup\\Abc"),
            base / "Dup/ABC");  // byte order: "ABC" < "abc"
  EXPECT_FALSE(ResolveInside(base.path(), "..\\x"));
}

TEST(ResolveInside, AWriteReusesAnEntryThatDiffersOnlyInCase) {
  testing_support::TempFolder base;
  base.Write("Mods/MyMod/Assets/readme.txt", "x");
  // The missing file keeps its spelling, the existing folders keep theirs.
  EXPECT_EQ(*ResolveInside(base.path(), "mods\\MYMOD\\assets\\XML\\New.xml"),
            base / "Mods/MyMod/Assets/XML/New.xml");
}

TEST(PathFromUserText, ResolvesAbsolutePaths) {
  testing_support::TempFolder base;
  base.Write("Game/Civ4BeyondSword.exe", "x");
  const std::string text = ToSlashes((base.path() / "GAME").string()) + "\\civ4beyondsword.exe";
  EXPECT_EQ(PathFromUserText(text), base / "Game/Civ4BeyondSword.exe");
}

TEST(WithTrailingSeparator, EndsInExactlyOne) {
  EXPECT_EQ(WithTrailingSeparator("/a/b\\\\"), "/a/b/");
  EXPECT_EQ(WithTrailingSeparator("/a"), "/a/");
  EXPECT_EQ(WithTrailingSeparator(""), "");
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

TEST(PathFromUserText, TakesDrivePathsInsideTheWinePrefix) {
  testing_support::ScopedEnv wine("WINEPREFIX", "/home/u/.wine");
  EXPECT_EQ(PathFromUserText("C:\\Program Files\\Firaxis Games"),
            "/home/u/.wine/dosdevices/c:/Program Files/Firaxis Games");
  EXPECT_EQ(PathFromUserText("d:"), "/home/u/.wine/dosdevices/d:");
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

TEST(RealPathInside, FollowsEveryLinkBeforeItDecides) {
  testing_support::TempFolder root;
  root.Write("prog/Help/page.txt", "x");
  const fs::path base_real = fs::canonical(root / "prog");
  root.Write("outside/secret.txt", "x");
  fs::create_directory_symlink(base_real, root / "via");                 // the base by another name
  fs::create_directory_symlink("Help", root / "prog/Docs");              // stays inside
  fs::create_directory_symlink("../outside", root / "prog/Out");         // leads out
  fs::create_symlink(root / "outside/new.txt", root / "prog/Dangling");  // names a missing file
  fs::create_symlink("Loop", root / "prog/Loop");
  fs::create_directories(root / "prog2");  // a sibling with the same prefix
  const fs::path base = root / "via";
  const struct {
    const char* relative;
    std::optional<fs::path> real;
  } cases[] = {
      {"Docs/page.txt", base_real / "Help/page.txt"},
      {"Docs/missing/new.txt", base_real / "Help/missing/new.txt"},
      {"Help/../Docs", base_real / "Help"},
      {"", base_real},
      {"Out/secret.txt", std::nullopt},
      {"Docs/../../outside", std::nullopt},
      {"Missing/../../outside", std::nullopt},
      {"Dangling", std::nullopt},
      {"Loop/x", std::nullopt},
      {"../prog2", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RealPathInside(base, base / c.relative), c.real) << c.relative;
  }
}

}  // namespace
}  // namespace platform
