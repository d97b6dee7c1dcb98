// The main window with the sample data: the grids, the new-unit groups, the loading screens and
// the configuration files as a user meets them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "config/configuration_file.h"
#include "config/configuration_report.h"
#include "platform/dialogs.h"
#include "tests/ui/configurator/window_fixture.h"
#include "ui/configurator/main_window.h"
#include "ui/configurator/pages/grid_pages.h"
#include "ui/configurator/pages/options_pages.h"
#include "ui/widgets/counter.h"
#include "ui/widgets/value_list_editor.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

class WindowOptionsTest : public WindowFixture {
 protected:
  WindowOptionsTest() { CopySampleData(); }

  std::unique_ptr<MainWindow> Make() {
    auto window = MakeWindow();
    window->show();
    QApplication::processEvents();
    return window;
  }

  std::string Report(MainWindow& window) {
    return config::BuildConfigurationReport(window.option_controls(), config::ReportInputs{});
  }
};

TEST_F(WindowOptionsTest, GroupsOpenOneAtATime) {
  auto window = Make();
  NewUnitsPage* page = window->new_units_page();
  EXPECT_TRUE(page->IsOpen(0));  // the aviation group opens at start
  EXPECT_EQ(page->panel(0)->height(), NewUnitsPage::kOpenHeight);
  page->HeaderClicked(1);
  EXPECT_FALSE(page->IsOpen(0));
  EXPECT_TRUE(page->IsOpen(1));
  EXPECT_TRUE(page->header(1)->text().startsWith("<< "));
  EXPECT_TRUE(page->header(0)->text().startsWith(">> "));
  EXPECT_EQ(page->panel(0)->height(), NewUnitsPage::kCollapsedHeight);
  page->HeaderClicked(1);
  EXPECT_FALSE(page->IsOpen(1));
}

TEST_F(WindowOptionsTest, GridsOfferTheValidModels) {
  auto window = Make();
  auto* air = window->controls().FindAs<ValueListEditor>("ValueListEditor3");
  ASSERT_NE(air, nullptr);
  EXPECT_EQ(air->RowCount(), 25);
  const int biplane = air->FindRow("AV_Biplane");
  ASSERT_GT(biplane, 0);
  const QStringList choices = air->PickList(biplane);
  EXPECT_EQ(choices.front(), "{None}");
  EXPECT_GT(choices.size(), 1);
  EXPECT_FALSE(air->IsRowReadOnly(biplane));
}

TEST_F(WindowOptionsTest, DeletingLoadingScreensMovesTheSelectionAndTheButton) {
  auto window = Make();
  auto* install_screens = window->controls().FindAs<QCheckBox>("CheckBox2");  // key 4
  install_screens->click();
  QListWidget* list = window->interface_page()->screens();
  QPushButton* button = window->interface_page()->delete_button();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentRow(), 0);  // key 4 selects the first screen
  EXPECT_TRUE(button->isEnabled());
  const QString second = list->item(1)->text();
  dialogs_.QueueAnswer(platform::kIdYes);
  button->click();
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(list->item(0)->text(), second);
  EXPECT_TRUE(button->isEnabled());
  dialogs_.QueueAnswer(platform::kIdNo);
  button->click();
  EXPECT_EQ(list->count(), 2);
  dialogs_.QueueAnswer(platform::kIdYes);
  button->click();
  EXPECT_EQ(list->count(), 1);
  EXPECT_FALSE(button->isEnabled());
}

TEST_F(WindowOptionsTest, ASavedConfigurationComesBackInANewWindow) {
  std::string before;
  {
    auto window = Make();
    window->controls().FindAs<QCheckBox>("CheckBox13")->click();  // a ranged-attack chain
    window->controls().FindAs<QCheckBox>("CheckBox1")->click();
    window->controls().FindAs<QCheckBox>("CheckBox4")->click();  // enabled by key 1
    auto* counter = qobject_cast<Counter*>(window->controls().Find("UpDown3")->parentWidget());
    counter->StepDown();
    auto* air = window->controls().FindAs<ValueListEditor>("ValueListEditor3");
    const int biplane = air->FindRow("AV_Biplane");
    air->SetRowValue(biplane, air->PickList(biplane).back());
    before = Report(*window);
    ASSERT_TRUE(window->SaveConfigurationTo(root_ / "mine"));
    window->close();  // also keeps the state in AutoConfig.vkm
  }
  EXPECT_TRUE(fs::exists(root_ / "mine.vkm"));
  EXPECT_TRUE(fs::exists(root_ / "Program/Settings/AutoConfig.vkm"));
  {
    auto window = Make();  // reads AutoConfig.vkm at its first show
    EXPECT_EQ(Report(*window), before);
  }
  fs::remove(root_ / "Program/Settings/AutoConfig.vkm");
  auto window = Make();
  EXPECT_NE(Report(*window), before);
  ASSERT_TRUE(window->LoadConfigurationFrom(root_ / "mine.vkm"));
  EXPECT_EQ(Report(*window), before);
}

}  // namespace
}  // namespace ui
