#include "config/option_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/text.h"

namespace config {
namespace {

std::vector<int> Without(std::span<const int> order, const std::set<int>& removed) {
  std::vector<int> kept;
  for (int key : order) {
    if (!removed.count(key)) kept.push_back(key);
  }
  return kept;
}

std::set<int> Keys(std::initializer_list<std::pair<int, int>> ranges) {
  std::set<int> keys;
  for (auto [first, last] : ranges) {
    for (int key = first; key <= last; ++key) keys.insert(key);
  }
  return keys;
}

TEST(OptionCatalogueTest, FileAndReportOrdersHoldEveryNumberedOptionOnce) {
  std::set<int> catalogue;
  for (const OptionInfo& option : Options()) EXPECT_TRUE(catalogue.insert(option.key).second);
  for (std::span<const int> order : {WriteOrder(), ReadOrder(), ReportOrder()}) {
    EXPECT_EQ(order.size(), 161u);
    EXPECT_EQ(std::set<int>(order.begin(), order.end()), catalogue);
  }
  for (int unused : {5, 8, 27, 66, 67, 75, 78, 83, 92, 93, 114, 116, 170}) {
    EXPECT_FALSE(catalogue.count(unused)) << unused;
  }
}

TEST(OptionCatalogueTest, OrdersDifferOnlyWhereTheyShould) {
  const auto read = ReadOrder();
  const auto at = [&](int key) { return std::find(read.begin(), read.end(), key) - read.begin(); };
  EXPECT_EQ(at(12), at(4) + 1);
  EXPECT_EQ(at(143), at(146) + 1);
  EXPECT_EQ(at(147), at(143) + 1);
  EXPECT_EQ(Without(read, {12, 143}), Without(WriteOrder(), {12, 143}));

  // The report puts key 10 after 9 and keys 148 to 151 after 139.
  const std::set<int> moved = {10, 148, 149, 150, 151};
  EXPECT_EQ(Without(ReportOrder(), moved), Without(WriteOrder(), moved));
  const auto report = ReportOrder();
  EXPECT_EQ(*(std::find(report.begin(), report.end(), 9) + 1), 10);
  EXPECT_EQ(*(std::find(report.begin(), report.end(), 139) + 1), 148);
}

std::set<int> WithStandard(std::string_view page, OptionKind kind) {
  std::set<int> keys;
  for (const OptionInfo& option : Options()) {
    if (option.page == page && option.kind == kind && option.standard) keys.insert(option.key);
  }
  return keys;
}

TEST(OptionCatalogueTest, StandardValuesAreThoseTheButtonsSetAndTest) {
  EXPECT_EQ(WithStandard("Other", OptionKind::kCheckBox), Keys({{1, 1},
                                                                {6, 7},
                                                                {15, 15},
                                                                {28, 31},
                                                                {37, 37},
                                                                {42, 47},
                                                                {57, 57},
                                                                {82, 82},
                                                                {85, 91},
                                                                {106, 108},
                                                                {110, 110},
                                                                {112, 113},
                                                                {133, 137},
                                                                {139, 139},
                                                                {152, 154},
                                                                {156, 169},
                                                                {172, 172}}));
  EXPECT_EQ(WithStandard("Other", OptionKind::kCounter),
            Keys({{2, 3}, {9, 9}, {32, 36}, {48, 56}, {132, 132}, {155, 155}}));
  EXPECT_EQ(WithStandard("MMenu", OptionKind::kCheckBox),
            Keys({{4, 4}, {21, 21}, {38, 41}, {84, 84}, {94, 94}, {96, 105}, {109, 109}}));
  EXPECT_EQ(WithStandard("Speed", OptionKind::kCheckBox), Keys({{115, 115}, {117, 125}}));
  for (const OptionInfo& option : Options()) {
    if (option.page == "Speed") {
      EXPECT_EQ(*option.standard, option.key <= 122 ? 1 : 0) << option.key;
    }
    if (option.page == "MMenu" && option.standard) {
      EXPECT_EQ(*option.standard, 0) << option.key;
    }
  }
}

TEST(OptionCatalogueTest, ControlNamesAreUniqueAndFoundWithoutCase) {
  std::set<std::string> names;
  auto add = [&](std::string_view name) {
    EXPECT_TRUE(names.insert(platform::AsciiLower(name)).second) << name;
  };
  for (const OptionInfo& option : Options()) {
    add(option.control);
    if (option.kind == OptionKind::kCounter) add(option.counter.edit);
  }
  for (const FixedLevelInfo& level : FixedLevels()) add(level.control);
  for (const ButtonInfo& button : Buttons()) add(button.name);
  for (const GridInfo& grid : Grids()) add(grid.grid);
  EXPECT_EQ(FindOptionByControl("ntcedit2")->key, 2);
  EXPECT_EQ(FindOptionByControl("CHECKBOX131")->key, 164);
}

TEST(OptionCatalogueTest, TextsFitTheCodePageAndEveryOptionHasAHint) {
  auto fits = [](std::string_view utf8) {
    return platform::Cp1251ToUtf8(platform::Ansi(utf8)) == utf8;
  };
  for (const OptionInfo& option : Options()) {
    EXPECT_TRUE(fits(option.caption)) << option.key;
    EXPECT_TRUE(fits(option.hint)) << option.key;
    EXPECT_FALSE(option.hint.empty()) << option.key;
    if (option.key != 12 && option.key != 59) {
      EXPECT_FALSE(option.caption.empty()) << option.key;
    }
  }
  for (const LineItemInfo& item : LineItems()) {
    EXPECT_TRUE(fits(item.caption)) << item.item;
    EXPECT_EQ(item.hint.empty(), item.heading()) << item.item;
  }
}

TEST(OptionCatalogueTest, CounterValuesLieWithinTheirArrows) {
  for (const OptionInfo& option : Options()) {
    if (option.kind != OptionKind::kCounter) continue;
    const CounterInfo& counter = option.counter;
    EXPECT_LE(counter.clamp_min, counter.arrow_min) << option.key;
    EXPECT_GE(counter.clamp_max, counter.arrow_min) << option.key;
    for (int value : {option.initial, option.standard.value_or(option.initial)}) {
      EXPECT_GE(value, counter.arrow_min) << option.key;
      EXPECT_LE(value, counter.arrow_max) << option.key;
    }
  }
}

TEST(OptionCatalogueTest, LinesOfDevelopment) {
  std::vector<int> headings;
  std::vector<std::string> keys;
  for (const LineItemInfo& item : LineItems()) {
    if (item.heading()) {
      headings.push_back(item.item);
    } else {
      keys.emplace_back(item.key);
    }
  }
  EXPECT_EQ(LineItems().size(), 16u);
  EXPECT_EQ(headings, (std::vector<int>{0, 3, 6, 9, 12, 14}));
  EXPECT_EQ(keys, (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "92", "93"}));
}

}  // namespace
}  // namespace config
