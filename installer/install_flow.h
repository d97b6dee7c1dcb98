// The page sequence of a run, shared by the window and the unattended run: language, about the
// pack, the copy search (choice among several copies, or the folder the user points to), the
// checks, the install with its progress, and what follows when the window has closed.
//
// A frontend shows the pages; the sequence decides what comes next and shows the message boxes
// through the session's dialogs.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "installer/languages.h"
#include "installer/pack_install.h"
#include "installer/session.h"

namespace installer {

namespace fs = std::filesystem;

enum class PageAction { kNext, kBack, kExit };

struct PageChoice {
  PageAction action = PageAction::kExit;
  size_t index = 0;  // the copy chosen on the copy-choice page
  fs::path folder;   // the folder chosen in the folder browser of the not-found page

  static PageChoice Exit() { return {}; }
  static PageChoice Back() { return With(PageAction::kBack, 0, {}); }
  static PageChoice Copy(size_t index) { return With(PageAction::kNext, index, {}); }
  static PageChoice Folder(fs::path folder) {
    return With(PageAction::kNext, 0, std::move(folder));
  }

 private:
  static PageChoice With(PageAction action, size_t index, fs::path folder) {
    PageChoice choice;
    choice.action = action;
    choice.index = index;
    choice.folder = std::move(folder);
    return choice;
  }
};

class Frontend {
 public:
  virtual ~Frontend() = default;

  // Each page returns how the user left it; kExit once the user has confirmed the exit question
  // (the frontend asks it). `select` loads the language of the entry the user selects.
  virtual PageAction LanguagePage(const std::vector<LanguageEntry>& languages,
                                  const std::function<void(size_t)>& select) = 0;
  virtual PageAction AboutPage(const std::string& title, const std::string& text) = 0;
  virtual PageChoice CopyChoicePage(const std::string& title,
                                    const std::vector<std::string>& executables) = 0;
  // kNext comes with the folder the user chose in the folder browser (titled `browser_title`);
  // a cancelled browser keeps the page.
  virtual PageChoice NotFoundPage(const std::string& title, const std::string& text,
                                  const std::string& browser_title) = 0;

  // The progress page: nothing can be left while the install runs. Step is called after every
  // step of the procedure; WaitForExit returns when the user has left the finished page.
  virtual void BeginProgress(const std::string& title) = 0;
  virtual void Step(const ProgressStep& step, const std::string& elapsed) = 0;
  virtual void WaitForExit() = 0;

  // Closes the window; the boxes that follow have no window behind them.
  virtual void Close() = 0;
};

enum class Outcome {
  kInstalled,
  kFailed,           // the install ran and a step failed
  kNoSupportedCopy,  // the given folder holds no copy of the program, or one the pack does not
                     // support
  kCancelled,        // the user left, or a check stopped the installer before it installed anything
};

struct FlowResult {
  Outcome outcome = Outcome::kCancelled;
  // The executable to start when the installer ends (the user said yes to starting it).
  std::optional<fs::path> start;
  fs::path target;  // the program folder installed into, once known
};

struct FlowOptions {
  // A program folder given in advance: it replaces the copy search and is taken as a folder the
  // user pointed to.
  std::optional<fs::path> target;
};

FlowResult RunInstaller(Session& session, Frontend& frontend, const FlowOptions& options = {});

}  // namespace installer
