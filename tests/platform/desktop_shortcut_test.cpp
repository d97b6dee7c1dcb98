#include "platform/desktop_shortcut.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace platform {
namespace {

TEST(DesktopShortcut, QuotesAndEscapesTheCommandLine) {
  DesktopShortcut shortcut;
  shortcut.program = "/games/Beyond the Sword/Civ4BeyondSword.exe";
  shortcut.arguments = {"mod=\\Mods\\My Mod", "100%"};
  shortcut.name = "My Mod";
  shortcut.description = "Мод";
  shortcut.icon = "/games/Beyond the Sword/Mods/My Mod/icon.ico";
  EXPECT_EQ(DesktopEntryText(shortcut),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=My Mod\n"
            "Comment=Мод\n"
            "Exec=wine \"/games/Beyond the Sword/Civ4BeyondSword.exe\" "
            "\"mod=\\\\\\\\Mods\\\\\\\\My Mod\" 100%%\n"
            "Path=/games/Beyond the Sword\n"
            "Icon=/games/Beyond the Sword/Mods/My Mod/icon.ico\n"
            "Terminal=false\n");
}

TEST(DesktopShortcut, IsWrittenExecutable) {
  testing_support::TempFolder folder;
  DesktopShortcut shortcut;
  shortcut.program = "/bin/true";
  shortcut.name = "x";
  WriteDesktopShortcut(folder / "x.desktop", shortcut);
  const auto perms = std::filesystem::status(folder / "x.desktop").permissions();
  EXPECT_NE(perms & std::filesystem::perms::owner_exec, std::filesystem::perms::none);
}

}  // namespace
}  // namespace platform
