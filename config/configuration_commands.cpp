#include "config/configuration_commands.h"

#include <cstdio>

#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace config {

fs::path ConfigurationFolder(const fs::path& program_folder) {
  const fs::path folder = program_folder / "Config";
  std::error_code error;
  fs::create_directories(folder, error);
  return folder;
}

fs::path AutoConfigurationPath(const fs::path& program_folder) {
  return program_folder / "Settings" / "AutoConfig.vkm";
}

std::string ProposedConfigurationName(const platform::LocalDateTime& today) {
  char date[16];
  std::snprintf(date, sizeof date, "%02d.%02d.%02d", today.month % 100, today.day % 100,
                today.year % 100);
  return std::string("Config[") + date + "]";
}

fs::path WithConfigurationExtension(const fs::path& chosen) {
  const std::string name = chosen.filename().string();
  const size_t dot = name.rfind('.');
  const std::string_view extension =
      dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot);
  if (platform::EqualsNoCase(extension, kConfigurationExtension)) return chosen;
  fs::path result = chosen;
  result += std::string(kConfigurationExtension);
  return result;
}

bool ConfirmReplace(platform::Dialogs& dialogs, const fs::path& path) {
  return errors::Guarded("01.061-01", [&] {
    if (!fs::exists(path)) return true;
    dialogs.Beep();
    return dialogs.MessageBox(0, platform::Ansi("Файл уже существует. Заменить?"),
                              platform::Ansi("Предупреждение"),
                              platform::kMbYesNo | platform::kMbIconExclamation) ==
           platform::kIdYes;
  });
}

std::optional<fs::path> SaveConfigurationAs(const OptionControls& controls,
                                            const fs::path& chosen) {
  return errors::Guarded("01.063-01", [&]() -> std::optional<fs::path> {
    const fs::path path = WithConfigurationExtension(chosen);
    CurrentConfiguration().current_file = path;
    if (!WriteConfiguration(controls, path)) return std::nullopt;
    return path;
  });
}

bool LoadConfiguration(OptionRules& rules, const fs::path& chosen, const ReadContext& context,
                       const std::optional<std::string>& game_version) {
  return errors::Guarded("01.062-01", [&] {
    CurrentConfiguration().current_file = chosen;
    const bool read = ReadConfiguration(rules, chosen, context);
    rules.GameVersionCheck(game_version);
    return read;
  });
}

bool LoadAutoConfiguration(OptionRules& rules, const fs::path& program_folder,
                           const ReadContext& context) {
  const fs::path path = AutoConfigurationPath(program_folder);
  if (!platform::IsFile(path)) return false;
  CurrentConfiguration().current_file = path;
  return ReadConfiguration(rules, path, context);
}

bool SaveAutoConfiguration(const OptionControls& controls, const fs::path& program_folder) {
  const fs::path path = AutoConfigurationPath(program_folder);
  CurrentConfiguration().current_file = path;
  return WriteConfiguration(controls, path);
}

}  // namespace config
