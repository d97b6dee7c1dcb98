// The engine's state and the record operations.
#include "xmlengine/engine.h"

#include <stdexcept>
#include <vector>

#include "errors/error_processor.h"
#include "errors/guard.h"
#include "platform/paths.h"
#include "platform/system_error.h"
#include "platform/text.h"
#include "xmlengine/codes.h"
#include "xmlengine/document_file.h"
#include "xmlengine/text_search.h"

namespace xmlengine {
namespace {

constexpr std::string_view kDeleteFully = "[DELETE_FULLY]";
constexpr std::string_view kMultiMode = "[MULTIMODE]";

bool IsXmlDeclaration(std::string_view line) { return platform::StartsWithNoCase(line, "<?xml"); }

void PutEditHeader(Document& document) {
  const size_t at = !document.empty() && IsXmlDeclaration(document.line(0)) ? 1 : 0;
  document.Insert(at, std::string(kEditHeader[0]) + "\r\n" + std::string(kEditHeader[1]) + "\r\n" +
                          std::string(kEditHeader[2]));
}

}  // namespace

Engine::Engine() { SetIndentation("\t\t\t"); }

void Engine::SetWorking(Document& document, KeyIndex& index) {
  working_document_ = &document;
  working_index_ = &index;
}

void Engine::SetReference(Document& document, KeyIndex& index) {
  reference_document_ = &document;
  reference_index_ = &index;
}

void Engine::SetIndentation(std::string_view indentation) {
  indentation_ = std::string(indentation);
  line_break_indentation_ = "\r\n" + indentation_;
}

Document& Engine::Working() const {
  if (!working_document_) throw std::logic_error("the engine has no working document");
  return *working_document_;
}

KeyIndex& Engine::WorkingIndex() const {
  if (!working_index_) throw std::logic_error("the engine has no working key index");
  return *working_index_;
}

void Engine::BuildKeyIndex(KeyKind kind, Which which) {
  errors::Guarded(codes::kBuildKeyIndex, [&] {
    if (which == Which::kWorking) {
      WorkingIndex().Build(Working(), kind);
      return;
    }
    if (!reference_document_ || !reference_index_) {
      throw std::logic_error("the engine has no reference lists");
    }
    reference_index_->Build(*reference_document_, kind);
  });
}

void Engine::SetRecordKey(std::string_view name, bool wrap) {
  errors::Guarded(codes::kSetRecordKey, [&] {
    record_key_ = wrap ? "<Class>" + std::string(name) + "</Class>" : std::string(name);
  });
}

size_t Engine::ReplaceInRecords(bool first_only, std::string_view search,
                                std::string_view replacement, std::string_view condition,
                                int64_t offset) {
  return ReplaceInRecordsCounted(first_only, search, replacement, condition, offset).line;
}

ReplaceOutcome Engine::ReplaceInRecordsCounted(bool first_only, std::string_view search,
                                               std::string_view replacement,
                                               std::string_view condition, int64_t offset) {
  return errors::Guarded(codes::kReplaceInRecords, [&] {
    return ReplaceInRecordsUnguarded(first_only, search, replacement, condition, offset);
  });
}

ReplaceOutcome Engine::ReplaceInRecordsUnguarded(bool first_only, std::string_view search,
                                                 std::string_view replacement,
                                                 std::string_view condition, int64_t offset) {
  Document& document = Working();
  KeyIndex& index = WorkingIndex();
  ReplaceOutcome outcome;

  // 1. The mode, from the search text's lines.
  const bool delete_fully = search == kDeleteFully;
  std::vector<Needle> pattern;
  PatternMode mode = PatternMode::kSingle;
  if (!delete_fully) {
    bool first_is_multimode = false;
    ForEachLoadedLine(search, [&](std::string_view line) {
      if (pattern.empty()) first_is_multimode = line == kMultiMode;
      pattern.emplace_back(line);
    });
    if (pattern.size() > 1) {
      mode = first_is_multimode ? PatternMode::kBlock : PatternMode::kContext;
      if (first_is_multimode) pattern.erase(pattern.begin());
    }
  }
  const Needle also(condition);
  const Needle* const also_needle = mode == PatternMode::kSingle && !also.empty() ? &also : nullptr;

  // 2. The walk, over the entries that existed when it began.
  const Needle key(record_key_);
  const size_t entries = index.size();
  for (size_t p = index.NextKeyLineContaining(document, key, 0); p < entries && p < index.size();
       p = index.NextKeyLineContaining(document, key, p + 1)) {
    ++outcome.records_selected;
    if (delete_fully) {
      const LineSpan span = index.WholeSpan(document, p);
      if (!span.empty()) {
        index.BlankLines(document, span.begin, span.size());
        ++outcome.replacements;
      }
    } else if (!pattern.empty()) {
      const LineSpan range = index.SearchRange(document, p);
      const size_t j = document.FindPattern(pattern, also_needle, range.begin, range.end);
      if (j != Document::npos) {
        size_t first = j;
        size_t count = 1;
        if (mode == PatternMode::kBlock) {
          count = pattern.size();
        } else if (mode == PatternMode::kContext) {
          first = j + pattern.size() - 1;
        }
        // The lines are replaced and, when their count changed, the entries after p - offset
        // move: with offset 0 those of later records, with 1 the current record's own too.
        index.ReplaceAndShift(document, first, count, replacement,
                              static_cast<int64_t>(p) - offset);
        outcome.line = j;
        ++outcome.replacements;
      }
    }
    if (first_only) break;
  }
  return outcome;
}

void Engine::ShiftKeyIndex(int64_t delta, int64_t position) {
  errors::Guarded(codes::kShiftKeyIndex, [&] { WorkingIndex().Shift(delta, position); });
}

void Engine::InsertKeyIndex(int64_t line) {
  errors::Guarded(codes::kInsertKeyIndex, [&] { WorkingIndex().Insert(line); });
}

bool Engine::RecordExists(std::string_view text, bool type_flag) const {
  return errors::Guarded(codes::kRecordExists, [&] {
    if (!type_flag) return KeyLineContains(text);
    std::string typed = ReplaceAll(text, "<class>", "<type>", true).text;
    typed = ReplaceAll(typed, "</class>", "</type>", true).text;
    return KeyLineContains(typed);
  });
}

bool Engine::KeyLineContains(std::string_view text) const {
  return WorkingIndex().AnyKeyLineContains(Working(), Needle(text));
}

void Engine::RemoveBlankLines(Document& document) {
  errors::Guarded(codes::kRemoveBlankLines, [&] { document.RemoveBlankLines(); });
}

void Engine::InsertEditHeader() {
  errors::Guarded(codes::kInsertEditHeader, [&] { PutEditHeader(Working()); });
}

bool Engine::SaveDocument(const fs::path& folder, std::string_view file_name, Document& document,
                          bool header) {
  // The file name is resolved inside the folder in the writing step, where a refusal belongs.
  return SaveSteps(folder, fs::path(), file_name, document, header);
}

bool Engine::SaveSteps(const fs::path& folder, const fs::path& file, std::string_view name,
                       Document& document, bool header) {
  // Each step is a guarded block of its own; a failure adds the place to the error dump first.
  const auto step = [&](std::string_view code, auto&& body) {
    return errors::Guarded(code, [&] {
      try {
        body();
        return true;
      } catch (...) {
        errors::Processor().AppendExtraInformation("\r\n" + platform::PathToAnsi(folder) + "\r\n" +
                                                   std::string(name));
        throw;
      }
    });
  };
  if (header && !step(codes::kSaveHeader, [&] { PutEditHeader(document); })) return false;
  if (!step(codes::kSaveCreateFolder, [&] {
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) throw platform::SystemError("cannot create " + folder.string(), ec.value());
      })) {
    return false;
  }
  if (!step(codes::kSaveWrite, [&] {
        if (!file.empty()) {
          WriteDocumentFile(file, document);
          return;
        }
        const auto target = platform::ResolveInside(folder, name);
        if (!target) throw PathRefused("a file name that leaves its folder: " + folder.string());
        WriteDocumentFile(*target, document);
      })) {
    return false;
  }
  return step(codes::kSaveClear, [&] { document.Clear(); });
}

std::string Engine::FortsBlock() const {
  const std::string& nl = line_break_indentation_;
  if (!forts_) return nl + "\t<Builds/>";
  return nl + "\t<Builds>" + nl + "\t\t<Build>" + nl + "\t\t<BuildType>BUILD_FORT</BuildType>" +
         nl + "\t\t\t<bBuild>1</bBuild>" + nl + "\t\t</Build>" + nl + "\t</Builds>";
}

}  // namespace xmlengine
