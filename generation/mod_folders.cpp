#include "generation/mod_folders.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <random>

#include "errors/guard.h"
#include "generation/metadata_stages.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "shell/file_operations.h"

namespace generation {
namespace {

constexpr std::string_view kStagingTag = "new";
constexpr std::string_view kAsideTag = "old";
constexpr std::string_view kDiscardTag = "del";
constexpr size_t kSuffixLength = 6;
constexpr std::string_view kSuffixLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

void AfterStep() {
  if (TestHooks().after_step) TestHooks().after_step();
}

// ".<name>.<tag>-XXXXXX" in `mods_folder`, with a random suffix.
fs::path SiblingName(const fs::path& mods_folder, const fs::path& name, std::string_view tag) {
  static thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, kSuffixLetters.size() - 1);
  std::string suffix;
  for (size_t i = 0; i < kSuffixLength; ++i) suffix += kSuffixLetters[pick(random)];
  return mods_folder / ("." + name.string() + "." + std::string(tag) + "-" + suffix);
}

bool Unsupported(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }

// Renames where nothing stands at `to`; 0 or the error number.
int RenameNoReplace(const fs::path& from, const fs::path& to) {
#ifdef RENAME_NOREPLACE
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (!Unsupported(errno)) return errno;
#endif
  // Without the flag the test and the rename are two steps; the run lock keeps other runs out
  // in between.
  std::error_code ec;
  if (fs::symlink_status(to, ec).type() != fs::file_type::not_found) return EEXIST;
  return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Exchanges two entries in one step; 0 or the error number (EINVAL where the file system has no
// exchange).
int Exchange(const fs::path& a, const fs::path& b) {
  if (TestHooks().exchange_unavailable) return EINVAL;
#ifdef RENAME_EXCHANGE
  return renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0 ? 0 : errno;
#else
  return EINVAL;
#endif
}

// Renames `folder` to a fresh ".<name>.<tag>-XXXXXX" beside it and returns the new path.
fs::path MoveToSibling(const fs::path& folder, const fs::path& name, std::string_view tag) {
  for (int attempt = 0;; ++attempt) {
    const fs::path to = SiblingName(folder.parent_path(), name, tag);
    const int error = RenameNoReplace(folder, to);
    if (error == 0) return to;
    if (error != EEXIST || attempt >= 100) {
      throw platform::SystemError("cannot move " + folder.string() + " aside", error);
    }
  }
}

// Deletes a folder a run left or set aside; a link there is removed itself, never followed.
void RemoveLeftover(const fs::path& path) {
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    fs::remove(path, ec);
  } else {
    shell::DeleteFolder(path);
  }
}

// A folder (or a link to one) stands at the name: a mod, as far as putting copies back goes.
bool ModStandsAt(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(path, ec);
  return fs::is_directory(status) || fs::is_symlink(status);
}

struct Leftover {
  fs::path path;
  std::string tag;
  std::string name;  // the mod's name as the leftover spells it
};

// The leftover a directory entry is, for the mod `name` (ASCII case aside, as the game's file
// system compares), or nullopt.
std::optional<Leftover> AsLeftover(const fs::directory_entry& entry, std::string_view name) {
  const std::string file = entry.path().filename().string();
  // "." + name + "." + tag + "-" + suffix
  const size_t tail = 1 + 3 + 1 + kSuffixLength;
  if (file.size() < 1 + tail || file[0] != '.') return std::nullopt;
  const std::string_view middle = std::string_view(file).substr(1, file.size() - 1 - tail);
  const std::string_view end = std::string_view(file).substr(file.size() - tail);
  if (!platform::EqualsNoCase(middle, name) || end[0] != '.' || end[4] != '-') return std::nullopt;
  const std::string_view tag = end.substr(1, 3);
  if (tag != kStagingTag && tag != kAsideTag && tag != kDiscardTag) return std::nullopt;
  if (end.substr(5).find_first_not_of(kSuffixLetters) != std::string_view::npos) {
    return std::nullopt;
  }
  std::error_code ec;
  const fs::file_status status = entry.symlink_status(ec);
  if (!fs::is_directory(status) && !fs::is_symlink(status)) return std::nullopt;
  return Leftover{entry.path(), std::string(tag), std::string(middle)};
}

// When the entry last changed (a rename counts): the newest old copy is the one to put back.
struct timespec ChangeTime(const fs::path& path) {
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0) return {};
  return status.st_ctim;
}

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return a == b || fs::equivalent(a, b, ec);
}

}  // namespace

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
  const bool settings_target = inputs.target == Target::kSettingsFolder;
  const bool game_copy = !inputs.game_folder.empty() && platform::IsDirectory(folders.game_copy);
  const bool settings_copy =
      !inputs.game_settings_folder.empty() && platform::IsDirectory(folders.settings_copy) &&
      (settings_target ||
       platform::IsDirectory(platform::ResolveCase(folders.settings_copy / "Assets")));
  if (game_copy && settings_copy && SameFolder(folders.game_copy, folders.settings_copy)) {
    // One folder under two names: it is replaced once, at the target's name.
    folders.replaced.push_back(folders.mod);
  } else {
    if (game_copy) folders.replaced.push_back(folders.game_copy);
    // The new mod takes the target's place whole, so a target folder is always replaced.
    if (settings_copy) folders.replaced.push_back(folders.settings_copy);
  }
  if (inputs.make_shortcut && !inputs.desktop_folder.empty()) {
    const fs::path launcher = LauncherFile(inputs);
    std::error_code ec;
    if (fs::symlink_status(launcher, ec).type() != fs::file_type::not_found) {
      folders.launcher = launcher;
    }
  }
  folders.exists = !folders.replaced.empty() || !folders.launcher.empty();
  return folders;
}

