#include "installer/session.h"

#include "installer/about_text.h"
#include "installer/identity.h"
#include "installer/line_file.h"
#include "installer/messages.h"
#include "platform/clock.h"
#include "platform/file_version.h"
#include "platform/paths.h"
#include "platform/system_info.h"

namespace installer {

fs::path ProgramFolderOf(const std::string& executable_path) {
  return platform::PathFromAnsi(executable_path).parent_path();
}

std::unique_ptr<Session> Session::Open(SessionOptions options, platform::Dialogs& dialogs) {
  if (platform::CompatibleSystemVersion().major < 5) {
    ShowBox(dialogs,
            std::string("\r\n") + kInstallerName + "\r\n\r\nNot supported OS...                ",
            "Warning...", "error");
    return nullptr;
  }
  const auto description = ReadPackDescription(PackFolder(options.installer_folder));
  if (!description.pack) {
    ShowBox(dialogs, PackDescriptionErrorText(description), "Error...", "error");
    return nullptr;
  }
  return std::unique_ptr<Session>(new Session(std::move(options), dialogs, *description.pack));
}

Session::Session(SessionOptions options, platform::Dialogs& dialogs, PackDescription pack)
    : options_(std::move(options)),
      dialogs_(dialogs),
      folder_(options_.installer_folder),
      pack_(std::move(pack)),
      finder_(pack_, folder_, options_.registry_file),
      languages_(ListLanguages(options_.installer_folder)) {
  if (!options_.is_running) {
    options_.is_running = [this](const fs::path& program) {
      return finder_.IsProgramRunning(program);
    };
  }
  // Without language files there is nothing to choose: the built-in texts apply.
  if (!OffersLanguageChoice()) SelectLanguage(0);
}

void Session::SelectLanguage(size_t index) {
  if (index >= languages_.size()) return;
  if (LoadLanguage(languages_[index], texts_)) language_ = languages_[index].name;
}

std::string Session::AboutText() const {
  try {
    return installer::AboutText(folder_.ReadBytes("aboutPack.ini").value_or(""), language_);
  } catch (const ReadError&) {
    return {};
  }
}

std::optional<fs::path> Session::AcceptChosenFolder(const fs::path& chosen) {
  const auto program = finder_.LocateProgramFolder(chosen);
  if (!program) {
    ShowBox(dialogs_, texts_.NoProgramInFolder(), texts_.WarningCaption(), "warning");
    return std::nullopt;
  }
  const fs::path executable = pack_.Executable(*program);
  if (!finder_.IsCompatible(platform::FileVersionText(executable), executable)) {
    ShowBox(dialogs_, texts_.IncompatibleCopy(pack_.program_name), texts_.WarningCaption(),
            "warning");
    return std::nullopt;
  }
  return program;
}

void Session::ConfirmTarget(const fs::path& program_folder) {
  ShowBox(dialogs_, texts_.FolderFound(platform::PathToAnsi(program_folder)),
          texts_.WarningCaption(), "info");
}

CheckResult Session::CheckBeforeInstall(const fs::path& program_folder) {
  return installer::CheckBeforeInstall(pack_, program_folder, texts_, dialogs_,
                                       [&] { return options_.is_running(program_folder); });
}

bool Session::Install(
    const fs::path& program_folder,
    const std::function<void(const ProgressStep&, const std::string& elapsed)>& step) {
  const uint64_t start = platform::TickCount();
  const bool success = InstallPack(pack_, folder_, program_folder, [&](const ProgressStep& done) {
    if (step) step(done, texts_.ElapsedLabel(platform::TickCount() - start));
  });
  if (success) {
    ShowBox(dialogs_, texts_.Success(), texts_.MessageCaption(), "info");
  } else {
    ShowBox(dialogs_, texts_.Failure(), texts_.MessageCaption(), "error");
  }
  return success;
}

void Session::ShowOtherCopyHint() {
  ShowBox(dialogs_, texts_.OtherCopyHint(pack_.program_name), texts_.MessageCaption(), "info");
}

bool Session::AskToStart() {
  return ShowBox(dialogs_, texts_.StartQuestion(pack_.program_name), texts_.QuestionCaption(),
                 "quest", platform::kMbYesNo) == platform::kIdYes;
}

}  // namespace installer
