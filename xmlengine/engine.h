// The XML text engine of Parts 4.1 and 4.2: its state (the working and reference lists, the
// record key, the indentation pair, the fragment and record buffers, value mode, the check boxes
// the patch language reads) and its operations.
//
// One Engine serves one generation run; the generator owns the documents and key indexes and
// points the engine at them (the engine only points at them). A step routine:
//
//   xmlengine::Engine& engine = ...;             // owned by the generation window
//   engine.SetIndentation("\t\t\t");
//   xmlengine::LoadDocument(file, units);        // inside the step's own guard
//   engine.SetWorking(units, units_index);
//   engine.BuildKeyIndex(xmlengine::KeyKind::kClass);
//   engine.SetRecordKey("UNITCLASS_CANNON", /*wrap=*/true);
//   engine.ReplaceInRecords(false, "<iCollateralDamageLimit>", engine.indentation() + "...");
//   engine.RemoveBlankLines(units);
//   engine.SaveDocument(folder, "CIV4UnitInfos.xml", units, /*header=*/false);
//   units_index.Clear();
//
// and a patch step of the rule options or of an external component (paths from data are joined to folders the program chose and
// resolved inside them, data_path.h):
//
//   engine.set_check_boxes(&snapshot);  // the option snapshot; engine.set_forts(option 44)
//   engine.ApplyPatchFile({assets, "\\XML\\Units", "BUILD_FORT", "CIV4UnitInfos",
//                          {data, "XML\\Patches\\"}, {data, "XML"}, KeyKind::kClass},
//                         units, units_index);
//
// Every operation runs inside errors::Guarded with the location code of its Part and returns a
// neutral result on failure (0, false, nothing done); ReplaceInRecordsUnguarded throws instead,
// for routines that guard a whole step under a code of their own. The Document and KeyIndex
// methods themselves throw (std::out_of_range, platform::SystemError).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "xmlengine/anchors.h"
#include "xmlengine/check_boxes.h"
#include "xmlengine/data_path.h"
#include "xmlengine/document.h"
#include "xmlengine/key_index.h"
#include "xmlengine/patch_language.h"

namespace xmlengine {

namespace fs = std::filesystem;

enum class Which { kWorking, kReference };

// What one ReplaceInRecords did.
struct ReplaceOutcome {
  size_t line = 0;              // the designed result: first line of the last match, 0 if none
  size_t records_selected = 0;  // entries whose key line contained the record key
  size_t replacements = 0;      // records changed (deleted, for "[DELETE_FULLY]")
};

// The edit header that a save with the header flag puts into a file of the finished mod: three
// comment lines with fixed version and year, after the XML declaration when the first line is
// one, else at the top.
inline constexpr std::string_view kEditHeader[3] = {
    "<!-- ============================================================ -->",
    "<!-- Changed by Vornak.TQ 1.5.0 (2010) for Civilization IV: BtS -->",
    "<!-- ============================================================ -->",
};

// Arguments of ApplyPatchFile. The target is mod_root + sub_folder + "\" + xml_name +
// ".XML", the patch patch_folder + patch_name + ".ini", the base copy base_folder + "\" +
// xml_name + ".XML"; every text is resolved inside its folder (data_path.h).
struct PatchFileArgs {
  fs::path mod_root;       // the mod's Assets folder
  std::string sub_folder;  // "\XML\Units"
  std::string patch_name;  // "BUILD_FORT"
  std::string xml_name;    // "CIV4UnitInfos"
  DataPath patch_folder;   // {data folder, "XML\Patches\"}
  DataPath base_folder;    // {data folder, "XML"}
  KeyKind key_kind = KeyKind::kType;
};

// Arguments of InsertFragmentFile. The fragment is data_folder + "\XML\Next War\" +
// fragment_name + ".ini"; the target mod_root + sub_folder + "\" + file name + ".XML", where the
// file name is `file_name` or, when that is empty, the fragment name.
struct FragmentArgs {
  fs::path mod_root;
  std::string sub_folder;
  std::string fragment_name;
  KeyKind key_kind = KeyKind::kType;
  std::string search_line;  // the line after which the fragment's lines go
  std::string record_key;   // unwrapped
  DataPath base_folder;
  std::string file_name;
  fs::path data_folder;
};

class Engine {
 public:
  Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // --- State

  void SetWorking(Document& document, KeyIndex& index);
  void SetReference(Document& document, KeyIndex& index);
  Document* working_document() const { return working_document_; }
  KeyIndex* working_index() const { return working_index_; }
  Document* reference_document() const { return reference_document_; }
  KeyIndex* reference_index() const { return reference_index_; }
  Document& fragment_buffer() { return fragment_buffer_; }
  Document& record_buffer() { return record_buffer_; }

  // Sets the indentation and the line-break indentation ("\r\n" + indentation).
  void SetIndentation(std::string_view indentation);
  const std::string& indentation() const { return indentation_; }
  const std::string& line_break_indentation() const { return line_break_indentation_; }

  // The check boxes "[if checked]" reads; none set means every name is absent.
  void set_check_boxes(const CheckBoxSource* check_boxes) { check_boxes_ = check_boxes; }
  const CheckBoxSource* check_boxes() const { return check_boxes_; }
  // Option 44: "[BUILD_FORT]" becomes the forts block instead of "<Builds/>".
  void set_forts(bool forts) { forts_ = forts; }
  bool forts() const { return forts_; }
  // Value mode: on with the value of an EXACT value editor, off with nullopt.
  void SetValueMode(std::optional<int64_t> value) { value_ = value; }
  std::optional<int64_t> value_mode() const { return value_; }

  // --- Record operations

