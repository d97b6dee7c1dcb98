#include "installer/silent_run.h"

#include "installer/install_flow.h"
#include "installer/program_launcher.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace installer {
namespace {

using platform::Cp1251ToUtf8;

class SilentFrontend : public Frontend {
 public:
  SilentFrontend(std::ostream& out, std::string language) : out_(out), language_(language) {}

  PageAction LanguagePage(const std::vector<LanguageEntry>& languages,
                          const std::function<void(size_t)>& select) override {
    for (size_t i = 0; i < languages.size(); ++i) {
      if (!platform::EqualsNoCase(languages[i].name, language_)) continue;
      select(i);
      out_ << "Language: " << Cp1251ToUtf8(languages[i].display) << "\n";
      return PageAction::kNext;
    }
    return PageAction::kExit;  // the language was checked before the run
  }

  PageAction AboutPage(const std::string& title, const std::string& text) override {
    out_ << Cp1251ToUtf8(title) << "\n";
    for (const auto& line : platform::SplitLines(text)) out_ << "  " << Cp1251ToUtf8(line) << "\n";
    return PageAction::kNext;
  }

  PageChoice CopyChoicePage(const std::string& title,
                            const std::vector<std::string>& executables) override {
    out_ << Cp1251ToUtf8(title) << "\n";
    for (const auto& executable : executables) out_ << "  " << Cp1251ToUtf8(executable) << "\n";
    out_ << "Several copies are registered: choose one with --target PROGRAM_FOLDER.\n";
    return PageChoice::Exit();
  }

  PageChoice NotFoundPage(const std::string& title, const std::string&,
                          const std::string&) override {
    out_ << Cp1251ToUtf8(title) << "\n"
         << "No compatible copy is registered: give its folder with --target PROGRAM_FOLDER.\n";
    return PageChoice::Exit();
  }

  void BeginProgress(const std::string& title) override { out_ << Cp1251ToUtf8(title) << "\n"; }

  void Step(const ProgressStep& step, const std::string& elapsed) override {
    if (step.done == 0) return;
    out_ << "  [" << step.done << "/" << step.total << "] " << Cp1251ToUtf8(step.description)
         << "  (" << Cp1251ToUtf8(elapsed) << ")\n";
  }

  void WaitForExit() override {}
  void Close() override {}

 private:
  std::ostream& out_;
  std::string language_;
};

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string_view>& args) {
  CommandLine command_line;
  const auto usage = [&](std::string error) {
    command_line.mode = CommandLine::Mode::kUsage;
    command_line.error = std::move(error);
    return command_line;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--silent") {
      command_line.mode = CommandLine::Mode::kSilent;
    } else if ((arg == "--target" || arg == "--language") && i + 1 < args.size()) {
      const std::string_view value = args[++i];
      if (arg == "--target") {
        command_line.target = fs::path(std::string(value));
      } else {
        command_line.language = platform::Utf8ToCp1251(value);
      }
    } else {
      return usage("unknown or incomplete argument: " + std::string(arg));
    }
  }
  if (command_line.mode == CommandLine::Mode::kWindow &&
      (command_line.target || command_line.language)) {
    return usage("--target and --language go with --silent");
  }
  return command_line;
}

std::string UsageText() {
  return "usage: Packrane.TQ [--silent [--target PROGRAM_FOLDER] [--language NAME]]\n";
}

int RunSilent(const CommandLine& command_line, SessionOptions options, platform::Dialogs& dialogs,
              std::ostream& out) {
  const auto session = Session::Open(std::move(options), dialogs);
  if (!session) {
    out << "Result: the pack cannot be installed.\n";
    return kExitNotInstalled;
  }
  const std::string language = command_line.language.value_or(kBuiltInLanguage);
  bool known = false;
  for (const auto& entry : session->languages())
    known = known || platform::EqualsNoCase(entry.name, language);
  if (!known) {
    out << "No language \"" << Cp1251ToUtf8(language) << "\"; the installer has:";
    for (const auto& entry : session->languages()) out << " " << Cp1251ToUtf8(entry.name);
    out << "\n";
    return kExitUsage;
  }

  out << "Pack: " << Cp1251ToUtf8(session->pack().title) << " ("
      << Cp1251ToUtf8(session->pack().InstalledLine()) << ")\n";
  SilentFrontend frontend(out, language);
  FlowOptions flow;
  flow.target = command_line.target;
  const FlowResult result = RunInstaller(*session, frontend, flow);
  if (result.start) LaunchProgram(*result.start);

  switch (result.outcome) {
    case Outcome::kInstalled:
      out << "Result: installed into " << result.target.string() << "\n";
      return kExitInstalled;
    case Outcome::kFailed:
      out << "Result: the install failed.\n";
      return kExitNotInstalled;
    case Outcome::kNoSupportedCopy:
      out << "Result: nothing was installed: the folder holds no copy of "
          << Cp1251ToUtf8(session->pack().program_name) << " that this pack supports.\n";
      return kExitNotInstalled;
    case Outcome::kCancelled:
      out << "Result: nothing was installed.\n";
      return kExitNotInstalled;
  }
  return kExitNotInstalled;
}

}  // namespace installer