fs::path LauncherFile(const GenerationInputs& inputs) {
  return inputs.desktop_folder /
         platform::PathFromAnsi(ShortcutName(inputs.folder_name) + ".desktop");
}

fs::path MakeStagingFolder(const fs::path& mod) {
  std::error_code ec;
  fs::create_directories(mod.parent_path(), ec);
  // mkdir applies the umask (and a default ACL) itself, as for any folder the user makes; a
  // private temporary folder would leave the mod readable by its owner only.
  for (int attempt = 0;; ++attempt) {
    const fs::path staging = SiblingName(mod.parent_path(), mod.filename(), kStagingTag);
    if (mkdir(staging.c_str(), 0777) == 0) {
      AfterStep();
      return staging;
    }
    if (errno != EEXIST || attempt >= 100) {
      throw platform::SystemError("cannot make a staging folder beside " + mod.string());
    }
  }
}

void CleanUpInterruptedRuns(const fs::path& mods_folder, const fs::path& name) {
  std::vector<Leftover> leftovers;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(mods_folder, ec)) {
    if (auto leftover = AsLeftover(entry, name.string())) leftovers.push_back(*leftover);
  }
  if (leftovers.empty()) return;
  if (!ModStandsAt(platform::ResolveCase(mods_folder / name))) {
    // Killed between setting the old mod aside and putting the new one in: the old one returns.
    auto newest = leftovers.end();
    for (auto it = leftovers.begin(); it != leftovers.end(); ++it) {
      if (it->tag != kAsideTag) continue;
      if (newest == leftovers.end()) {
        newest = it;
        continue;
      }
      const timespec a = ChangeTime(it->path);
      const timespec b = ChangeTime(newest->path);
      if (a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec > b.tv_nsec)) newest = it;
    }
    if (newest != leftovers.end()) {
      const fs::path original = mods_folder / newest->name;
      if (const int error = RenameNoReplace(newest->path, original)) {
        throw platform::SystemError(
            "cannot put " + newest->path.string() + " back to " + original.string(), error);
      }
      AfterStep();
      leftovers.erase(newest);
    }
  }
  for (const Leftover& leftover : leftovers) {
    errors::Guarded("03.013-01", [&] {
      const fs::path doomed = leftover.tag == kDiscardTag
                                  ? leftover.path
                                  : MoveToSibling(leftover.path, leftover.name, kDiscardTag);
      if (doomed != leftover.path) AfterStep();
      RemoveLeftover(doomed);
      AfterStep();
    });
  }
}

std::vector<fs::path> SwapIn(const fs::path& staging, const ModFolders& folders) {
  std::vector<std::pair<fs::path, fs::path>> aside;  // (original, where it is now)
  const auto put_back = [&aside] {
    bool all = true;
    for (auto it = aside.rbegin(); it != aside.rend(); ++it) {
      if (RenameNoReplace(it->second, it->first) != 0) all = false;
    }
    return all;
  };
  try {
    bool target_replaced = false;
    for (const fs::path& folder : folders.replaced) {
      if (folder == folders.mod) {
        target_replaced = true;
        continue;
      }
      aside.emplace_back(folder, MoveToSibling(folder, folder.filename(), kAsideTag));
      AfterStep();
    }
    std::vector<fs::path> old_copies;
    for (const auto& [original, now] : aside) old_copies.push_back(now);
    if (target_replaced) {
      const int error = Exchange(staging, folders.mod);
      if (error == 0) {
        // The staging name now holds the old mod.
        AfterStep();
        old_copies.push_back(staging);
        return old_copies;
      }
      if (!Unsupported(error)) {
        throw platform::SystemError(
            "cannot exchange " + staging.string() + " and " + folders.mod.string(), error);
      }
      aside.emplace_back(folders.mod,
                         MoveToSibling(folders.mod, folders.mod.filename(), kAsideTag));
      AfterStep();
      old_copies.push_back(aside.back().second);
      if (const int error = RenameNoReplace(staging, folders.mod)) {
        throw platform::SystemError("cannot move the new mod into " + folders.mod.string(), error);
      }
      AfterStep();
      return old_copies;
    }
    if (const int error = RenameNoReplace(staging, folders.mod)) {
      throw platform::SystemError("cannot move the new mod into " + folders.mod.string(), error);
    }
    AfterStep();
    return old_copies;
  } catch (const std::exception& failure) {
    const auto* system = dynamic_cast<const platform::SystemError*>(&failure);
    const int error = system ? system->error_number() : 0;
    if (put_back()) throw ModSwapError(failure.what(), true, error);
    std::string where;
    for (const auto& [original, now] : aside) {
      if (!ModStandsAt(original)) where += " " + now.string();
    }
    throw ModSwapError(std::string(failure.what()) + "; the old mod is left in" + where, false,
                       error);
  }
}

void DiscardOldCopies(const fs::path& mod, const std::vector<fs::path>& old_copies,
                      const std::function<void()>& after_each) {
  for (const fs::path& old : old_copies) {
    errors::Guarded("03.013-01", [&] {
      const fs::path doomed = MoveToSibling(old, mod.filename(), kDiscardTag);
      AfterStep();
      RemoveLeftover(doomed);
      AfterStep();
    });
    after_each();
  }
}

SwapTestHooks& TestHooks() {
  static SwapTestHooks hooks;
  return hooks;
}

}  // namespace generation
