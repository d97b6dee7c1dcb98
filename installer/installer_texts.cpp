#include "installer/installer_texts.h"

#include <cstdio>

#include "installer/line_file.h"
#include "platform/text.h"

namespace installer {
namespace {

using platform::Ansi;

// In source order of the positions; "%s" receives the program name.
constexpr std::array<const char*, kTextCount> kBuiltIn = {
    "Действительно хотите закрыть программу?",
    "Подтверждение выхода",
    "Далее",
    "Программа %s запущена в данный момент!",
    "Закройте программу и после этого нажмите \"Ok\" или нажмите \"Cancel\" для выхода из "
    "программы установки.",
    "В программе уже установлена более новая версия данного компонента!",
    "Этот компонент уже установлен в программу, перезаписать его ещё раз?",
    "Подтверждение",
    "Программа не найдена",
    "Индикация процесса установки",
    "Не найдено ни одной копии программы!",
    "Запустите программу %s и после этого нажмите \r\n\"<< Назад\" и ещё раз \"Далее >>\".",
    "Или нажмите \"Далее >>\", чтобы указать местоположение программы вручную.",
    "Выберите папку программы",
    "Предупреждение",
    "В выбранной папке программа не обнаружена!",
    "В выбранной папке находится более ранняя или поздняя версия программы %s не совместимая с "
    "данным пакетом!",
    "Запустить программу %s?",
    "Пакет установлен успешно!",
    "Сообщение",
    "В процессе установки произошла ошибка, попробуйте установить пакет ещё раз!",
    "Выберите копию программы %s для установки",
    "Для установки пакета в другую копию программы %s запустите программу установки ещё раз!",
    "Папка программы успешно найдена!",
    "Путь к найденной папке",
    "Назад",
    "Прошло времени",
    "Выход",
    "О пакете",
};

}  // namespace

void InstallerTexts::UseBuiltIn() {
  for (int i = 0; i < kTextCount; ++i) texts_[i] = Ansi(kBuiltIn[i]);
  language_chosen_ = true;
}

void InstallerTexts::LoadLanguageFile(std::string_view bytes) {
  texts_[kBackText] = "Back";
  texts_[kElapsedText] = "Passed time";
  const auto lines = platform::SplitLines(bytes);
  int position = 0;
  // The first line is the language's own name.
  for (size_t i = 1; i < lines.size() && position < kTextCount; ++i) {
    if (lines[i].empty() || IsCommentLine(lines[i])) continue;
    texts_[position++] = lines[i];
  }
  language_chosen_ = true;
}

std::string InstallerTexts::Format(int position, std::string_view program) const {
  return platform::FormatMessage(texts_[position], {std::string(program)});
}

std::string InstallerTexts::ExitQuestion() const {
  return language_chosen_ ? texts_[kExitQuestionText] : "Do you really want to close the program?";
}

std::string InstallerTexts::ExitCaption() const {
  return (language_chosen_ ? texts_[kExitCaptionText] : "Confirmation of exit") + "...";
}

std::string InstallerTexts::NextButton() const {
  return (language_chosen_ ? texts_[kNextText] : "Next") + " >>";
}

std::string InstallerTexts::BackButton() const {
  return "<< " + (language_chosen_ ? texts_[kBackText] : "Back");
}

std::string InstallerTexts::ExitButton() const {
  return language_chosen_ ? texts_[kExitText] : "Exit";
}

std::string InstallerTexts::AboutTitle() const { return texts_[kAboutTitleText] + ":"; }

std::string InstallerTexts::CopyChoiceTitle(std::string_view program) const {
  return Format(kCopyChoiceTitleText, program) + ":";
}

std::string InstallerTexts::NotFoundTitle() const { return texts_[kNotFoundTitleText] + ":"; }

std::string InstallerTexts::NotFoundText(std::string_view program) const {
  return texts_[kNotFoundText1] + "\r\n\r\n" + Format(kNotFoundText2, program) + "\r\n\r\n" +
         Format(kNotFoundText3, program);
}

std::string InstallerTexts::BrowserTitle() const { return texts_[kBrowserTitleText] + ":"; }

std::string InstallerTexts::ProgressTitle() const { return texts_[kProgressTitleText] + ":"; }

std::string InstallerTexts::ElapsedLabel(uint64_t milliseconds) const {
  const uint64_t seconds = milliseconds / 1000;
  char clock[48];
  std::snprintf(clock, sizeof clock, "%02llu:%02llu:%02llu",
                static_cast<unsigned long long>(seconds / 3600),
                static_cast<unsigned long long>(seconds / 60 % 60),
                static_cast<unsigned long long>(seconds % 60));
  return texts_[kElapsedText] + ": " + clock;
}

std::string InstallerTexts::WarningCaption() const { return texts_[kWarningCaptionText] + "..."; }

std::string InstallerTexts::QuestionCaption() const { return texts_[kQuestionCaptionText] + "..."; }

std::string InstallerTexts::MessageCaption() const { return texts_[kMessageCaptionText] + "..."; }

std::string InstallerTexts::NoProgramInFolder() const { return texts_[kNoProgramText]; }

std::string InstallerTexts::IncompatibleCopy(std::string_view program) const {
  return Format(kIncompatibleText, program);
}

std::string InstallerTexts::FolderFound(std::string_view folder) const {
  return texts_[kFolderFoundText1] + "\r\n" + texts_[kFolderFoundText2] + ": \"" +
         std::string(folder) + "\"";
}

std::string InstallerTexts::RunningWarning(std::string_view program) const {
  return Format(kRunningText, program) + "\r\n\r\n" + texts_[kRunningHintText];
}

std::string InstallerTexts::NewerInstalled() const { return texts_[kNewerInstalledText]; }

std::string InstallerTexts::OverwriteQuestion() const { return texts_[kOverwriteText]; }

std::string InstallerTexts::Success() const { return texts_[kSuccessText]; }

std::string InstallerTexts::Failure() const { return texts_[kFailureText]; }

std::string InstallerTexts::OtherCopyHint(std::string_view program) const {
  return Format(kOtherCopyText, program);
}

std::string InstallerTexts::StartQuestion(std::string_view program) const {
  return Format(kStartQuestionText, program);
}

}  // namespace installer
