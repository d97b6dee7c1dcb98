// The menu commands "Сохранить конфигурацию как..." and "Загрузить конфигурацию...", and the
// automatic configuration kept between runs. The UI shows the file dialogs; these functions do
// what follows the user's choice.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "config/configuration_file.h"
#include "config/option_controls.h"
#include "config/option_rules.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

namespace config {

namespace fs = std::filesystem;

inline constexpr std::string_view kConfigurationExtension = ".vkm";

// "<program folder>/Config", created when missing: where both file dialogs start.
fs::path ConfigurationFolder(const fs::path& program_folder);
// "<program folder>/Settings/AutoConfig.vkm".
fs::path AutoConfigurationPath(const fs::path& program_folder);

// The name the save dialog proposes: "Config[" + mm.dd.yy + "]".
std::string ProposedConfigurationName(const platform::LocalDateTime& today);
// The chosen name with ".vkm" appended, unless its extension already is ".vkm" in any letter case.
fs::path WithConfigurationExtension(const fs::path& chosen);

// The save dialog's question before it closes on an existing file: a warning beep and a Yes/No
// box. True when the dialog may close (the file does not exist, or the user said Yes).
bool ConfirmReplace(platform::Dialogs& dialogs, const fs::path& path);

// After the save dialog: the name (with the extension rule) becomes the current configuration
// file and is written. Returns the path written, nullopt on failure.
std::optional<fs::path> SaveConfigurationAs(const OptionControls& controls, const fs::path& chosen);

// After the open dialog: the file becomes the current configuration file and is read; then the
// game version check withdraws a DLL-component choice the game does not allow.
bool LoadConfiguration(OptionRules& rules, const fs::path& chosen, const ReadContext& context,
                       const std::optional<std::string>& game_version);

// At the first show, with automatic configuration on: when the file exists it becomes the current
// configuration file and is read. False when there was nothing to read or the reading stopped.
bool LoadAutoConfiguration(OptionRules& rules, const fs::path& program_folder,
                           const ReadContext& context);
// On exit, with automatic configuration on.
bool SaveAutoConfiguration(const OptionControls& controls, const fs::path& program_folder);

}  // namespace config
