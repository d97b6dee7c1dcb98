#include "platform/file_version.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/version_note.h"
#include "tests/support/temp_folder.h"
#include "tools/pe_writer/pe_writer.h"

// This test program carries a version note like our programs do.
OSTREL_FILE_VERSION_NOTE("9.8.7.6");

namespace platform {
namespace {

using tools::BuildPeWithVersion;
using tools::PeVersionOptions;

TEST(PeFileVersion, ReadsTheStringOfTheFirstTranslation) {
  PeVersionOptions options;
  options.file_version = "3, 1, 9, 0, (128100)";
  EXPECT_EQ(PeFileVersion(BuildPeWithVersion(options)), "3, 1, 9, 0, (128100)");

  options.pe32_plus = true;
  options.language = 0x0419;
  options.code_page = 0x04E3;
  options.file_version = "1.0 Версия";
  EXPECT_EQ(PeFileVersion(BuildPeWithVersion(options)), "1.0 \xC2\xE5\xF0\xF1\xE8\xFF");
}

TEST(PeFileVersion, EmptyWithoutAMatchingTranslation) {
  PeVersionOptions options;
  options.with_translation = false;
  EXPECT_EQ(PeFileVersion(BuildPeWithVersion(options)), "");
  options.with_translation = true;
  options.string_table_key = "041904e3";  // a table for another language only
  EXPECT_EQ(PeFileVersion(BuildPeWithVersion(options)), "");
}

TEST(PeFileVersion, TruncatedOrDamagedImagesGiveEmptyTextWithoutCrashing) {
  PeVersionOptions options;
  options.file_version = "2.3.0.0";
  const std::string image = BuildPeWithVersion(options);
  for (size_t length = 0; length < image.size(); ++length) {
    const std::string prefix = image.substr(0, length);
    const std::string version = PeFileVersion(prefix);
    EXPECT_TRUE(version.empty() || version == "2.3.0.0") << length;
  }
  // Random damage anywhere in the headers and the resource tree.
  std::mt19937 random(12345);
  for (int round = 0; round < 3000; ++round) {
    std::string damaged = image;
    for (int i = 0; i < 4; ++i) {
      damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
    }
    (void)PeFileVersion(damaged);
  }
}

TEST(FileVersionText, ReadsPeFilesAndOurOwnElfNote) {
  testing_support::TempFolder folder;
  PeVersionOptions options;
  options.file_version = "1.5.0.2";
  const auto exe = folder.Write("Civ4BeyondSword.exe", BuildPeWithVersion(options));
  EXPECT_EQ(FileVersionText(exe), "1.5.0.2");
  EXPECT_EQ(FileVersionText("/proc/self/exe"), "9.8.7.6");
  EXPECT_EQ(FileVersionText(folder.Write("text.exe", "MZ but nothing else")), "");
  EXPECT_EQ(FileVersionText(folder / "missing.exe"), "");
  EXPECT_EQ(ElfVersionNote("\x7F"
                           "ELF\x02\x01"),
            "");
}

}  // namespace
}  // namespace platform
