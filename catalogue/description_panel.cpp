#include "catalogue/description_panel.h"

#include "catalogue/library_paths.h"
#include "catalogue/model_library.h"
#include "catalogue/unit_catalogue.h"
#include "platform/file_io.h"

namespace catalogue {

DescriptionPanel DescribeSelection(const DescriptionRequest& request) {
  DescriptionPanel panel;
  const int kind = request.kind;
  const std::string identifier = UnitIdentifier(kind, request.row);
  if (identifier.empty()) return panel;
  const fs::path unit_folder =
      LibraryPath(request.data_folder, std::string(LibraryFolder(kind)) + "\\" + identifier);

  if (IsNewUnitKind(kind) && !unit_folder.empty()) {
    panel.unit_info_file = DescriptionFile(true, unit_folder, request.info_lang);
    panel.unit_info_enabled =
        !panel.unit_info_file.empty() && platform::IsFile(panel.unit_info_file);
  }

  if (request.value == DefaultValue(kind)) {
    if (kind == kStandardUnits) panel.text = kStandardModelText;
    if (IsNewUnitKind(kind)) panel.text = kDisabledText;
    return panel;
  }

  // Grid values are folder names of the row; anything else shows nothing.
  const fs::path folder =
      IsSingleName(request.value) ? LibraryPath(unit_folder, request.value) : fs::path();
  if (folder.empty()) {
    panel.text_missing = true;
    return panel;
  }
  panel.pictures.push_back(LibraryPath(folder, "Image.JPG"));
  if (kind == kCivilizations) panel.pictures.push_back(LibraryPath(folder, "ImageG.JPG"));

  panel.text_file = DescriptionFile(false, folder, request.info_lang);
  const auto text =
      panel.text_file.empty() ? std::nullopt : platform::ReadFileBytes(panel.text_file);
  panel.text = text.value_or(std::string());
  panel.text_missing = !text.has_value();

  if (kind != kCivilizations) {
    panel.model_folder = folder;
    panel.preview_enabled = request.viewer_exists && platform::IsDirectory(folder) &&
                            !HasFile(folder, kStandardModelFile);
  }
  return panel;
}

}  // namespace catalogue
