// The operations that apply fragment and patch files to the mod's game files.
#include <string>

#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "xmlengine/codes.h"
#include "xmlengine/document_file.h"
#include "xmlengine/engine.h"
#include "xmlengine/text_search.h"

namespace xmlengine {
namespace {

// The mod's copy of a game file; when the mod has none yet, the base copy is copied in first.
struct Target {
  fs::path file;
  bool copied = false;
};

Target FindOrCopyTarget(const fs::path& mod_root, const std::string& sub_folder,
                        const std::string& file_name, const DataPath& base_folder) {
  Target target{Resolve(DataPath{mod_root, JoinPath(sub_folder, file_name)}), false};
  if (platform::IsFile(target.file)) return target;
  const fs::path folder = Resolve(DataPath{mod_root, sub_folder});
  target.file = CopyFileInto(Resolve(base_folder, file_name), folder);
  target.copied = true;
  return target;
}

}  // namespace

bool Engine::InsertFragmentFile(const FragmentArgs& args, Document& document, KeyIndex& index) {
  return errors::Guarded(codes::kInsertFragmentFile, [&] {
    const std::string file_name =
        (args.file_name.empty() ? args.fragment_name : args.file_name) + ".XML";
    const Target target =
        FindOrCopyTarget(args.mod_root, args.sub_folder, file_name, args.base_folder);
    const std::string fragment = ReadWholeFile(Resolve(
        DataPath{args.data_folder, JoinPath("XML\\Next War", args.fragment_name + ".ini")}));
    std::string replacement;
    ForEachLoadedLine(fragment, [&](std::string_view line) {
      replacement += "\r\n";
      replacement.append(line);
    });
    LoadDocument(target.file, document);
    SetWorking(document, index);
    BuildKeyIndex(args.key_kind);
    SetRecordKey(args.record_key, false);
    ReplaceInRecords(false, args.search_line, replacement, {}, 0);
    RemoveBlankLines(document);
    const bool saved =
        SaveSteps(target.file.parent_path(), target.file,
                  platform::PathToAnsi(target.file.filename()), document, target.copied);
    index.Clear();
    return saved;
  });
}

bool Engine::ApplyPatchFile(const PatchFileArgs& args, Document& document, KeyIndex& index,
                            PatchObserver* observer) {
  return errors::Guarded(codes::kApplyPatchFile, [&] {
    const Target target =
        FindOrCopyTarget(args.mod_root, args.sub_folder, args.xml_name + ".XML", args.base_folder);
    const fs::path patch = Resolve(args.patch_folder, args.patch_name + ".ini");
    return ApplyPatchUnguarded(patch, target.file, args.key_kind, document, index, observer, true,
                               nullptr);
  });
}

bool Engine::ApplyPatchToFile(const fs::path& patch_file, const fs::path& target_file, KeyKind kind,
                              Document& document, KeyIndex& index, PatchObserver* observer,
                              bool save, PatchSummary* summary) {
  return errors::Guarded(codes::kApplyPatchFile, [&] {
    return ApplyPatchUnguarded(patch_file, target_file, kind, document, index, observer, save,
                               summary);
  });
}

bool Engine::ApplyPatchUnguarded(const fs::path& patch_file, const fs::path& target_file,
                                 KeyKind kind, Document& document, KeyIndex& index,
                                 PatchObserver* observer, bool save, PatchSummary* summary) {
  LoadDocument(target_file, document);
  SetWorking(document, index);
  BuildKeyIndex(kind);
  const std::string patch = ReadWholeFile(patch_file);
  const PatchSummary done = RunPatch(patch, observer);
  if (summary) *summary = done;
  RemoveBlankLines(document);
  bool saved = true;
  if (save) {
    const fs::path folder = target_file.has_parent_path() ? target_file.parent_path() : ".";
    saved = SaveSteps(folder, target_file, platform::PathToAnsi(target_file.filename()), document,
                      false);
  }
  index.Clear();
  return saved;
}

}  // namespace xmlengine
