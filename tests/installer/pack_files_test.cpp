// The files a pack and the installer read: the pack description, the about text, the language
// files and the texts built from them.
#include <gtest/gtest.h>

#include "installer/about_text.h"
#include "installer/installer_texts.h"
#include "installer/languages.h"
#include "installer/pack_description.h"
#include "platform/text.h"
#include "tests/support/temp_folder.h"

namespace installer {
namespace {

using platform::Ansi;
using namespace std::string_literals;

TEST(PackDescription, CommentsAreSkippedAndEveryOtherLineTakesAPosition) {
  const auto result = ParsePackDescription(
      "// comment\r\n/Title, not a comment\r\n\\\\ another "
      "comment\r\nVornak.TQ\r\nVornak.TQ\r\nTFormVKMain\r\n"
      "Screens\r\n1.2.0\r\n\r\nNew\r\n");
  ASSERT_TRUE(result.pack);
  const PackDescription& pack = *result.pack;
  EXPECT_EQ(pack.title, "/Title, not a comment");
  EXPECT_EQ(pack.window_class, "TFormVKMain");
  EXPECT_EQ(pack.component_name, "Screens");
  EXPECT_EQ(pack.version, "1.2.0");
  EXPECT_EQ(pack.parent_folder, "");  // the empty line took position 7
  EXPECT_FALSE(pack.KeepsVersionRecord());
  EXPECT_EQ(pack.InstalledLine(), "Screens/1.2.0");
}

TEST(PackDescription, RefusesShortDescriptionsAndPathsThatLeaveTheProgramFolder) {
  struct Case {
    const char* name;
    std::string bytes;
    PackDescriptionError error;
    int line;
  } cases[] = {
      {"six positions", "T\r\nP\r\nVornak.TQ\r\nC\r\nComp\r\n1.0\r\n", PackDescriptionError::kNone,
       0},
      {"five positions", "T\r\nP\r\nVornak.TQ\r\nC\r\nComp\r\n", PackDescriptionError::kShort, 0},
      {"empty", "", PackDescriptionError::kShort, 0},
      {"executable climbs", "T\r\nP\r\n..\\sh\r\nC\r\nComp\r\n1.0\r\n",
       PackDescriptionError::kUnsafePath, 3},
      {"executable in a subfolder", "T\r\nP\r\nbin\\Vornak.TQ\r\nC\r\nComp\r\n1.0\r\n",
       PackDescriptionError::kUnsafePath, 3},
      {"no executable", "T\r\nP\r\n\r\nC\r\nComp\r\n1.0\r\n", PackDescriptionError::kUnsafePath, 3},
      {"component climbs", "T\r\nP\r\nV\r\nC\r\n..\\..\\x\r\n1.0\r\n",
       PackDescriptionError::kUnsafePath, 5},
      {"component is the parent", "T\r\nP\r\nV\r\nC\r\n..\r\n1.0\r\nDATA\r\n",
       PackDescriptionError::kUnsafePath, 5},
      {"absolute parent", "T\r\nP\r\nV\r\nC\r\nComp\r\n1.0\r\n/etc\r\n",
       PackDescriptionError::kUnsafePath, 7},
      {"drive letter", "T\r\nP\r\nV\r\nC\r\nComp\r\n1.0\r\nC:\\Games\r\n",
       PackDescriptionError::kUnsafePath, 7},
      // A zero byte ends a name for the system: these read as "..".
      {"component climbs behind a zero byte", "T\r\nP\r\nV\r\nC\r\n..\0\\x\r\n1.0\r\n"s,
       PackDescriptionError::kUnsafePath, 5},
      {"parent climbs behind a zero byte", "T\r\nP\r\nV\r\nC\r\nComp\r\n1.0\r\n..\0\0/co\r\n"s,
       PackDescriptionError::kUnsafePath, 7},
  };
  for (const auto& c : cases) {
    const auto result = ParsePackDescription(c.bytes);
    EXPECT_EQ(result.error, c.error) << c.name;
    EXPECT_EQ(result.line, c.line) << c.name;
    EXPECT_EQ(result.pack.has_value(), c.error == PackDescriptionError::kNone) << c.name;
  }
}

TEST(PackDescription, MissingFileAndComponentFolder) {
  testing_support::TempFolder folder;
  EXPECT_EQ(ReadPackDescription(PackFolder(folder.path())).error, PackDescriptionError::kMissing);

  folder.Write("source/pack.ini", "T\r\nP\r\nVornak.TQ\r\nC\r\nScreens\r\n1.0\r\nDATA\\Comp\r\n");
  const auto result = ReadPackDescription(PackFolder(folder.path()));
  ASSERT_TRUE(result.pack) << "Source/Pack.ini is found in any letter case";
  // An existing folder in another letter case is reused.
  std::filesystem::create_directories(folder / "prog/data");
  EXPECT_EQ(result.pack->ComponentFolder(folder / "prog"), folder / "prog/data/Comp/Screens");
}

TEST(AboutText, ShowsTheLanguageThenEnglishThenRussian) {
  const std::string file =
      "English\r\nRussian\r\n// skipped everywhere\r\nlist: END\r\n"
      "Language: Russian\r\nRU one\r\nLanguage: End\r\n"
      "LANGUAGE: english\r\nEN one\r\n// comment inside\r\n\r\nEN three\r\nlanguage: end\r\n"
      "Language: Deutsch\r\nDE\r\nLanguage: End\r\n";
  struct Case {
    const char* language;
    std::string file;
    std::string text;
  } cases[] = {
      {"Russian", file, "RU one"},
      {"English", file, "EN one\r\n\r\nEN three"},
      {"Deutsch", file, "EN one\r\n\r\nEN three"},  // has a block, but the list does not name it
      {"English", "Russian\r\nList: end\r\nLanguage: Russian\r\nRU\r\nLanguage: End\r\n", "RU"},
      {"English", "Deutsch\r\nList: end\r\nLanguage: Deutsch\r\nDE\r\nLanguage: End\r\n", ""},
      {"English", "English\r\nList: end\r\n", ""},  // listed without a block
      {"English", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AboutText(c.file, c.language), c.text) << c.language;
}

TEST(InstallerTexts, BuiltInTextsWithTheirDecorations) {
  InstallerTexts texts;
  EXPECT_EQ(texts.ExitQuestion(), "Do you really want to close the program?");
  EXPECT_EQ(texts.ExitCaption(), "Confirmation of exit...");
  EXPECT_EQ(texts.BackButton(), "<< Back");
  EXPECT_EQ(texts.NextButton(), "Next >>");

  texts.UseBuiltIn();
  EXPECT_EQ(texts.NextButton(), Ansi("Далее >>"));
  EXPECT_EQ(texts.BackButton(), Ansi("<< Назад"));
  EXPECT_EQ(texts.ExitCaption(), Ansi("Подтверждение выхода..."));
  EXPECT_EQ(texts.RunningWarning("Vornak.TQ"),
            Ansi("Программа Vornak.TQ запущена в данный момент!\r\n\r\nЗакройте программу и после "
                 "этого нажмите \"Ok\" или нажмите \"Cancel\" для выхода из программы установки."));
  EXPECT_EQ(texts.NotFoundText("Vornak.TQ"),
            Ansi("Не найдено ни одной копии программы!\r\n\r\nЗапустите программу Vornak.TQ и "
                 "после этого нажмите \r\n\"<< Назад\" и ещё раз \"Далее >>\".\r\n\r\nИли нажмите "
                 "\"Далее >>\", чтобы указать местоположение программы вручную."));
  EXPECT_EQ(texts.FolderFound("/opt/Vornak.TQ"),
            Ansi("Папка программы успешно найдена!\r\nПуть к найденной папке: \"/opt/Vornak.TQ\""));
  EXPECT_EQ(texts.CopyChoiceTitle("Vornak.TQ"),
            Ansi("Выберите копию программы Vornak.TQ для установки:"));
  EXPECT_EQ(texts.ElapsedLabel(3'723'999), Ansi("Прошло времени: 01:02:03"));
  EXPECT_EQ(texts.ElapsedLabel(360'000'000), Ansi("Прошло времени: 100:00:00"));
}

TEST(InstallerTexts, AShortLanguageFileKeepsThePositionsItDoesNotReach) {
  std::string file = "English\r\n";
  for (int i = 0; i < 10; ++i) {
    file += "// comment\r\n\r\ntext " + std::to_string(i) + "\r\n";
  }

  InstallerTexts fresh;
  fresh.LoadLanguageFile(file);
  EXPECT_EQ(fresh.text(0), "text 0");
  EXPECT_EQ(fresh.text(9), "text 9");
  EXPECT_EQ(fresh.text(10), "");
  EXPECT_EQ(fresh.BackButton(), "<< Back");
  EXPECT_EQ(fresh.ElapsedLabel(0), "Passed time: 00:00:00");
  EXPECT_EQ(fresh.text(kExitText), "");

  InstallerTexts after_russian;
  after_russian.UseBuiltIn();
  after_russian.LoadLanguageFile(file);
  EXPECT_EQ(after_russian.text(9), "text 9");
  EXPECT_EQ(after_russian.text(10), Ansi("Не найдено ни одной копии программы!"));
  EXPECT_EQ(after_russian.BackButton(), "<< Back");
  EXPECT_EQ(after_russian.text(kExitText), Ansi("Выход"));
}

TEST(Languages, BuiltInFirstThenTheFilesByName) {
  testing_support::TempFolder folder;
  EXPECT_EQ(ListLanguages(folder.path()).size(), 1u) << "no Language folder: Russian only";

  folder.Write("Language/English.txt", "English\r\nQuestion?\r\n");
  folder.Write("Language/deutsch.TXT", "\r\nFrage?\r\n");
  folder.Write("Language/notes.md", "not a language");
  const auto entries = ListLanguages(folder.path());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].display, Ansi("Russian [Русский]"));
  EXPECT_EQ(entries[1].display, "deutsch");
  EXPECT_EQ(entries[2].display, "English [English]");
  EXPECT_EQ(entries[2].name, "English");

  InstallerTexts texts;
  ASSERT_TRUE(LoadLanguage(entries[2], texts));
  EXPECT_EQ(texts.ExitQuestion(), "Question?");
  ASSERT_TRUE(LoadLanguage(entries[0], texts));
  EXPECT_EQ(texts.ExitQuestion(), Ansi("Действительно хотите закрыть программу?"));
}

}  // namespace
}  // namespace installer
