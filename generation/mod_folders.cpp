#include "generation/mod_folders.h"

#include <stdlib.h>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace generation {

std::optional<std::string> FolderNameProblem(std::string_view name) {
  using platform::Ansi;
  if (platform::Trim(name).empty()) return Ansi("Не указано название папки мода.");
  if (name == "." || name == "..")
    return Ansi("Название папки мода не может быть \".\" или \"..\".");
  if (name.find_first_of("/\\:") != std::string_view::npos) {
    return Ansi("Название папки мода не может содержать символы \"/\", \"\\\" и \":\".");
  }
  if (name.back() == '.' || name.back() == ' ') {
    return Ansi("Название папки мода не может оканчиваться точкой или пробелом.");
  }
  if (platform::EqualsNoCase(name, "Mods")) {
    return Ansi("Название папки мода не может быть \"Mods\".");
  }
  return std::nullopt;
}

std::string DefaultFolderName(const config::OptionSnapshot& options) {
  if (options.DllComponentOn() && options.EvolutionOfWar()) return "Vornak.TQ Evolution 1.5.0";
  if (options.DllComponentOn() && options.RevolutionDcm()) return "Vornak.TQ Revolution 1.5.0";
  return "Vornak.TQ 1.5.0";
}

ModFolders LocateModFolders(const GenerationInputs& inputs) {
  ModFolders folders;
  const auto mods_of = [](const std::string& folder) {
    return platform::PathFromUserText(platform::WithTrailingSeparator(folder) + "Mods");
  };
  const fs::path name = platform::PathFromAnsi(inputs.folder_name);
  folders.game_copy = platform::ResolveCase(mods_of(inputs.game_folder) / name);
  folders.settings_copy = platform::ResolveCase(mods_of(inputs.game_settings_folder) / name);
  folders.mod = inputs.target == Target::kGameFolder ? folders.game_copy : folders.settings_copy;
  if (!inputs.game_folder.empty() && platform::IsDirectory(folders.game_copy)) {
    folders.replaced.push_back(folders.game_copy);
  }
  const bool settings_target = inputs.target == Target::kSettingsFolder;
  if (!inputs.game_settings_folder.empty() && platform::IsDirectory(folders.settings_copy) &&
      (settings_target ||
       platform::IsDirectory(platform::ResolveCase(folders.settings_copy / "Assets")))) {
    // The new mod takes the target's place whole, so a target folder is always replaced.
    folders.replaced.push_back(folders.settings_copy);
  }
  folders.exists = !folders.replaced.empty();
  return folders;
}

fs::path MakeStagingFolder(const fs::path& mod) {
  std::error_code ec;
  fs::create_directories(mod.parent_path(), ec);
  std::string pattern =
      (mod.parent_path() / ("." + mod.filename().string() + ".new-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) {
    throw platform::SystemError("cannot make a staging folder beside " + mod.string());
  }
  return pattern;
}

}  // namespace generation
