// The engine's operations on files: loading and saving, the patch and fragment files of
// Patch and fragment files applied to a mod folder, and the anchor readers. Fixtures are in the
// real line layout.
#include <gtest/gtest.h>

#include "errors/error_processor.h"
#include "platform/system_error.h"
#include "tests/support/temp_folder.h"
#include "tests/xmlengine/test_helpers.h"
#include "xmlengine/data_path.h"
#include "xmlengine/document_file.h"
#include "xmlengine/engine.h"

namespace xmlengine {
namespace {

using testing::CrLf;
using testing::DocumentOf;
using testing::FixturePath;
using testing::Lines;
using testing_support::TempFolder;

std::string Fixture(std::string_view name) { return ReadWholeFile(FixturePath(name)); }

class EngineFilesTest : public ::testing::Test {
 protected:
  testing::ReportedCodes codes_;
  TempFolder temp_;
  Engine engine_;
  Document document_;
  KeyIndex index_;
};

TEST_F(EngineFilesTest, LoadingReadsTheWholeFileAndFailsForAMissingOne) {
  LoadDocument(FixturePath("CIV4UnitInfos.xml"), document_);
  EXPECT_EQ(document_.size(), 77u);
  EXPECT_EQ(document_.line(4), "\t\t<UnitInfo>");
  EXPECT_EQ(document_.Text(), Fixture("CIV4UnitInfos.xml"));
  try {
    LoadDocument(temp_ / "missing.xml", document_);
    FAIL() << "no exception";
  } catch (const platform::SystemError& error) {
    EXPECT_EQ(error.error_number(), ENOENT);
  }
}

TEST_F(EngineFilesTest, SaveWritesCrLfCreatesFoldersAndClearsTheDocument) {
  document_ = DocumentOf({"<a>", "\t<b/>", "</a>"});
  const auto folder = temp_ / "Mods/Test/Assets/XML/Units";
  EXPECT_TRUE(engine_.SaveDocument(folder, "CIV4UnitInfos.xml", document_, false));
  EXPECT_EQ(temp_.Read("Mods/Test/Assets/XML/Units/CIV4UnitInfos.xml"),
            "<a>\r\n\t<b/>\r\n</a>\r\n");
  EXPECT_TRUE(document_.empty());
  // A file that differs only in ASCII case is overwritten, not doubled.
  document_ = DocumentOf({"x"});
  EXPECT_TRUE(engine_.SaveDocument(folder, "civ4unitinfos.XML", document_, false));
  EXPECT_EQ(temp_.Read("Mods/Test/Assets/XML/Units/CIV4UnitInfos.xml"), "x\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_TRUE(codes_.codes.empty());
}

TEST_F(EngineFilesTest, TheHeaderGoesAfterTheXmlDeclarationOrAtTheTop) {
  document_ = DocumentOf({"<?xml version=\"1.0\"?>", "<Root/>"});
  engine_.SaveDocument(temp_.path(), "a.xml", document_, true);
  EXPECT_EQ(temp_.Read("a.xml"),
            CrLf({"<?xml version=\"1.0\"?>", std::string(kEditHeader[0]),
                  std::string(kEditHeader[1]), std::string(kEditHeader[2]), "<Root/>"}));
  document_ = DocumentOf({"<Root/>"});
  engine_.SaveDocument(temp_.path(), "b.xml", document_, true);
  EXPECT_EQ(temp_.Read("b.xml"), CrLf({std::string(kEditHeader[0]), std::string(kEditHeader[1]),
                                       std::string(kEditHeader[2]), "<Root/>"}));
  // InsertEditHeader itself works on the working document.
  document_ = DocumentOf({"<?XML version=\"1.0\"?>"});
  engine_.SetWorking(document_, index_);
  engine_.InsertEditHeader();
  EXPECT_EQ(document_.size(), 4u);
  EXPECT_EQ(document_.line(1), kEditHeader[0]);
}

TEST_F(EngineFilesTest, AFailingSaveStepReportsItsDigitAndKeepsTheDocument) {
  temp_.Write("blocker", "a file where a folder should be");
  document_ = DocumentOf({"x"});
  const size_t extra_before = errors::Processor().extra_information().size();
  EXPECT_FALSE(engine_.SaveDocument(temp_ / "blocker/sub", "a.xml", document_, false));
  EXPECT_EQ(codes_.codes, std::vector<std::string>{"08.031-01"});
  EXPECT_NE(errors::Processor().extra_information().find("a.xml", extra_before), std::string::npos);
  EXPECT_EQ(document_.size(), 1u);
  EXPECT_FALSE(engine_.SaveDocument(temp_.path(), "..\\outside.xml", document_, false));
  EXPECT_EQ(codes_.codes.back(), "08.031-02");
}

// Data paths are confined on real paths: a link in the data folder, at any depth, is followed only
// while it stays inside; a root that does not exist yet (a mod folder) resolves as written.
TEST(DataPathTest, ALinkLeadingOutOfItsRootIsRefused) {
  TempFolder temp;
  temp.Write("DATA/XML/In.ini", "in");
  temp.Write("Outside/Secret.ini", "secret");
  std::filesystem::create_symlink("../../Outside/Secret.ini", temp / "DATA/XML/Out.ini");
  std::filesystem::create_symlink("In.ini", temp / "DATA/XML/Inner.ini");
  std::filesystem::create_directory_symlink("../Outside", temp / "DATA/Linked");
  EXPECT_EQ(Resolve({temp / "DATA", "xml\\inner.ini"}), temp / "DATA/XML/Inner.ini");
  EXPECT_EQ(Resolve({temp / "Mod", "\\XML\\Units"}), temp / "Mod/XML/Units");
  for (const char* relative : {"XML\\Out.ini", "Linked\\Secret.ini", "Linked"}) {
    EXPECT_THROW(Resolve({temp / "DATA", relative}), PathRefused) << relative;
  }
}

TEST_F(EngineFilesTest, ApplyPatchFileCopiesTheBaseAppliesAndSavesWithoutHeader) {
  temp_.Write("DATA/XML/CIV4UnitInfos.xml", Fixture("CIV4UnitInfos.xml"));
  temp_.Write("DATA/XML/Patches/combat.INI", Fixture("Combat.ini"));
  const PatchFileArgs args{temp_ / "Mod/Assets",
                           "\\XML\\Units",
                           "Combat",
                           "CIV4UnitInfos",
                           {temp_ / "DATA", "XML\\Patches\\"},
                           {temp_ / "DATA", "XML"},
                           KeyKind::kClass};
  EXPECT_TRUE(engine_.ApplyPatchFile(args, document_, index_));
  EXPECT_EQ(temp_.Read("Mod/Assets/XML/Units/CIV4UnitInfos.xml"),
            Fixture("CIV4UnitInfos.Combat.expected.xml"));
  EXPECT_TRUE(document_.empty());
  EXPECT_TRUE(index_.empty());
  EXPECT_TRUE(codes_.codes.empty());
  // The mod's copy is the working copy: a second application edits what the first saved.
  EXPECT_TRUE(engine_.ApplyPatchFile(args, document_, index_));
  EXPECT_NE(temp_.Read("Mod/Assets/XML/Units/CIV4UnitInfos.xml"),
            Fixture("CIV4UnitInfos.Combat.expected.xml"));
}

TEST_F(EngineFilesTest, ApplyPatchFileFailuresReportAndDoNotSave) {
  temp_.Write("DATA/XML/CIV4UnitInfos.xml", Fixture("CIV4UnitInfos.xml"));
  PatchFileArgs args{temp_ / "Mod",
                     "XML",
                     "Missing",
                     "CIV4UnitInfos",
                     {temp_ / "DATA", "XML\\Patches\\"},
                     {temp_ / "DATA", "XML"},
                     KeyKind::kClass};
  // A missing patch file: the base was copied in already, the target is not saved.
  EXPECT_FALSE(engine_.ApplyPatchFile(args, document_, index_));
  EXPECT_EQ(temp_.Read("Mod/XML/CIV4UnitInfos.xml"), Fixture("CIV4UnitInfos.xml"));
  // A patch path from data that leaves the data folder is refused.
  temp_.Write("secret.ini", Fixture("Combat.ini"));
  args.patch_name = "..\\..\\..\\secret";
  EXPECT_FALSE(engine_.ApplyPatchFile(args, document_, index_));
  // A missing base file.
  args.patch_name = "Combat";
  args.xml_name = "CIV4NothingInfos";
  EXPECT_FALSE(engine_.ApplyPatchFile(args, document_, index_));
  EXPECT_EQ(codes_.codes, (std::vector<std::string>{"08.031-06", "08.031-06", "08.031-06"}));
  // A check box condition naming a component that is not a check box.
  temp_.Write(
      "DATA/XML/Patches/Edit.ini",
      CrLf({"<Class>UNITCLASS_WARRIOR</Class>", "<iCombat>", "{", "\t\t\t<iCombat>9</iCombat>", "}",
            "<Class>UNITCLASS_AXEMAN</Class>", "<iCombat>", "{", "[if checked]<|NTCEdit1|>", "}"}));
  const FixedCheckBoxes boxes({}, {"NTCEdit1"});
  engine_.set_check_boxes(&boxes);
  args.patch_name = "Edit";
  args.xml_name = "CIV4UnitInfos";
  EXPECT_FALSE(engine_.ApplyPatchFile(args, document_, index_));
  EXPECT_EQ(temp_.Read("Mod/XML/CIV4UnitInfos.xml"), Fixture("CIV4UnitInfos.xml"));
  EXPECT_EQ(codes_.codes.size(), 4u);
}

TEST_F(EngineFilesTest, InsertFragmentFilePutsTheFragmentAfterTheSearchLine) {
  temp_.Write("DATA/XML/CIV4UnitInfos.xml", Fixture("CIV4UnitInfos.xml"));
  temp_.Write("DATA/XML/Next War/Fortify.ini",
              CrLf({"\t\t\t<iMoves>1</iMoves>", "\t\t\t<bFortify>1</bFortify>"}));
  const FragmentArgs args{temp_ / "Mod",           "\\XML\\Units",  "Fortify",
                          KeyKind::kClass,         "<iMoves>",      "UNITCLASS_WARRIOR",
                          {temp_ / "DATA", "XML"}, "CIV4UnitInfos", temp_ / "DATA"};
  EXPECT_TRUE(engine_.InsertFragmentFile(args, document_, index_));
  const std::string saved = temp_.Read("Mod/XML/Units/CIV4UnitInfos.xml");
  // Copied from the base in this call: saved with the edit header after the declaration.
  Document result(saved);
  EXPECT_EQ(result.line(1), kEditHeader[0]);
  const Needle fortify("<bFortify>");
  EXPECT_EQ(result.FindFirst(fortify), 25u);  // after the warrior's <iMoves> (21, + 3 header lines)
  EXPECT_EQ(result.line(24), "\t\t\t<iMoves>1</iMoves>");
  // The second time the mod's file exists: no second header.
  EXPECT_TRUE(engine_.InsertFragmentFile(args, document_, index_));
  Document again(temp_.Read("Mod/XML/Units/CIV4UnitInfos.xml"));
  EXPECT_EQ(again.size(), result.size() + 1);  // the fragment's second line once more
  EXPECT_TRUE(codes_.codes.empty());
  FragmentArgs missing = args;
  missing.fragment_name = "Nothing";
  EXPECT_FALSE(engine_.InsertFragmentFile(missing, document_, index_));
  EXPECT_EQ(codes_.codes, std::vector<std::string>{"08.031-05"});
}

const char kTemplate[] =
    "BEGIN ANCHOR [CIV4UnitInfos.xml]\r\n"
    "<Class>|<Class>UNITCLASS_BIPLANE</Class>\r\n"
    "\r\n"
    "<iCombat>|<iCombat>4</iCombat>\r\n"
    "END ANCHOR [CIV4UnitInfos.xml]\r\n"
    "BEGIN ANCHOR [CIV4GameTextInfos_Objects.xml]\r\n"
    "<English>Biplane</English>\r\n"
    "END ANCHOR [CIV4GameTextInfos_Objects.xml]\r\n"
    " BEGIN ANCHOR [CIV4UnitInfos.xml]\r\n"
    "not copied: the begin line above is not exact\r\n"
    "BEGIN ANCHOR [CIV4UnitInfos.xml]\r\n"
    "<Type>|<Type>UNIT_BIPLANE</Type>\r\n"
    "END ANCHOR [CIV4UnitInfos.xml]\r\n"
    "BEGIN ANCHOR [CIV4ArtDefines_Unit.xml]\r\n"
    "\t\t<NIF>PATCH_TO_MODEL/Biplane.nif</NIF>\r\n"
    "\t<KFM>\t</KFM>\r\n"
    "END ANCHOR [CIV4ArtDefines_Unit.xml]\r\n";

TEST_F(EngineFilesTest, AnchorSectionsAreCopiedWithTheirKindsPrefix) {
  temp_.Write("DATA/New/AV_Biplane/ForAll.XML", kTemplate);
  const DataPath file{temp_ / "DATA", "New\\AV_Biplane\\forall.xml"};
  EXPECT_TRUE(engine_.ReadAnchorSection(file, AnchorKind::kUnitInfos, false));
  EXPECT_EQ(engine_.fragment_buffer().Lines(),
            (Lines{"<Class>|<Class>UNITCLASS_BIPLANE</Class>", "<iCombat>|<iCombat>4</iCombat>",
                   "<Type>|<Type>UNIT_BIPLANE</Type>"}));
  engine_.SetIndentation("\t\t\t");
  EXPECT_TRUE(engine_.ReadAnchorSection(file, AnchorKind::kGameTextObjects, true));
  EXPECT_EQ(engine_.fragment_buffer().size(), 4u);
  EXPECT_EQ(engine_.fragment_buffer().line(3), "\t\t\t<English>Biplane</English>");
  EXPECT_TRUE(engine_.ReadAnchorSection(file, AnchorKind::kUnitClassInfos, false));
  EXPECT_TRUE(engine_.fragment_buffer().empty());
  EXPECT_TRUE(codes_.codes.empty());
  // A missing template: reported, and the buffer stays cleared (or, appending, as it was).
  engine_.fragment_buffer().Append("kept");
  EXPECT_FALSE(engine_.ReadAnchorSection({temp_ / "DATA", "New\\X\\ForAll.XML"},
                                         AnchorKind::kUnitInfos, true));
  EXPECT_EQ(engine_.fragment_buffer().Lines(), Lines{"kept"});
  EXPECT_FALSE(engine_.ReadAnchorSection({temp_ / "DATA", "New\\X\\ForAll.XML"},
                                         AnchorKind::kUnitInfos, false));
  EXPECT_TRUE(engine_.fragment_buffer().empty());
  EXPECT_EQ(codes_.codes, (std::vector<std::string>{"08.017-01", "08.017-01"}));
}

TEST_F(EngineFilesTest, ArtSectionsLoseTheirTabsAndPassTheAnimationHook) {
  temp_.Write("DATA/Change/TANK/M1/Individual.XML", kTemplate);
  engine_.SetIndentation("\t\t");
  std::vector<std::string> seen;
  const ArtLineHook hook = [&](std::string_view line) {
    seen.emplace_back(line);
    return line == "\t\t\t<KFM></KFM>" ? std::string("\t\t\t<KFM>Art/Units/Tank/Tank.kfm</KFM>")
                                       : std::string(line);
  };
  EXPECT_TRUE(
      engine_.ReadArtAnchorSection({temp_ / "DATA", "Change\\TANK\\M1\\Individual.XML"}, hook));
  EXPECT_EQ(seen, (std::vector<std::string>{"\t\t\t<NIF>PATCH_TO_MODEL/Biplane.nif</NIF>",
                                            "\t\t\t<KFM></KFM>"}));
  EXPECT_EQ(engine_.fragment_buffer().Lines(), (Lines{"\t\t\t<NIF>PATCH_TO_MODEL/Biplane.nif</NIF>",
                                                      "\t\t\t<KFM>Art/Units/Tank/Tank.kfm</KFM>"}));
  EXPECT_FALSE(engine_.ReadArtAnchorSection({temp_ / "DATA", "Change\\none.XML"}));
  EXPECT_EQ(codes_.codes, std::vector<std::string>{"08.018-01"});
}

}  // namespace
}  // namespace xmlengine
