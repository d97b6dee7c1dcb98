#include "catalogue/model_library.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "catalogue/data_folder.h"
#include "catalogue/unit_catalogue.h"
#include "tests/support/temp_folder.h"

namespace catalogue {
namespace {

using testing_support::TempFolder;

// Writes the files of one folder: each entry is "relative path" or "relative path=content".
fs::path MakeFolder(const TempFolder& temp, const std::string& folder,
                    std::initializer_list<std::string> files) {
  for (const std::string& entry : files) {
    const size_t equals = entry.find('=');
    const std::string name = entry.substr(0, equals);
    const std::string content = equals == std::string::npos ? "x" : entry.substr(equals + 1);
    temp.Write(folder + "/" + name, content);
  }
  fs::create_directories(temp / folder);
  return temp / folder;
}

TEST(ModelFolderValidity, OffersOnlyDescribedFoldersOfACompleteForm) {
  struct Case {
    const char* what;
    std::initializer_list<std::string> files;
    bool valid;
  } cases[] = {
      {"own model",
       {"InfoEng.txt", "Individual.XML", "Model/ModelVersion.ini", "Model/Model.ini",
        "Model/Button.dds"},
       true},
      {"own model without button",
       {"InfoEng.txt", "Individual.XML", "Model/ModelVersion.ini", "Model/Model.ini"},
       false},
      {"own model without description",
       {"Individual.XML", "Model/ModelVersion.ini", "Model/Model.ini", "Model/Button.dds"},
       false},
      {"any letter case",
       {"inforus.TXT", "individual.xml", "model/MODELVERSION.ini", "model/model.INI",
        "model/Button.DDS"},
       true},
      {"reference", {"InfoRus.txt", "Model.txt=New\\AV_Biplane\r\nSopwith\r\n"}, true},
      {"reference without description", {"Model.txt=New\\AV_Biplane\r\nSopwith\r\n"}, false},
      {"short reference", {"InfoRus.txt", "Model.txt=New\\AV_Biplane"}, true},
      {"standard model", {"InfoEng.txt", "StandartModel.txt=<Type>ART_DEF_UNIT_TANK</Type>"}, true},
      {"reference climbing out", {"InfoEng.txt", "Model.txt=..\\..\\Elsewhere\r\nModel"}, false},
      {"reference climbing out inside",
       {"InfoEng.txt", "Model.txt=New\\..\\..\\X\r\nModel"},
       false},
      {"absolute reference", {"InfoEng.txt", "Model.txt=C:\\Models\\Tank\r\nModel"}, false},
      {"rooted reference", {"InfoEng.txt", "Model.txt=\\etc\r\nModel"}, false},
      {"model name with a path", {"InfoEng.txt", "Model.txt=New\\AV_Biplane\r\n..\\..\\x"}, false},
      // The generator copies through Model.txt whatever else the folder holds.
      {"standard model with escaping reference",
       {"InfoEng.txt", "StandartModel.txt=<Type>X</Type>", "Model.txt=..\\..\\x\r\ny"},
       false},
  };
  TempFolder temp;
  const fs::path data = temp / "DATA";
  int index = 0;
  for (const auto& c : cases) {
    const fs::path folder =
        MakeFolder(temp, "DATA/New/AV_Biplane/case" + std::to_string(index++), c.files);
    EXPECT_EQ(IsValidModelFolder(folder, data), c.valid) << c.what;
  }
}

TEST(FlagFolderValidity, NeedsTheVersionFileAndTheTexture) {
  struct Case {
    std::initializer_list<std::string> files;
    bool valid;
  } cases[] = {
      {{"Model/ModelVersion.ini", "Model/flag.dds"}, true},
      {{"model/modelversion.ini", "model/Flag.DDS"}, true},
      {{"Model/ModelVersion.ini", "Image.JPG", "InfoRus.txt"}, false},
      {{"Model/flag.dds"}, false},
  };
  TempFolder temp;
  int index = 0;
  for (const auto& c : cases) {
    const fs::path folder = MakeFolder(temp, "flag" + std::to_string(index++), c.files);
    EXPECT_EQ(IsValidFlagFolder(folder), c.valid) << folder;
  }
}

TEST(ModelForms, GiveTheArtFolderAndWhereTheFilesComeFrom) {
  TempFolder temp;
  const fs::path data = temp / "DATA";
  const std::initializer_list<std::string> own = {"InfoEng.txt", "Individual.XML",
                                                  "Model/ModelVersion.ini", "Model/Model.ini",
                                                  "Model/Button.dds"};
  MakeFolder(temp, "DATA/Change/TR_tank/My Tank-2", own);
  MakeFolder(temp, "DATA/New/TR_Heavy_Tank/Heavy-Tank 2",
             {"InfoRus.txt", "Model.txt=change\\tr_tank\r\nMy Tank-2\r\n"});
  MakeFolder(temp, "DATA/New/TR_adv_tank/Winter",
             {"InfoRus.txt", "Model.txt=Change\\TR_tank\r\nMy Tank-2\r\n"});
  MakeFolder(temp, "DATA/Change/TR_Modern_tank/Stock",
             {"InfoEng.txt", "StandartModel.txt=<Type>ART_DEF_UNIT_MODERN_ARMOR</Type>"});

  const auto tank = ResolveModel(data, kStandardUnits, 15, "My Tank-2");
  ASSERT_TRUE(tank);
  EXPECT_EQ(tank->form, ModelForm::kOwn);
  EXPECT_EQ(tank->art_folder, "Art/Units/TR_tank_MyTank_2");
  EXPECT_EQ(tank->files_folder, data / "Change/TR_tank/My Tank-2");

  // A reference reuses the referenced model's files, found in any letter case; its art folder is
  // named from the text of Model.txt, so two references written alike share one folder.
  const auto heavy = ResolveModel(data, kLandUnits, 23, "Heavy-Tank 2");
  ASSERT_TRUE(heavy);
  EXPECT_EQ(heavy->form, ModelForm::kReference);
  EXPECT_EQ(heavy->art_folder, "Art/Units/tr_tank_MyTank_2");
  EXPECT_EQ(heavy->files_folder, data / "Change/TR_tank/My Tank-2");
  const auto winter = ResolveModel(data, kLandUnits, 5, "Winter");
  ASSERT_TRUE(winter);
  EXPECT_EQ(winter->art_folder, tank->art_folder);
  EXPECT_EQ(winter->files_folder, tank->files_folder);

  const auto stock = ResolveModel(data, kStandardUnits, 16, "Stock");
  ASSERT_TRUE(stock);
  EXPECT_EQ(stock->form, ModelForm::kStandard);
  EXPECT_EQ(stock->art_folder, "");
  EXPECT_EQ(stock->files_folder, fs::path());

  EXPECT_FALSE(ResolveModel(data, kStandardUnits, 15, "Missing"));
  EXPECT_FALSE(ResolveModel(data, kStandardUnits, 15, std::string(kStandart)));
  EXPECT_FALSE(ResolveModel(data, kLandUnits, 23, "..\\..\\Change\\TR_tank\\My Tank-2"));
  EXPECT_FALSE(ResolveModel(data, kCivilizations, 1, "My Tank-2"));
}

// A zero byte ends a name for the system, so "..\0" in a reference would lead to the folder
// above the data folder: such a reference names nothing, and the folder is not offered.
TEST(ModelForms, AReferenceWithAZeroByteLeadsNowhere) {
  using namespace std::string_literals;
  TempFolder temp;
  const fs::path data = temp / "DATA";
  const fs::path folder = MakeFolder(temp, "DATA/New/TR_Heavy_Tank/Outside",
                                     {"InfoRus.txt", "Model.txt=..\0\r\nModel\r\n"s});
  const auto outside = ResolveModel(data, kLandUnits, 23, "Outside");
  ASSERT_TRUE(outside);
  EXPECT_EQ(outside->form, ModelForm::kReference);
  EXPECT_EQ(outside->files_folder, fs::path());
  EXPECT_FALSE(IsValidModelFolder(folder, data));
}

TEST(ReadModelReference, ReadsTheThreeReadings) {
  TempFolder temp;
  struct Case {
    const char* content;  // nullptr: no file
    const char* source;
    const char* model;
    const char* stem;
  } cases[] = {
      {"New\\AV_Biplane\r\nSopwith\r\n", "New\\AV_Biplane\\Sopwith", "Sopwith",
       "AV_Biplane_Sopwith"},
      {"Change/TR_tank\nMy Tank-2", "Change/TR_tank\\My Tank-2", "My Tank-2", "TR_tank_My Tank-2"},
      {"New\\AV_Biplane\r\n", "New\\AV_Biplane\\", "", "AV_Biplane_"},
      {"", "\\", "", "_"},
      {nullptr, "", "", ""},
  };
  int index = 0;
  for (const auto& c : cases) {
    const fs::path file = temp / ("Model" + std::to_string(index++) + ".txt");
    if (c.content) temp.Write(file.filename().string(), c.content);
    EXPECT_EQ(ReadModelReference(kSourceFolder, file), c.source);
    EXPECT_EQ(ReadModelReference(kModelName, file), c.model);
    EXPECT_EQ(ReadModelReference(kArtStem, file), c.stem);
  }
}

TEST(ModelLibraryText, NormalizesArtNamesAndReadsFirstLines) {
  EXPECT_EQ(NormalizeArtName("TR_tank_My Tank-2"), "TR_tank_MyTank_2");
  EXPECT_EQ(NormalizeArtName("TR_adv_tank_Heavy-Tank 2"), "TR_adv_tank_Heavy_Tank2");
  EXPECT_EQ(NormalizeArtName(" - "), "_");

  TempFolder temp;
  EXPECT_EQ(ReadFirstLine(temp.Write("a.ini", "3.19\r\nsecond\r\n")), "3.19");
  EXPECT_EQ(ReadFirstLine(temp.Write("b.ini", "no line break")), "no line break");
  EXPECT_EQ(ReadFirstLine(temp.Write("c.ini", "\r\nsecond")), "");
  EXPECT_EQ(ReadFirstLine(temp / "missing.ini"), "");
}

TEST(DescriptionFile, FallsBackFromEnglishToRussian) {
  TempFolder temp;
  const fs::path both = MakeFolder(temp, "both", {"InfoEng.txt", "InfoRus.txt", "InfoBigRus.txt"});
  const fs::path russian = MakeFolder(temp, "russian", {"inforus.txt", "infobigeng.TXT"});
  const fs::path english = MakeFolder(temp, "english", {"InfoEng.txt"});

  EXPECT_EQ(DescriptionFile(false, both, 0), both / "InfoEng.txt");
  EXPECT_EQ(DescriptionFile(false, both, 1), both / "InfoRus.txt");
  EXPECT_EQ(DescriptionFile(true, both, 0), both / "InfoBigRus.txt");
  EXPECT_EQ(DescriptionFile(false, russian, 0), russian / "inforus.txt");
  EXPECT_EQ(DescriptionFile(true, russian, 0), russian / "infobigeng.TXT");
  // Russian never falls back to English: the path names the missing Russian file.
  EXPECT_EQ(DescriptionFile(false, english, 1), english / "InfoRus.txt");
}

TEST(FindDataFolder, TakesTheFarthestDataFolder) {
  TempFolder temp;
  const fs::path program = temp / "games/mod/program";
  fs::create_directories(program);
  EXPECT_EQ(FindDataFolder(program), fs::path());

  fs::create_directories(program / "DATA");
  EXPECT_EQ(FindDataFolder(program), program / "DATA");
  fs::create_directories(temp / "games/mod/DATA");
  EXPECT_EQ(FindDataFolder(program), temp / "games/mod/DATA");
  fs::create_directories(temp / "games/Data");
  EXPECT_EQ(FindDataFolder(program), temp / "games/Data");
  EXPECT_EQ(FindDataFolder(program.string() + "/"), temp / "games/Data");
  // Three levels up is too far.
  fs::create_directories(temp / "DATA");
  EXPECT_EQ(FindDataFolder(program), temp / "games/Data");
  // A file called DATA is no folder.
  TempFolder other;
  other.Write("DATA", "not a folder");
  fs::create_directories(other / "a/b");
  EXPECT_EQ(FindDataFolder(other / "a/b"), fs::path());
}

}  // namespace
}  // namespace catalogue
