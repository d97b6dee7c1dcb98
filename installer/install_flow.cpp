#include "installer/install_flow.h"

namespace installer {
namespace {

struct Target {
  fs::path folder;
  bool chosen_by_user = false;  // on the copy-choice page or in the folder browser
};

enum class Search { kFound, kBackToAbout, kExit };

// Finds the target as the pages lead the user: one copy is taken at once, several are offered
// on the copy-choice page, none gives the not-found page. Back on the not-found page searches
// again, so a copy started meanwhile (it registers itself) is found.
Search SearchCopies(Session& session, Frontend& frontend, Target& target) {
  const auto& texts = session.texts();
  const std::string& program = session.pack().program_name;
  for (;;) {
    const auto copies = session.FindCopies();
    if (copies.size() == 1) {
      target = {ProgramFolderOf(copies.front()), false};
      return Search::kFound;
    }
    if (copies.size() > 1) {
      const PageChoice choice = frontend.CopyChoicePage(texts.CopyChoiceTitle(program), copies);
      if (choice.action == PageAction::kExit) return Search::kExit;
      if (choice.action == PageAction::kBack || choice.index >= copies.size()) {
        return Search::kBackToAbout;
      }
      target = {ProgramFolderOf(copies[choice.index]), true};
      return Search::kFound;
    }
    for (;;) {
      const PageChoice choice = frontend.NotFoundPage(
          texts.NotFoundTitle(), texts.NotFoundText(program), texts.BrowserTitle());
      if (choice.action == PageAction::kExit) return Search::kExit;
      if (choice.action == PageAction::kBack) break;
      if (const auto folder = session.AcceptChosenFolder(choice.folder)) {
        target = {*folder, true};
        return Search::kFound;
      }
    }
  }
}

}  // namespace

FlowResult RunInstaller(Session& session, Frontend& frontend, const FlowOptions& options) {
  FlowResult result;
  const auto leave = [&](Outcome outcome) {
    frontend.Close();
    result.outcome = outcome;
    return result;
  };
  if (session.OffersLanguageChoice()) {
    const auto select = [&](size_t index) { session.SelectLanguage(index); };
    if (frontend.LanguagePage(session.languages(), select) == PageAction::kExit) {
      return leave(Outcome::kCancelled);
    }
  }
  session.PruneCopyList();

  Target target;
  for (bool found = false; !found;) {
    if (frontend.AboutPage(session.texts().AboutTitle(), session.AboutText()) ==
        PageAction::kExit) {
      return leave(Outcome::kCancelled);
    }
    if (options.target) {
      const auto folder = session.AcceptChosenFolder(*options.target);
      if (!folder) return leave(Outcome::kNoSupportedCopy);
      target = {*folder, true};
      break;
    }
    switch (SearchCopies(session, frontend, target)) {
      case Search::kFound:
        found = true;
        break;
      case Search::kBackToAbout:
        break;
      case Search::kExit:
        return leave(Outcome::kCancelled);
    }
  }
  result.target = target.folder;

  session.ConfirmTarget(target.folder);
  if (session.CheckBeforeInstall(target.folder) == CheckResult::kStop) {
    return leave(Outcome::kCancelled);
  }
  frontend.BeginProgress(session.texts().ProgressTitle());
  const bool installed = session.Install(
      target.folder,
      [&](const ProgressStep& step, const std::string& elapsed) { frontend.Step(step, elapsed); });
  result.outcome = installed ? Outcome::kInstalled : Outcome::kFailed;
  frontend.WaitForExit();
  frontend.Close();

  if (target.chosen_by_user) session.ShowOtherCopyHint();
  if (session.AskToStart()) result.start = session.pack().Executable(target.folder);
  return result;
}

}  // namespace installer
