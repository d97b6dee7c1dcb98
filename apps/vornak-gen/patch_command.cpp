#include "apps/vornak-gen/patch_command.h"

#include <filesystem>
#include <optional>
#include <string>

#include "apps/vornak-gen/in_place_write.h"
#include "apps/vornak-gen/key_kind_choice.h"
#include "errors/error_processor.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "xmlengine/document_file.h"
#include "xmlengine/engine.h"
#include "xmlengine/text_search.h"

namespace vornak_gen {

const char kPatchUsage[] =
    "usage: vornak-gen patch [--key-kind K] [--checked NAME[,NAME...]] [--value N] [--dry-run]\n"
    "                        [--apply-malformed] PATCH.ini TARGET.xml\n"
    "  Applies the patch file to the XML file in place, as the generator does.\n"
    "  --key-kind K   which lines key the records: 0 <class>, 1 <type>, 2 <buildingclass>,\n"
    "                 3 <scriptid>, 4 <tag>; by default the digit 0-4 that ends the patch\n"
    "                 file's name, else the tag of its key lines\n"
    "  --checked ...  these check boxes count as enabled and checked for \"[if checked]\" (all\n"
    "                 others as absent); CheckBox32 (option 44) also turns on the forts block of\n"
    "                 \"[BUILD_FORT]\"\n"
    "  --value N      value mode on: \"[VALUE]\" becomes N, as for an EXACT value editor\n"
    "  --dry-run      report only; the target is not written\n"
    "  --apply-malformed  write the target even when the patch has malformed lines\n";

namespace {

namespace fs = std::filesystem;
using xmlengine::PatchProblem;

constexpr int kApplied = 0;
constexpr int kMalformed = 1;
constexpr int kBadArguments = 2;
constexpr int kFailed = 3;

std::string Plural(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string Shown(std::string_view patch_text) {
  std::string shown(1, '"');
  shown += platform::Cp1251ToUtf8(platform::Trim(patch_text));
  shown += '"';
  return shown;
}

// Prints the engine's reports: each entry with its conditions and the problems found while it was
// read, in the order of the file, "FILE:LINE:" first so that editors can jump to the line.
class Report : public xmlengine::PatchObserver {
 public:
  Report(std::ostream& out, std::string file) : out_(out), file_(std::move(file)) {}

  void OnCondition(const xmlengine::PatchConditionReport& condition) override {
    pending_.push_back("    line " + std::to_string(condition.line) + ": " +
                       (condition.checked ? "[if checked] " : "[if exists] ") +
                       (condition.checked ? platform::Cp1251ToUtf8(condition.condition)
                                          : Shown(condition.condition)) +
                       (condition.result ? " is true" : " is false"));
  }

  void OnProblem(const PatchProblem& problem) override {
    pending_.push_back(
        file_ + ":" + std::to_string(problem.line) + ": " +
        (problem.severity == PatchProblem::Severity::kError ? "error: " : "warning: ") +
        problem.message);
  }

  void OnEntry(const xmlengine::PatchEntryReport& entry) override {
    std::string line = file_ + ":" + std::to_string(entry.line) + ": " + Shown(entry.key);
    if (entry.key_used_line != entry.line) {
      line += " is not there; [IF_NO_TAG] key of line " + std::to_string(entry.key_used_line) +
              " " + Shown(entry.key_used);
    } else if (entry.fallbacks > 0) {
      line += " (its [IF_NO_TAG] keys are not needed)";
    }
    line += ": ";
    if (entry.records_selected == 0) {
      line += "selected nothing";
    } else if (entry.deletes) {
      line += Plural(entry.records_selected, "record", "records") + " removed ([DELETE_FULLY])";
    } else {
      line += Plural(entry.records_selected, "record", "records") + " selected, ";
      line += entry.replacements == 0 ? std::string("pattern found in none")
                                      : Plural(entry.replacements, "replacement", "replacements");
    }
    if (!entry.deletes && !entry.pattern.empty()) {
      const char* mode = entry.mode == xmlengine::PatternMode::kSingle    ? "pattern "
                         : entry.mode == xmlengine::PatternMode::kContext ? "context pattern "
                                                                          : "[MULTIMODE] pattern ";
      line += "; " + std::string(mode) + Shown(entry.pattern.front());
      if (entry.pattern.size() > 1)
        line += " + " + Plural(entry.pattern.size() - 1, "line", "lines");
      line += " -> " + (entry.block_lines == 0 ? std::string("line deleted")
                                               : Plural(entry.block_lines, "line", "lines"));
    }
    out_ << line << "\n";
    Flush();
  }

  void Flush() {
    for (const auto& line : pending_) out_ << line << "\n";
    pending_.clear();
  }

 private:
  std::ostream& out_;
  std::string file_;
  std::vector<std::string> pending_;
};

// Headless, a failure the engine reports (through the error processor) is printed.
class PrintingErrorWindow : public errors::ErrorWindow {
 public:
  explicit PrintingErrorWindow(std::ostream& err) : err_(err) {}
  void Show(const std::string& code_text) override {
    err_ << "vornak-gen patch: the engine reported a failure, code" << code_text << "\n";
    ++failures;
  }
  int failures = 0;

 private:
  std::ostream& err_;
};

// The lines a document of the file would hold, counted without building one.
size_t LineCount(const fs::path& file) {
  size_t lines = 0;
  xmlengine::ForEachLoadedLine(xmlengine::ReadWholeFile(file),
                               [&lines](std::string_view) { ++lines; });
  return lines;
}

// The document as a save writes it, every line followed by CR LF, through a buffer of fixed size
// rather than one copy of the whole text.
bool WriteSaved(const xmlengine::Document& document, const ContentSink& sink) {
  constexpr size_t kBufferSize = 64 * 1024;
  std::string buffer;
  buffer.reserve(kBufferSize);
  bool ok = true;
  document.ForEach(0, document.size(), [&](size_t, std::string_view line) {
    if (buffer.size() + line.size() + 2 > kBufferSize) {
      ok = sink(buffer);
      buffer.clear();
    }
    buffer += line;
    buffer += "\r\n";
    return ok;
  });
  return ok && sink(buffer);
}

struct Arguments {
  xmlengine::KeyKind kind = xmlengine::KeyKind::kType;
  bool kind_given = false;
  std::vector<std::string> checked;
  std::optional<int64_t> value;
  bool dry_run = false;
  bool apply_malformed = false;
  std::vector<std::string> files;
};

std::optional<Arguments> Parse(const std::vector<std::string_view>& args, std::ostream& err) {
  Arguments parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool has_value = i + 1 < args.size();
    if (arg == "--key-kind" && has_value) {
      const auto number = platform::ParseInt64(args[++i]);
      const auto kind = number ? xmlengine::KeyKindFromNumber(*number) : std::nullopt;
      if (!kind) {
        err << "vornak-gen patch: --key-kind wants 0 to 4, not \"" << args[i] << "\"\n";
        return std::nullopt;
      }
      parsed.kind = *kind;
      parsed.kind_given = true;
    } else if (arg == "--checked" && has_value) {
      std::string_view names = args[++i];
      while (!names.empty()) {
        const size_t comma = names.find(',');
        const std::string_view name = platform::Trim(names.substr(0, comma));
        if (!name.empty()) parsed.checked.push_back(platform::Utf8ToCp1251(name));
        names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
      }
    } else if (arg == "--value" && has_value) {
      parsed.value = platform::ParseInt64(args[++i]);
      if (!parsed.value) {
        err << "vornak-gen patch: --value wants a whole number, not \"" << args[i] << "\"\n";
        return std::nullopt;
      }
    } else if (arg == "--dry-run") {
      parsed.dry_run = true;
    } else if (arg == "--apply-malformed") {
      parsed.apply_malformed = true;
    } else if (arg.starts_with("--")) {
      err << "vornak-gen patch: unknown option or missing value: " << arg << "\n";
      return std::nullopt;
    } else {
      parsed.files.emplace_back(arg);
    }
  }
  if (parsed.files.size() != 2) return std::nullopt;
  return parsed;
}

}  // namespace

int RunPatchCommand(const std::vector<std::string_view>& args, std::ostream& out,
                    std::ostream& err) {
  const std::optional<Arguments> parsed = Parse(args, err);
  if (!parsed) {
    err << kPatchUsage;
    return kBadArguments;
  }
  const fs::path patch = parsed->files[0];
  const fs::path target = parsed->files[1];
  if (platform::IsDirectory(patch) || platform::IsDirectory(target)) {
    err << "vornak-gen patch: " << (platform::IsDirectory(patch) ? patch : target).string()
        << " is a folder; give one patch file and one XML file\n";
    return kBadArguments;
  }
  for (const fs::path& file : {patch, target}) {
    if (!platform::IsFile(file)) {
      err << "vornak-gen patch: no such file: " << file.string() << "\n";
      return kFailed;
    }
  }
  // A file the author protected is refused before anything is done to it.
  const InPlaceTarget in_place = InspectTarget(target);
  if (in_place.refusal != InPlaceRefusal::kNone && !parsed->dry_run) {
    err << "vornak-gen patch: " << in_place.message << "\n";
    return kFailed;
  }

  xmlengine::KeyKind kind = parsed->kind;
  std::string kind_reason = "given by --key-kind";
  if (!parsed->kind_given) {
    const auto patch_text = platform::ReadFileBytes(patch);
    if (!patch_text) {
      err << "vornak-gen patch: cannot read " << patch.string() << "\n";
      return kFailed;
    }
    const KeyKindChoice choice = ChooseKeyKind(patch, *patch_text);
    if (!choice.kind) {
      err << "vornak-gen patch: " << choice.reason << "; give --key-kind 0 to 4\n";
      return kBadArguments;
    }
    kind = *choice.kind;
    kind_reason = choice.reason;
  }

  const xmlengine::FixedCheckBoxes boxes(parsed->checked);
  xmlengine::Engine engine;
  engine.set_check_boxes(&boxes);
  engine.set_forts(boxes.IsChecked(xmlengine::kFortsCheckBox));
  engine.SetValueMode(parsed->value);

  const auto kind_number = static_cast<int>(kind);
  out << "Applying " << patch.string() << " to " << target.string() << "\n"
      << "  key kind " << kind_number << " (" << xmlengine::KeyTag(kind) << ")"
      << ", check boxes checked: ";
  if (parsed->checked.empty()) out << "none";
  for (size_t i = 0; i < parsed->checked.size(); ++i) {
    out << (i ? ", " : "") << platform::Cp1251ToUtf8(parsed->checked[i]);
  }
  out << ", forts block " << (engine.forts() ? "on" : "off") << ", value mode ";
  if (parsed->value) {
    out << "on (" << *parsed->value << ")";
  } else {
    out << "off";
  }
  out << (parsed->dry_run ? ", dry run" : "") << "\n"
      << "  key kind " << kind_number << ": " << kind_reason << "\n";
  // EXACT components take the key kind from the last character of the patch file's name.
  const std::string stem = patch.stem().string();
  if (parsed->kind_given && !stem.empty() && stem.back() >= '0' && stem.back() <= '4' &&
      stem.back() - '0' != kind_number) {
    out << "  note: in an EXACT component this file is applied with key kind " << stem.back()
        << " (the last character of its name)\n";
  }
  out << "\n";

  // The engine edits the document only; the command writes it (in_place_write.h).
  PrintingErrorWindow window(err);
  errors::Processor().set_window(&window);
  const TargetLock turn(in_place.file);
  const size_t lines_before = LineCount(target);
  Report report(out, patch.filename().string());
  xmlengine::Document document;
  xmlengine::KeyIndex index;
  xmlengine::PatchSummary summary;
  const bool applied = engine.ApplyPatchToFile(patch, target, kind, document, index, &report,
                                               /*save=*/false, &summary);
  report.Flush();
  errors::Processor().set_window(nullptr);

  out << "\n"
      << Plural(summary.entries, "entry", "entries") << ": "
      << Plural(summary.records_selected, "record", "records") << " selected, "
      << Plural(summary.replacements, "replacement", "replacements") << ", "
      << Plural(summary.records_deleted, "record", "records") << " removed; "
      << Plural(summary.entries_selecting_nothing, "entry", "entries") << " selected nothing, "
      << Plural(summary.entries_without_match, "entry", "entries")
      << " found no pattern in the records it selected\n"
      << Plural(summary.errors, "malformed line", "malformed lines") << ", "
      << Plural(summary.warnings, "warning", "warnings") << "\n";
  if (!applied || window.failures > 0) {
    err << "vornak-gen patch: " << target.string() << " was not written\n";
    return kFailed;
  }
  const bool malformed = summary.errors > 0;
  if (parsed->dry_run || (malformed && !parsed->apply_malformed)) {
    out << (parsed->dry_run ? "Dry run: " : "Not written: ") << target.string() << " would have "
        << document.size() << " lines (" << lines_before << " now); it was not written";
    if (!parsed->dry_run) out << " (--apply-malformed writes it as a generation would)";
    out << "\n";
  } else {
    const InPlaceResult written =
        WriteInPlace(in_place, [&](const ContentSink& sink) { return WriteSaved(document, sink); });
    if (!written.written) {
      err << "vornak-gen patch: " << written.message << "\n"
          << "vornak-gen patch: " << target.string() << " was not written\n";
      return kFailed;
    }
    out << "Wrote " << target.string() << ": " << document.size() << " lines (" << lines_before
        << " before)\n";
    if (in_place.linked) out << "  through the link to " << in_place.file.string() << "\n";
    if (!written.atomic) {
      out << "  the file has " << in_place.hard_links
          << " names: its content was copied over it to keep them; this write was not atomic\n";
    }
  }
  if (malformed) {
    err << "vornak-gen patch: the patch file is malformed ("
        << Plural(summary.errors, "error", "errors") << ", see above)\n";
    return kMalformed;
  }
  return kApplied;
}

}  // namespace vornak_gen
