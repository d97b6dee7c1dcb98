// The two scripts that edit the program's uninstall list, byte for byte.
#include "installer/uninstall_list.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace installer {
namespace {

using platform::JoinLinesCrLf;
using platform::SplitLines;

std::string Add(const std::string& list, const std::string& script) {
  return JoinLinesCrLf(AddUninstallSections(SplitLines(list), SplitLines(script)));
}

std::string Clear(const std::string& list, const std::string& script) {
  return JoinLinesCrLf(ClearUninstallLines(SplitLines(list), SplitLines(script)));
}

TEST(UninstallList, AddMergesEachSectionsNewLines) {
  struct Case {
    const char* name;
    const char* list;
    const char* script;
    const char* result;
  } cases[] = {
      {"only the new lines, right after the existing section line",
       "[Base]\r\nbase.dds\r\n[Screens]\r\nold.dds\r\n[Music]\r\nm.mp3\r\n",
       "[Screens]\r\nold.dds\r\nnew1.dds\r\nnew2.dds\r\n",
       "[Base]\r\nbase.dds\r\n[Screens]\r\nnew1.dds\r\nnew2.dds\r\nold.dds\r\n[Music]\r\nm."
       "mp3\r\n"},
      {"a new section goes to the end", "[Base]\r\nbase.dds\r\n", "[Screens]\r\na.dds\r\n",
       "[Base]\r\nbase.dds\r\n[Screens]\r\na.dds\r\n"},
      {"lines before the first section belong to it", "[Screens]\r\n",
       "early.dds\r\n[Screens]\r\nlate.dds\r\n", "[Screens]\r\nearly.dds\r\nlate.dds\r\n"},
      {"after every equal section line", "[S]\r\nx\r\n[S]\r\n", "[S]\r\nnew\r\n",
       "[S]\r\nnew\r\nx\r\n[S]\r\nnew\r\n"},
      {"two sections, one after the other", "[A]\r\n", "[A]\r\na1\r\n[B]\r\nb1\r\na1\r\n",
       "[A]\r\na1\r\n[B]\r\nb1\r\n"},  // a1 is in the list once section A went in
      {"nothing new leaves the list", "[S]\r\nx\r\n", "[S]\r\nx\r\n", "[S]\r\nx\r\n"},
      {"a section with nothing new is not appended", "[A]\r\nx\r\n", "[B]\r\nx\r\n",
       "[A]\r\nx\r\n"},
      {"empty and repeated lines go in once", "[S]\r\n", "[S]\r\n\r\nn\r\nn\r\n", "[S]\r\nn\r\n"},
      {"lines without any section have nowhere to go", "[S]\r\n", "loose.dds\r\n", "[S]\r\n"},
      {"whole lines, case-sensitive", "[S]\r\nA.dds\r\n", "[s]\r\na.dds\r\n",
       "[S]\r\nA.dds\r\n[s]\r\na.dds\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Add(c.list, c.script), c.result) << c.name;
}

TEST(UninstallList, ClearRemovesEveryOccurrenceOfTheNamedLines) {
  struct Case {
    const char* name;
    const char* list;
    const char* script;
    const char* result;
  } cases[] = {
      {"every occurrence", "[S]\r\nold.dds\r\nkeep\r\nold.dds\r\n", "old.dds\r\n",
       "[S]\r\nkeep\r\n"},
      {"case-sensitive and whole", "Old.dds\r\nold.dds.bak\r\n", "old.dds\r\n",
       "Old.dds\r\nold.dds.bak\r\n"},
      {"an empty script line removes no blank line", "a\r\n\r\nb\r\n", "\r\nzzz\r\n",
       "a\r\n\r\nb\r\n"},
      {"section lines too", "[Old]\r\nx\r\n[New]\r\n", "[Old]\r\nx\r\n", "[New]\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Clear(c.list, c.script), c.result) << c.name;
}

}  // namespace
}  // namespace installer
