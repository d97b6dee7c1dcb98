#include "shell/shortcut.h"

#include "errors/guard.h"
#include "platform/desktop_shortcut.h"
#include "platform/text.h"

namespace shell {

bool CreateShortcut(const std::filesystem::path& program,
                    const std::filesystem::path& shortcut_file, const std::string& description,
                    const std::filesystem::path& icon, const std::vector<std::string>& arguments) {
  return errors::Guarded("UP.008-05", [&] {
    platform::DesktopShortcut shortcut;
    shortcut.program = program;
    for (const auto& argument : arguments) {
      shortcut.arguments.push_back(platform::Cp1251ToUtf8(argument));
    }
    shortcut.name = shortcut_file.stem().string();
    shortcut.description = platform::Cp1251ToUtf8(description);
    shortcut.working_folder = program.parent_path();
    shortcut.icon = icon;
    platform::WriteDesktopShortcut(shortcut_file, shortcut);
    return true;
  });
}

}  // namespace shell