  // Builds the key index of the working or reference document for the kind. "08.005-01".
  void BuildKeyIndex(KeyKind kind, Which which = Which::kWorking);
  // The record key becomes "<Class>" + name + "</Class>" with `wrap`, else the name. "08.014-01".
  void SetRecordKey(std::string_view name, bool wrap);
  const std::string& record_key() const { return record_key_; }
  // The central edit on the working document and index; returns the first line of the last
  // match, 0 if nothing was replaced. "08.007-01".
  size_t ReplaceInRecords(bool first_only, std::string_view search, std::string_view replacement,
                          std::string_view condition = {}, int64_t offset = 0);
  // The same, also telling how many records were selected and changed.
  ReplaceOutcome ReplaceInRecordsCounted(bool first_only, std::string_view search,
                                         std::string_view replacement,
                                         std::string_view condition = {}, int64_t offset = 0);
  ReplaceOutcome ReplaceInRecordsUnguarded(bool first_only, std::string_view search,
                                           std::string_view replacement, std::string_view condition,
                                           int64_t offset);
  // On the working index. "08.006-01", "08.029-01".
  void ShiftKeyIndex(int64_t delta, int64_t position);
  void InsertKeyIndex(int64_t line);
  // Some key line of the working document contains the text; with the type flag "<class>" and
  // "</class>" in it are first turned into "<type>" and "</type>". "08.027-01".
  bool RecordExists(std::string_view text, bool type_flag) const;
  // Some key line of the working document contains the text, ASCII case ignored (the test of
  // "[IF_NO_TAG]" and "[if exists]"). Unguarded.
  bool KeyLineContains(std::string_view text) const;
  // "08.011-01".
  void RemoveBlankLines(Document& document);
  // The three header lines into the working document. "08.003-01".
  void InsertEditHeader();
  // `SaveDocument`: header (into the saved document), folder with its parents, the file
  // folder / file_name (name resolved without ASCII case inside the folder, so an existing file
  // that differs only in case is overwritten), then the document is cleared. A failing step adds
  // the folder and the file name to the error dump, reports "08.031-0" + step digit and stops;
  // false then.
  bool SaveDocument(const fs::path& folder, std::string_view file_name, Document& document,
                    bool header);

  // --- Anchors, fragments and patch files

  // Reads the sections of the kind from the file into the fragment buffer (cleared first unless
  // `append`). False when the file is missing. "08.017-01".
  bool ReadAnchorSection(const DataPath& file, AnchorKind kind, bool append);
  // The art sections of a template; `hook` is the empty-animation rule. "08.018-01".
  bool ReadArtAnchorSection(const DataPath& file, const ArtLineHook& hook = {});
  // Puts a fragment file's lines into a game file after a line of the selected records, using
  // `document` and `index` as the working lists. "08.031-05".
  bool InsertFragmentFile(const FragmentArgs& args, Document& document, KeyIndex& index);
  // Applies a patch file to a game file of the mod, using `document` and `index` as the working
  // lists. False (target not saved) when the patch, the base or the target cannot be read or a
  // check box condition names a component that is not a check box. "08.031-06".
  bool ApplyPatchFile(const PatchFileArgs& args, Document& document, KeyIndex& index,
                      PatchObserver* observer = nullptr);
  // Steps 2 to 4 of ApplyPatchFile on files the caller names itself (`vornak-gen patch`): load the
  // target, build its index, run the patch, remove blank lines and (with `save`) save it without
  // header. "08.031-06".
  bool ApplyPatchToFile(const fs::path& patch_file, const fs::path& target_file, KeyKind kind,
                        Document& document, KeyIndex& index, PatchObserver* observer = nullptr,
                        bool save = true, PatchSummary* summary = nullptr);
  // The directive language on the working document and index: the patch text's entries applied
  // in order. Throws (the caller's guard reports) when a check box condition names a component
  // that is not a check box; what was applied until then stays applied.
  PatchSummary RunPatch(std::string_view patch_text, PatchObserver* observer = nullptr);

  // The text "[BUILD_FORT]" stands for, with the current indentation and option 44.
  std::string FortsBlock() const;

 private:
  Document& Working() const;
  KeyIndex& WorkingIndex() const;
  // SaveDocument's steps on a file path already resolved; `name` is what the error dump shows.
  bool SaveSteps(const fs::path& folder, const fs::path& file, std::string_view name,
                 Document& document, bool header);
  // ApplyPatchToFile without its guard.
  bool ApplyPatchUnguarded(const fs::path& patch_file, const fs::path& target_file, KeyKind kind,
                           Document& document, KeyIndex& index, PatchObserver* observer, bool save,
                           PatchSummary* summary);

  Document* working_document_ = nullptr;
  KeyIndex* working_index_ = nullptr;
  Document* reference_document_ = nullptr;
  KeyIndex* reference_index_ = nullptr;
  Document fragment_buffer_;
  Document record_buffer_;
  std::string record_key_;
  std::string indentation_;
  std::string line_break_indentation_;
  const CheckBoxSource* check_boxes_ = nullptr;
  bool forts_ = false;
  std::optional<int64_t> value_;
};

// Switches value mode on for the life of the object and off again afterwards, also when the
// guarded step in between fails (an external component's patch files of one value editor).
class ValueModeScope {
 public:
  ValueModeScope(Engine& engine, int64_t value) : engine_(engine) { engine_.SetValueMode(value); }
  ~ValueModeScope() { engine_.SetValueMode(std::nullopt); }
  ValueModeScope(const ValueModeScope&) = delete;
  ValueModeScope& operator=(const ValueModeScope&) = delete;

 private:
  Engine& engine_;
};

}  // namespace xmlengine
