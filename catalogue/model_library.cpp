#include "catalogue/model_library.h"

#include <vector>

#include "catalogue/library_paths.h"
#include "catalogue/unit_catalogue.h"
#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace catalogue {
namespace {

struct ReferenceLines {
  std::string source;  // L1
  std::string model;   // L2
};

ReferenceLines ReadReferenceLines(const fs::path& model_txt) {
  ReferenceLines lines;
  const auto bytes = platform::ReadFileBytes(model_txt);
  if (!bytes) return lines;
  const std::vector<std::string> all = platform::SplitLines(*bytes);
  if (all.size() > 0) lines.source = all[0];
  if (all.size() > 1) lines.model = all[1];
  return lines;
}

std::string_view LastPathPart(std::string_view path) {
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool HasDescription(const fs::path& folder) {
  return HasFile(folder, "InfoRus.txt") || HasFile(folder, "InfoEng.txt");
}

}  // namespace

bool IsValidModelFolder(const fs::path& folder, const fs::path& data_folder) {
  return errors::Guarded("02.013-01", [&] {
    if (!HasDescription(folder)) return false;
    // The generator copies a referenced model's files whatever else the folder holds, so a
    // reference that leads out of the data folder disqualifies the folder.
    if (const fs::path model_txt = LibraryPath(folder, kModelReferenceFile);
        !model_txt.empty() && platform::IsFile(model_txt)) {
      return !data_folder.empty() && IsConfinedModelReference(model_txt);
    }
    if (HasFile(folder, kStandardModelFile)) return true;
    return HasFile(folder, "Individual.XML") && HasFile(folder, "Model\\ModelVersion.ini") &&
           HasFile(folder, "Model\\Model.ini") && HasFile(folder, "Model\\Button.dds");
  });
}

bool IsValidFlagFolder(const fs::path& folder) {
  return errors::Guarded("02.013-02", [&] {
    return HasFile(folder, "Model\\ModelVersion.ini") && HasFile(folder, "Model\\flag.dds");
  });
}

ModelForm FormOf(const fs::path& folder) {
  if (HasFile(folder, kStandardModelFile)) return ModelForm::kStandard;
  if (HasFile(folder, kModelReferenceFile)) return ModelForm::kReference;
  return ModelForm::kOwn;
}

std::string ReadModelReference(int reading, const fs::path& model_txt) {
  return errors::Guarded("08.046-01", [&] {
    if (!platform::IsFile(model_txt)) return std::string();
    const ReferenceLines lines = ReadReferenceLines(model_txt);
    switch (reading) {
      case kSourceFolder:
        return lines.source + "\\" + lines.model;
      case kModelName:
        return lines.model;
      case kArtStem:
        return std::string(LastPathPart(lines.source)) + "_" + lines.model;
      default:
        return std::string();
    }
  });
}

bool IsConfinedModelReference(const fs::path& model_txt) {
  const ReferenceLines lines = ReadReferenceLines(model_txt);
  if (!lines.source.empty() && !platform::ConfineRelative(lines.source)) return false;
  return lines.model.empty() || IsSingleName(lines.model);
}

std::string NormalizeArtName(std::string_view text) {
  return errors::Guarded("08.047-01", [&] {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
      if (c == ' ') continue;
      out += c == '-' ? '_' : c;
    }
    return out;
  });
}

std::string ReadFirstLine(const fs::path& path) {
  return errors::Guarded("08.048-01", [&] {
    const auto bytes = platform::ReadFileBytes(path);
    if (!bytes) return std::string();
    const size_t end = bytes->find_first_of("\r\n");
    return bytes->substr(0, end);
  });
}

fs::path DescriptionFile(bool long_description, const fs::path& folder, int info_lang) {
  return errors::Guarded("02.009-01", [&] {
    const std::string_view russian = long_description ? "InfoBigRus.txt" : "InfoRus.txt";
    const std::string_view english = long_description ? "InfoBigEng.txt" : "InfoEng.txt";
    if (info_lang != 1) {
      const fs::path path = LibraryPath(folder, english);
      if (!path.empty() && platform::IsFile(path)) return path;
    }
    return LibraryPath(folder, russian);
  });
}

std::optional<ModelSource> ResolveModel(const fs::path& data_folder, int kind, int row,
                                        std::string_view model) {
  if (kind < kAirUnits || kind > kStandardUnits || !IsSingleName(model)) return std::nullopt;
  const std::string identifier = UnitIdentifier(kind, row);
  if (identifier.empty()) return std::nullopt;
  const fs::path folder = LibraryPath(data_folder, std::string(LibraryFolder(kind)) + "\\" +
                                                       identifier + "\\" + std::string(model));
  if (folder.empty() || !platform::IsDirectory(folder)) return std::nullopt;

  ModelSource source;
  source.folder = folder;
  source.form = FormOf(folder);
  switch (source.form) {
    case ModelForm::kStandard:
      break;
    case ModelForm::kOwn:
      source.files_folder = folder;
      source.art_folder = "Art/Units/" + NormalizeArtName(identifier + "_" + std::string(model));
      break;
    case ModelForm::kReference: {
      const fs::path model_txt = LibraryPath(folder, kModelReferenceFile);
      source.art_folder = "Art/Units/" + NormalizeArtName(ReadModelReference(kArtStem, model_txt));
      if (IsConfinedModelReference(model_txt)) {
        source.files_folder =
            LibraryPath(data_folder, ReadModelReference(kSourceFolder, model_txt));
      }
      break;
    }
  }
  return source;
}

}  // namespace catalogue
