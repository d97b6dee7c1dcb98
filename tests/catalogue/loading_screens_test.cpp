#include "catalogue/loading_screens.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/temp_folder.h"

namespace catalogue {
namespace {

using platform::Ansi;
using testing_support::TempFolder;
using Names = std::vector<std::string>;

constexpr char kScreens[] = "DATA/Interface/LoadingScreens/";

void Screen(const TempFolder& temp, const std::string& file) {
  temp.Write(std::string(kScreens) + file, "x");
}

TEST(LoadingScreens, ListsPicturesWithAPreviewBesideThem) {
  TempFolder temp;
  for (const char* file : {"Winter.dds", "Winter.jpg", "harbour.DDS", "Harbour.JPG", "Степь.dds",
                           "Степь.jpg", "Alone.dds", "Orphan.jpg", "Twice.dds", "TWICE.dds",
                           "twice.jpg", ".dds", ".jpg", "Notes.txt"}) {
    Screen(temp, file);
  }
  fs::create_directories(temp / kScreens / "Folder.dds");
  EXPECT_EQ(ScanLoadingScreens(temp / "DATA"),
            (Names{"harbour", "TWICE", "Winter", Ansi("Степь")}));
  EXPECT_EQ(LoadingScreenPreview(temp / "DATA", "harbour"), temp / kScreens / "Harbour.JPG");
  EXPECT_EQ(LoadingScreenPreview(temp / "DATA", "..\\harbour"), fs::path());
  EXPECT_EQ(ScanLoadingScreens(temp / "missing"), Names{});
  EXPECT_EQ(ScanLoadingScreens(fs::path()), Names{});
}

TEST(LoadingScreens, DeletingRemovesEveryFileOfTheEntryOnly) {
  TempFolder temp;
  for (const char* file :
       {"Twice.dds", "TWICE.dds", "twice.jpg", "Twice.jpg.bak", "Other.dds", "Other.jpg"}) {
    Screen(temp, file);
  }
  temp.Write("DATA/Interface/Twice.dds", "outside the folder");
  EXPECT_FALSE(DeleteLoadingScreenFiles(temp / "DATA", "..\\Twice"));
  EXPECT_TRUE(DeleteLoadingScreenFiles(temp / "DATA", "twice"));
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(temp / kScreens)) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (Names{"Other.dds", "Other.jpg", "Twice.jpg.bak"}));
  EXPECT_TRUE(fs::exists(temp / "DATA/Interface/Twice.dds"));
}

TEST(LoadingScreens, SelectsTheEntryBeforeTheDeletedOne) {
  const Names three = {"A", "B", "C"};
  struct Case {
    Names entries;
    int index;
    Names left;
    int selected;
    bool enabled;
  } cases[] = {
      {three, 0, {"B", "C"}, 0, true},  {three, 1, {"A", "C"}, 0, true},
      {three, 2, {"A", "B"}, 1, true},  {{"A", "B"}, 1, {"A"}, 0, false},
      {{"A", "B"}, 0, {"B"}, 0, false}, {{"A"}, 0, {}, -1, false},
      {three, -1, three, -1, true},  // nothing selected: nothing deleted
      {three, 3, three, -1, true},
  };
  for (const auto& c : cases) {
    const LoadingScreenList list = RemoveLoadingScreenEntry(c.entries, c.index);
    EXPECT_EQ(list.entries, c.left) << c.index;
    EXPECT_EQ(list.selected, c.selected) << c.index;
    EXPECT_EQ(list.delete_enabled, c.enabled) << c.index;
  }
}

}  // namespace
}  // namespace catalogue
