#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "platform/text.h"
#include "shell/message_box.h"
#include "shell/system_services.h"

namespace shell {
namespace {

TEST(MessageBox, KindAddsItsIconWhateverItsCase) {
  platform::ScriptedDialogs dialogs;
  platform::SetCurrentDialogs(&dialogs);
  dialogs.QueueAnswer(platform::kIdYes);
  EXPECT_EQ(ShowMessage(0, "q", "c", platform::kMbYesNo, "QUEST"), platform::kIdYes);
  ShowMessage(0, "w", "c", platform::kMbSystemModal, "Warning");
  ShowMessage(0, "i", "c", 0, "info");
  ShowMessage(0, "e", "c", 0, "eRRor");
  ShowMessage(0, "n", "c", 0, "none");
  const unsigned expected[] = {platform::kMbYesNo | platform::kMbIconQuestion,
                               platform::kMbSystemModal | platform::kMbIconExclamation,
                               platform::kMbIconInformation, platform::kMbIconStop, 0};
  ASSERT_EQ(dialogs.shown().size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(dialogs.shown()[i].flags, expected[i]) << i;
  platform::SetCurrentDialogs(nullptr);
}

TEST(MessageBox, SettingsRepairMessageNamesTheCounts) {
  platform::ScriptedDialogs dialogs;
  platform::SetCurrentDialogs(&dialogs);
  ShowSettingsRepairMessage(0, 5, 5);
  ASSERT_EQ(dialogs.shown().size(), 1u);
  EXPECT_EQ(platform::Cp1251ToUtf8(dialogs.shown()[0].caption), "Предупреждение...");
  EXPECT_EQ(platform::Cp1251ToUtf8(dialogs.shown()[0].text),
            "Настройки программы Vornak.TQ \r\n\r\nОтсутствовали или содержали неверные значения 5 "
            "из 5 параметров. \r\nОшибки в структуре данных исправлены. Файл восстановлен.");
  EXPECT_EQ(dialogs.shown()[0].flags, platform::kMbSystemModal | platform::kMbIconExclamation);
  platform::SetCurrentDialogs(nullptr);
}

TEST(CheckSystem, ComparesMajorThenMinor) {
  struct Case {
    const char* marker;
    platform::OsVersion system;
    bool passes;
  } cases[] = {
      {"2k", {5, 0, 0}, true},  {"2k", {4, 10, 0}, false},   {"xp", {5, 0, 0}, false},
      {"xp", {5, 1, 0}, true},  {"vista", {10, 0, 0}, true}, {"98", {4, 9, 0}, false},
      {"98", {4, 10, 0}, true}, {"other", {0, 0, 0}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckSystem(c.marker, c.system), c.passes) << c.marker;
}

}  // namespace
}  // namespace shell
