// The installer's 29 texts: built in (Russian) or read from a language file, and the messages,
// titles and captions built from them as the window and the boxes show them.
//
// A language file (Language/<name>.txt) holds the language's own name on its first line; the
// following lines that are neither comments nor empty take the positions in order. The texts are
// kept without their decorations ("Далее", shown as "Далее >>"); the built-in ones are the same.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace installer {

inline constexpr int kTextCount = 29;

enum TextPosition : int {
  kExitQuestionText = 0,
  kExitCaptionText = 1,
  kNextText = 2,
  kRunningText = 3,
  kRunningHintText = 4,
  kNewerInstalledText = 5,
  kOverwriteText = 6,
  kQuestionCaptionText = 7,
  kNotFoundTitleText = 8,
  kProgressTitleText = 9,
  kNotFoundText1 = 10,
  kNotFoundText2 = 11,
  kNotFoundText3 = 12,
  kBrowserTitleText = 13,
  kWarningCaptionText = 14,
  kNoProgramText = 15,
  kIncompatibleText = 16,
  kStartQuestionText = 17,
  kSuccessText = 18,
  kMessageCaptionText = 19,
  kFailureText = 20,
  kCopyChoiceTitleText = 21,
  kOtherCopyText = 22,
  kFolderFoundText1 = 23,
  kFolderFoundText2 = 24,
  kBackText = 25,
  kElapsedText = 26,
  kExitText = 27,
  kAboutTitleText = 28,
};

class InstallerTexts {
 public:
  // No language chosen yet: every position empty, the buttons and the exit question in English.
  InstallerTexts() = default;

  void UseBuiltIn();
  // Positions the file does not reach keep what they had; the Back and elapsed-time texts start
  // as "Back" and "Passed time" before the file is read.
  void LoadLanguageFile(std::string_view bytes);

  bool language_chosen() const { return language_chosen_; }
  const std::string& text(int position) const { return texts_.at(position); }

  std::string ExitQuestion() const;
  std::string ExitCaption() const;
  std::string NextButton() const;
  std::string BackButton() const;
  std::string ExitButton() const;

  std::string AboutTitle() const;
  std::string CopyChoiceTitle(std::string_view program) const;
  std::string NotFoundTitle() const;
  std::string NotFoundText(std::string_view program) const;
  std::string BrowserTitle() const;
  std::string ProgressTitle() const;
  // Text 26, a blank and the time as hours, minutes and seconds of at least two digits each.
  std::string ElapsedLabel(uint64_t milliseconds) const;

  std::string WarningCaption() const;
  std::string QuestionCaption() const;
  std::string MessageCaption() const;
  std::string NoProgramInFolder() const;
  std::string IncompatibleCopy(std::string_view program) const;
  // Texts 23 and 24 and the folder in double quotes.
  std::string FolderFound(std::string_view folder) const;
  std::string RunningWarning(std::string_view program) const;
  std::string NewerInstalled() const;
  std::string OverwriteQuestion() const;
  std::string Success() const;
  std::string Failure() const;
  std::string OtherCopyHint(std::string_view program) const;
  std::string StartQuestion(std::string_view program) const;

 private:
  std::string Format(int position, std::string_view program) const;

  std::array<std::string, kTextCount> texts_;
  bool language_chosen_ = false;
};

}  // namespace installer
