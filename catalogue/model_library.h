// The model and flag folders of the data folder and the files in them.
//
//   <data>/Change/<identifier>/<model>/    a replacement model for a standard unit
//   <data>/New/<identifier>/<model>/       a model for a new unit (ForAll.XML and InfoBig*.txt
//                                          beside the model folders)
//   <data>/Art Flags/<identifier>/<flag>/  a flag for a civilization
//
// A model folder is in one of three forms: its own model (Individual.XML and a Model folder), a
// reference to another model of the library (Model.txt: the unit folder relative to the data
// folder, then the model folder's name), or one of the game's own models (StandartModel.txt).
// Texts are ANSI; paths are resolved without ASCII case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

namespace fs = std::filesystem;

inline constexpr std::string_view kModelReferenceFile = "Model.txt";
inline constexpr std::string_view kStandardModelFile = "StandartModel.txt";

// Offered in a pick list when it has a description (InfoRus.txt or InfoEng.txt) and is of one of
// the three forms: a Model.txt whose lines stay inside `data_folder`, a StandartModel.txt, or
// Individual.XML with Model/ModelVersion.ini, Model/Model.ini and Model/Button.dds.
bool IsValidModelFolder(const fs::path& folder, const fs::path& data_folder);
// Offered when it has Model/ModelVersion.ini and Model/flag.dds.
bool IsValidFlagFolder(const fs::path& folder);

enum class ModelForm { kOwn, kReference, kStandard };
// StandartModel.txt wins over Model.txt; a folder with neither carries its own model.
ModelForm FormOf(const fs::path& folder);

// The three readings of a Model.txt, from its first two lines L1 and L2 (missing lines are empty);
// empty text when the file is missing.
enum ModelReading : int {
  kSourceFolder = 0,  // L1 + "\" + L2
  kModelName = 1,     // L2
  kArtStem = 2,       // the last part of L1 + "_" + L2
};
std::string ReadModelReference(int reading, const fs::path& model_txt);

// Whether the lines of a Model.txt stay inside the data folder: L1 a relative path that does not
// climb out of it, L2 a single folder name. Empty lines lead nowhere and are allowed.
bool IsConfinedModelReference(const fs::path& model_txt);

// Every blank removed and every "-" turned into "_": the name of an art folder in the mod.
std::string NormalizeArtName(std::string_view text);

// The first line of the file without its line break; empty text when the file is missing.
std::string ReadFirstLine(const fs::path& path);

// The description file of a model or flag folder (InfoEng.txt / InfoRus.txt) or, with
// `long_description`, of a new-unit folder (InfoBigEng.txt / InfoBigRus.txt). `info_lang` 1 asks
// for Russian; anything else for English, which falls back to the Russian file when the English
// one is missing. The path may name a missing file.
fs::path DescriptionFile(bool long_description, const fs::path& folder, int info_lang);

// Where a chosen model's files come from and where its art goes in the mod.
struct ModelSource {
  ModelForm form = ModelForm::kOwn;
  fs::path folder;         // the chosen model's folder in the library
  fs::path files_folder;   // the folder of its Individual.XML and Model folder: its own folder or
                           // the referenced one; empty for a standard model or a reference that
                           // names nothing inside the data folder
  std::string art_folder;  // "Art/Units/" + name, ANSI; empty for a standard model
};
// The model `model` of row `row` of kind 0 to 3; nullopt when that names no existing folder of the
// library (a default value, a name that is not a single folder name, a missing folder).
std::optional<ModelSource> ResolveModel(const fs::path& data_folder, int kind, int row,
                                        std::string_view model);

}  // namespace catalogue
