#include "generation/mod_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/file_io.h"
#include "tests/support/temp_folder.h"

namespace generation {
namespace {

namespace fs = std::filesystem;

// Every file below a folder with its bytes, links taken as what they lead to.
std::map<std::string, std::string> Tree(const fs::path& folder) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      tree[entry.path().lexically_relative(folder).string()] =
          platform::ReadFileBytes(entry.path()).value_or("?");
    }
  }
  return tree;
}

// A data folder whose links lead inside it and out of it, at several depths, and a secret beside
// it that no copy may reach.
class ModWriterLinksTest : public ::testing::Test {
 protected:
  ModWriterLinksTest() {
    root_.Write("Outside/secret.txt", "secret");
    root_.Write("Outside/dir/c.txt", "secret too");
    root_.Write("DATA/Interface/Icon.dds", "icon");
    root_.Write("DATA/Folder/a.txt", "a");
    root_.Write("DATA/Folder/Sub/b.txt", "b");
    fs::create_directories(root_ / "Staging");
    Link("../../Outside/secret.txt", "DATA/Interface/Leak.dds");
    Link("Icon.dds", "DATA/Interface/Inner.dds");
    Link("../../Outside/nothing.dds", "DATA/Interface/Gone.dds");
    Link("../Outside/dir", "DATA/Linked");
    Link("../../../Outside/secret.txt", "DATA/Folder/Sub/leak.txt");
    Link((root_ / "Outside/dir").string(), "DATA/Folder/OutDir");
    Link("../Interface", "DATA/Folder/InDir");
    Link("..", "DATA/Folder/Sub/Loop");  // back to Folder: followed once would never end
    Link("DATA", "DataLink");
  }
  void Link(const std::string& target, const std::string& link) const {
    fs::create_directory_symlink(target, root_ / link);  // either kind serves on Linux
  }
  bool Missing(const RunLog& log, const std::string& tail) const {
    const auto missing = log.missing_sources();
    return std::any_of(missing.begin(), missing.end(),
                       [&](const fs::path& path) { return path.string().ends_with(tail); });
  }

  testing_support::TempFolder root_;
  RunLog log_;
  ModWriter writer_{root_ / "DATA", root_ / "Staging", log_, false};
};

TEST_F(ModWriterLinksTest, FileLinksLeadingOutAreMissingSources) {
  struct Case {
    const char* source;
    bool copied;
  } cases[] = {
      {"Interface\\Leak.dds", false},
      {"interface\\LEAK.DDS", false},
      {"Linked\\c.txt", false},
      {"Interface\\Gone.dds", false},
      {"Folder\\Sub\\leak.txt", false},
      {"Interface\\Inner.dds", true},  // the link stays inside the data folder
      {"Folder\\InDir\\Icon.dds", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(writer_.CopyFromData(c.source, "Assets"), c.copied) << c.source;
    if (!c.copied) {
      EXPECT_TRUE(writer_.DataPath(c.source).empty()) << c.source;
    }
  }
  EXPECT_EQ(log_.missing_sources().size(), 5u);
  EXPECT_EQ(Tree(root_ / "Staging"),
            (std::map<std::string, std::string>{{"Assets/Inner.dds", "icon"},
                                                {"Assets/Icon.dds", "icon"}}));
}

TEST_F(ModWriterLinksTest, FolderCopiesNeverFollowALinkOut) {
  EXPECT_TRUE(writer_.CopyFolderFromData("Folder", "Assets\\Folder"));
  EXPECT_EQ(Tree(root_ / "Staging"), (std::map<std::string, std::string>{
                                         {"Assets/Folder/a.txt", "a"},
                                         {"Assets/Folder/Sub/b.txt", "b"},
                                         {"Assets/Folder/InDir/Icon.dds", "icon"},
                                         {"Assets/Folder/InDir/Inner.dds", "icon"},
                                     }));
  EXPECT_TRUE(Missing(log_, "leak.txt"));
  EXPECT_TRUE(Missing(log_, "OutDir"));
  EXPECT_TRUE(Missing(log_, "InDir/Leak.dds"));
  EXPECT_TRUE(Missing(log_, "InDir/Gone.dds"));

  EXPECT_FALSE(writer_.CopyFolderFromData("Linked", "Assets\\Linked"));
  EXPECT_FALSE(fs::exists(root_ / "Staging/Assets/Linked/c.txt"));
}

TEST_F(ModWriterLinksTest, ADataFolderReachedThroughALinkIsItsRealFolder) {
  ModWriter writer(root_ / "DataLink", root_ / "Staging", log_, false);
  EXPECT_TRUE(writer.CopyFromData("Interface\\Icon.dds", "Assets"));
  EXPECT_TRUE(writer.CopyFromData("Interface\\Inner.dds", "Assets"));
  EXPECT_FALSE(writer.CopyFromData("Interface\\Leak.dds", "Assets"));
  EXPECT_TRUE(writer.CopyFolderFromData("Folder\\InDir", "InDir"));
  EXPECT_EQ(Tree(root_ / "Staging/InDir"),
            (std::map<std::string, std::string>{{"Icon.dds", "icon"}, {"Inner.dds", "icon"}}));
}

}  // namespace
}  // namespace generation
