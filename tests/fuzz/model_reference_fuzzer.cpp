// Model.txt, the reference of a model folder to another model of the library: its two lines
// name a unit folder of the data folder and a model in it. Whatever the file holds, the files a
// generation copies for the model must come from inside the data folder.
#include <filesystem>

#include "catalogue/model_library.h"
#include "catalogue/unit_catalogue.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

namespace fs = std::filesystem;

struct Library {
  fs::path data;
  fs::path model_txt;  // of the model "Ref" of the first air unit
};

const Library& MadeLibrary() {
  static const Library library = [] {
    const fs::path data = fuzz::ScratchFolder() / "DATA";
    const fs::path unit = data / std::string(catalogue::LibraryFolder(catalogue::kAirUnits)) /
                          catalogue::UnitIdentifier(catalogue::kAirUnits, 1);
    // A model of its own the reference can name, and one outside the data folder.
    for (const char* file : {"Own/InfoEng.txt", "Own/Individual.XML", "Own/Model/ModelVersion.ini",
                             "Own/Model/Model.ini", "Own/Model/Button.dds", "Ref/InfoEng.txt"}) {
      fuzz::WriteScratchFile(unit / file, "x");
    }
    fuzz::WriteScratchFile(fuzz::ScratchFolder() / "Elsewhere/Model/Individual.XML", "x");
    return Library{data, unit / "Ref" / catalogue::kModelReferenceFile};
  }();
  return library;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Library& library = MadeLibrary();
  fuzz::WriteScratchFile(library.model_txt, fuzz::AsText(data, size));

  for (int reading : {catalogue::kSourceFolder, catalogue::kModelName, catalogue::kArtStem}) {
    catalogue::ReadModelReference(reading, library.model_txt);
  }
  catalogue::IsValidModelFolder(library.model_txt.parent_path(), library.data);
  const auto source = catalogue::ResolveModel(library.data, catalogue::kAirUnits, 1, "Ref");
  FUZZ_CHECK(source && source->form == catalogue::ModelForm::kReference);
  FUZZ_CHECK(source->files_folder.empty() || fuzz::IsInside(library.data, source->files_folder));
  // The art folder is one folder of the mod's Art/Units.
  FUZZ_CHECK(source->art_folder.starts_with("Art/Units/"));
  return 0;
}
