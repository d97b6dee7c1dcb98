// One run of the installer: the pack, the chosen language and the steps that both the window and
// the unattended run take, with the message boxes each step shows.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "installer/copy_finder.h"
#include "installer/installer_texts.h"
#include "installer/languages.h"
#include "installer/pack_checks.h"
#include "installer/pack_description.h"
#include "installer/pack_folder.h"
#include "installer/pack_install.h"
#include "platform/dialogs.h"

namespace installer {

namespace fs = std::filesystem;

struct SessionOptions {
  fs::path installer_folder;  // where Source/ and Language/ are
  fs::path registry_file;     // the registry store holding the copy list
  // Whether the copy in a program folder runs; the process list when not given.
  std::function<bool(const fs::path& program_folder)> is_running;
};

class Session {
 public:
  // Checks the system and reads the pack description. When either fails, shows why and returns
  // nullptr: the installer cannot go on.
  static std::unique_ptr<Session> Open(SessionOptions options, platform::Dialogs& dialogs);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const PackDescription& pack() const { return pack_; }
  const InstallerTexts& texts() const { return texts_; }
  platform::Dialogs& dialogs() { return dialogs_; }

  // The built-in language first; a choice is offered only when language files exist.
  const std::vector<LanguageEntry>& languages() const { return languages_; }
  bool OffersLanguageChoice() const { return languages_.size() > 1; }
  void SelectLanguage(size_t index);
  const std::string& language() const { return language_; }

  std::string AboutText() const;

  void PruneCopyList() const { finder_.PruneCopyList(); }
  std::vector<std::string> FindCopies() const { return finder_.FindCopies(); }
  // A folder the user pointed to: the program folder found from it when its copy is compatible;
  // otherwise the warning that says why, and nullopt.
  std::optional<fs::path> AcceptChosenFolder(const fs::path& chosen);
  // The box that names the target once it is known.
  void ConfirmTarget(const fs::path& program_folder);
  CheckResult CheckBeforeInstall(const fs::path& program_folder);
  // Installs, reporting every step with the elapsed-time label, then shows the result box.
  bool Install(const fs::path& program_folder,
               const std::function<void(const ProgressStep&, const std::string& elapsed)>& step);

  void ShowOtherCopyHint();
  bool AskToStart();

 private:
  Session(SessionOptions options, platform::Dialogs& dialogs, PackDescription pack);

  SessionOptions options_;
  platform::Dialogs& dialogs_;
  PackFolder folder_;
  PackDescription pack_;
  CopyFinder finder_;
  InstallerTexts texts_;
  std::vector<LanguageEntry> languages_;
  std::string language_ = kBuiltInLanguage;
};

// The program folder of a registered executable path.
fs::path ProgramFolderOf(const std::string& executable_path);

}  // namespace installer
