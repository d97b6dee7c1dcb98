// The interpreter of the patch directive language.
#include "xmlengine/patch_language.h"

#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "xmlengine/engine.h"
#include "xmlengine/text_search.h"

namespace xmlengine {
namespace {

constexpr std::string_view kIfNoTag = "[IF_NO_TAG]";
constexpr std::string_view kDeleteFully = "[DELETE_FULLY]";
constexpr std::string_view kMultiMode = "[MULTIMODE]";
constexpr std::string_view kIfExists = "[if exists]";
constexpr std::string_view kIfChecked = "[if checked]";
constexpr std::string_view kElse = "[else]";
constexpr std::string_view kEnd = "[end]";
constexpr std::string_view kBuildFort = "[BUILD_FORT]";
constexpr std::string_view kValue = "[VALUE]";

bool Opens(std::string_view line) { return !line.empty() && line.front() == '{'; }
bool Closes(std::string_view line) { return !line.empty() && line.front() == '}'; }
bool Has(std::string_view line, std::string_view marker) {
  return platform::FindNoCase(line, marker) != std::string_view::npos;
}
std::string Quote(std::string_view text) {
  std::string quoted(1, '"');
  quoted += platform::Cp1251ToUtf8(text);
  quoted += '"';
  return quoted;
}

// A check box condition "[if checked]" names a component that is not a check box: the design stops
// the file there and the target is not saved.
class NotACheckBox : public std::runtime_error {
 public:
  explicit NotACheckBox(const std::string& what) : std::runtime_error(what) {}
};

// The conditional state: inside, result, then-part, outer, and the stacks of the
// enclosing conditionals. It lives for one patch file.
class Conditionals {
 public:
  bool inside() const { return inside_; }
  bool Active() const { return outer_ && (!inside_ || result_ == then_part_); }

  void Open(size_t line) {
    if (inside_) {
      stack_.push_back({result_, then_part_, outer_});
      outer_ = Active();
    }
    inside_ = true;
    then_part_ = true;
    open_.push_back({line, false});
  }
  void SetResult(bool result) { result_ = result; }
  // False when the conditional had its "[else]" already.
  bool Else() {
    then_part_ = false;
    if (open_.empty()) return true;
    const bool first = !open_.back().had_else;
    open_.back().had_else = true;
    return first;
  }
  void End() {
    if (!open_.empty()) open_.pop_back();
    if (!stack_.empty()) {
      const Frame frame = stack_.back();
      stack_.pop_back();
      result_ = frame.result;
      then_part_ = frame.then_part;
      outer_ = frame.outer;
    } else {
      inside_ = false;
      outer_ = true;
    }
  }
  // The lines of the conditionals still open, outermost first.
  std::vector<size_t> OpenLines() const {
    std::vector<size_t> lines;
    for (const auto& open : open_) lines.push_back(open.line);
    return lines;
  }

 private:
  struct Frame {
    bool result;
    bool then_part;
    bool outer;
  };
  struct OpenConditional {
    size_t line;
    bool had_else;
  };
  bool inside_ = false;
  bool result_ = false;
  bool then_part_ = true;
  bool outer_ = true;
  std::vector<Frame> stack_;
  std::vector<OpenConditional> open_;  // for the problem report only
};

class PatchRun {
 public:
  PatchRun(Engine& engine, std::string_view text, PatchObserver* observer)
      : engine_(engine), observer_(observer) {
    ForEachLoadedLine(text, [&](std::string_view line) { lines_.push_back(line); });
  }

  PatchSummary Run() {
    if (!lines_.empty() && lines_[0].starts_with("\xEF\xBB\xBF")) {
      Warning(1,
              "the file begins with a UTF-8 byte-order mark, which becomes part of the first "
              "key; save patch files in the ANSI code page (1251) without it");
    }
    while (ReadEntry()) {
    }
    for (size_t line : conditionals_.OpenLines()) {
      Error(line, "this conditional is not closed by \"[end]\" before the end of the file");
    }
    return summary_;
  }

 private:
  // One entry; false when the file is finished.
  bool ReadEntry() {
    while (pos_ < lines_.size() && lines_[pos_].empty()) ++pos_;
    if (pos_ >= lines_.size()) return false;

    PatchEntryReport entry;
    entry.line = pos_ + 1;
    const std::string_view key = lines_[pos_++];
    CheckKeyLine(key, entry.line);
    std::string current_key(key);
    entry.key_used_line = entry.line;
    engine_.SetRecordKey(current_key, false);

    size_t line_number = 0;
    std::string_view line;
    if (!Next(line, line_number)) {
      Error(entry.line, "the file ends after the key line; the entry is dropped");
      return false;
    }
    while (platform::EqualsNoCase(line, kIfNoTag)) {
      ++entry.fallbacks;
      std::string_view alternative;
      size_t alternative_line = 0;
      if (!Next(alternative, alternative_line)) {
        Error(line_number, "the file ends after \"[IF_NO_TAG]\"; the entry is dropped");
        return false;
      }
      CheckKeyLine(alternative, alternative_line);
      if (!engine_.KeyLineContains(current_key)) {
        current_key.assign(alternative);
        entry.key_used_line = alternative_line;
        engine_.SetRecordKey(current_key, false);
      }
      if (!Next(line, line_number)) {
        Error(alternative_line, "the file ends after the alternative key; the entry is dropped");
        return false;
      }
    }
    WarnIfNearMarker(line, line_number);

    if (platform::EqualsNoCase(line, kDeleteFully)) {
      entry.deletes = true;
      const ReplaceOutcome outcome =
          engine_.ReplaceInRecordsCounted(false, kDeleteFully, {}, {}, 0);
      Record(entry, std::move(current_key), outcome);
      return true;
    }

    // The pattern: this line and the following ones up to the opening line.
    const size_t pattern_line = line_number;
    if (Opens(line)) {
      Error(line_number,
            "an opening line \"{\" where the pattern should begin: it is taken as the "
            "pattern, and the body runs to the next opening line");
    } else if (Closes(line)) {
      Error(line_number,
            "a closing line \"}\" where the pattern should begin: it is taken as the "
            "pattern");
    }
    std::string pattern(line);
    bool opened = false;
    while (Next(line, line_number)) {
      if (Opens(line)) {
        opened = true;
        break;
      }
      if (Closes(line)) {
        Error(line_number,
              "a closing line \"}\" inside the pattern (the opening line \"{\" is "
              "missing?): it is taken as a pattern line");
      }
      pattern += "\r\n";
      pattern.append(line);
    }
    if (!opened) {
      Error(pattern_line, "the file ends before the opening line \"{\" of the entry at line " +
                              std::to_string(entry.line) + "; the entry is dropped");
      return false;
    }
    DescribePattern(entry, pattern, pattern_line);

    // The body.
    std::string replacement;
    bool closed = false;
    while (Next(line, line_number)) {
      if (Closes(line)) {
        closed = true;
        break;
      }
      BodyLine(line, line_number, replacement, entry);
    }
    if (!closed) {
      Warning(entry.line,
              "the body of this entry is not closed by \"}\"; the end of the file "
              "closes it");
    }
    ApplyValueMode(replacement, entry.line);

    const ReplaceOutcome outcome =
        engine_.ReplaceInRecordsCounted(false, pattern, replacement, {}, 0);
    Record(entry, std::move(current_key), outcome);
    return closed || pos_ < lines_.size();
  }

  bool Next(std::string_view& line, size_t& number) {
    if (pos_ >= lines_.size()) return false;
    line = lines_[pos_++];
    number = pos_;
    return true;
  }

  void BodyLine(std::string_view read, size_t number, std::string& replacement,
                PatchEntryReport& entry) {
    if (Opens(read)) {
      Warning(number, "a second opening line \"{\" inside the body is dropped");
      return;
    }
    std::string text(read);
    // Every marker begins with '[': a line without one is plain text.
    if (text.find('[') == std::string::npos) {
      if (!conditionals_.Active()) return;
      replacement += "\r\n";
      replacement += text;
      ++entry.block_lines;
      return;
    }
    if (Has(text, kBuildFort)) text = ReplaceAll(text, kBuildFort, engine_.FortsBlock(), true).text;

    bool directive = false;
    if (const size_t at = platform::FindNoCase(text, kIfExists); at != std::string::npos) {
      directive = true;
      const std::string condition = text.substr(at + kIfExists.size());
      conditionals_.Open(number);
      const bool result = engine_.KeyLineContains(condition);
      conditionals_.SetResult(result);
      if (condition.empty()) {
        Warning(number, "\"[if exists]\" without a condition text is always false");
      } else if (condition.front() == ' ' || condition.front() == '\t') {
        Warning(number, "the condition " + Quote(condition) +
                            " begins with a blank, which is searched for as well");
      }
      ReportCondition(number, false, condition, result);
    } else if (const size_t at = platform::FindNoCase(text, kIfChecked); at != std::string::npos) {
      directive = true;
      const std::string rest = text.substr(at + kIfChecked.size());
      conditionals_.Open(number);
      conditionals_.SetResult(CheckedCondition(rest, number));
    }
    if (conditionals_.inside()) {
      if (Has(text, kElse)) {
        directive = true;
        if (!conditionals_.Else()) {
          Warning(number, "a second \"[else]\" in the same conditional changes nothing");
        }
      }
      if (Has(text, kEnd)) {
        directive = true;
        conditionals_.End();
      }
    } else if (!directive && (Has(text, kElse) || Has(text, kEnd))) {
      Warning(number, "\"[else]\" or \"[end]\" outside any conditional is copied as text");
    }
    if (directive || !conditionals_.Active()) return;
    replacement += "\r\n";
    replacement += text;
    ++entry.block_lines;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] == '\r' && text[i + 1] == '\n') ++entry.block_lines;
    }
  }

  bool CheckedCondition(const std::string& rest, size_t number) {
    const bool well_formed = rest.size() >= 4 && rest.starts_with("<|") && rest.ends_with("|>");
    if (!well_formed) {
      Error(number,
            "\"[if checked]\" must be followed by \"<|\", a component name and \"|>\" and "
            "nothing else; " +
                Quote(rest) + " is always false");
      ReportCondition(number, true, rest, false);
      return false;
    }
    const std::string name = rest.substr(2, rest.size() - 4);
    const CheckBoxSource* const boxes = engine_.check_boxes();
    const CheckBoxState state = boxes ? boxes->State(name) : CheckBoxState::kAbsent;
    if (state == CheckBoxState::kNotACheckBox) {
      Error(number, Quote(name) +
                        " is a component that is not a check box: the patch file "
                        "stops here and the target is not saved");
      throw NotACheckBox("[if checked] names " + platform::Cp1251ToUtf8(name) +
                         ", which is not a check box");
    }
    const bool result = state == CheckBoxState::kEnabledAndChecked;
    ReportCondition(number, true, name, result);
    return result;
  }

  void ApplyValueMode(std::string& replacement, size_t entry_line) {
    const bool any_case = replacement.find('[') != std::string::npos && Has(replacement, kValue);
    if (!engine_.value_mode()) {
      if (any_case) {
        Warning(entry_line,
                "\"[VALUE]\" stays as text: value mode is off (only the patches of an "
                "EXACT value editor, or --value, switch it on)");
      }
      return;
    }
    if (FindText(replacement, kValue) > 0) {
      replacement =
          ReplaceAll(replacement, kValue, std::to_string(*engine_.value_mode()), true).text;
    } else if (any_case) {
      Warning(entry_line,
              "\"[VALUE]\" is replaced only when the body holds it in upper case at "
              "least once; here it stays as text");
    }
  }

  void DescribePattern(PatchEntryReport& entry, const std::string& pattern, size_t line) {
    std::vector<std::string_view> parts;
    ForEachLoadedLine(pattern, [&](std::string_view part) { parts.push_back(part); });
    entry.mode = PatternMode::kSingle;
    if (parts.size() > 1) {
      entry.mode = parts.front() == kMultiMode ? PatternMode::kBlock : PatternMode::kContext;
      if (entry.mode == PatternMode::kBlock) parts.erase(parts.begin());
    } else if (!parts.empty() && parts.front() == kMultiMode) {
      Warning(line,
              "\"[MULTIMODE]\" needs pattern lines after it; alone it is searched for as "
              "text");
    }
    for (size_t i = 0; i < parts.size(); ++i) {
      if (parts[i].empty()) {
        Warning(line, "pattern line " + std::to_string(i + 1) +
                          " is empty; an empty line matches nothing, so this entry can change "
                          "nothing");
      }
    }
    if (observer_) entry.pattern.assign(parts.begin(), parts.end());
  }

  void CheckKeyLine(std::string_view key, size_t number) {
    if (Opens(key) || Closes(key)) {
      Error(number, "a key line cannot begin with a brace: " + Quote(key) +
                        " (an opening or closing line out of place?)");
    } else if (platform::EqualsNoCase(key, kIfNoTag) || platform::EqualsNoCase(key, kDeleteFully) ||
               key == kMultiMode) {
      Error(number, Quote(key) + " stands where a key line is expected");
    } else if (const std::string_view trimmed = platform::Trim(key);
               platform::EqualsNoCase(trimmed, kIfNoTag) ||
               platform::EqualsNoCase(trimmed, kDeleteFully)) {
      Warning(number, Quote(key) +
                          " stands where a key line is expected (blanks around a marker "
                          "make it an ordinary line)");
    } else if (platform::Trim(key).empty()) {
      Warning(number,
              "the key line holds only blanks; it selects every record whose key line "
              "holds them");
    } else if (Has(key, kIfExists) || Has(key, kIfChecked)) {
      Warning(number, "a directive in a key line: " + Quote(key));
    }
  }

  void WarnIfNearMarker(std::string_view line, size_t number) {
    const std::string_view trimmed = platform::Trim(line);
    if (trimmed.size() == line.size()) return;
    if (platform::EqualsNoCase(trimmed, kIfNoTag) ||
        platform::EqualsNoCase(trimmed, kDeleteFully)) {
      Warning(number, Quote(line) + " is not the marker: blanks around it make it a pattern line");
    }
  }

  void Record(PatchEntryReport& entry, std::string key_used, const ReplaceOutcome& outcome) {
    ++summary_.entries;
    summary_.records_selected += outcome.records_selected;
    if (entry.deletes) {
      summary_.records_deleted += outcome.replacements;
    } else {
      summary_.replacements += outcome.replacements;
    }
    if (outcome.records_selected == 0) {
      ++summary_.entries_selecting_nothing;
    } else if (outcome.replacements == 0) {
      ++summary_.entries_without_match;
    }
    if (!observer_) return;
    entry.key.assign(lines_[entry.line - 1]);
    entry.key_used = std::move(key_used);
    entry.records_selected = outcome.records_selected;
    entry.replacements = outcome.replacements;
    observer_->OnEntry(entry);
  }

  void ReportCondition(size_t line, bool checked, std::string_view condition, bool result) {
    if (!observer_) return;
    observer_->OnCondition({line, checked, std::string(condition), result});
  }

  void Problem(size_t line, PatchProblem::Severity severity, const std::string& message) {
    if (severity == PatchProblem::Severity::kError) {
      ++summary_.errors;
    } else {
      ++summary_.warnings;
    }
    if (observer_) observer_->OnProblem({line, severity, message});
  }
  void Error(size_t line, const std::string& message) {
    Problem(line, PatchProblem::Severity::kError, message);
  }
  void Warning(size_t line, const std::string& message) {
    Problem(line, PatchProblem::Severity::kWarning, message);
  }

  Engine& engine_;
  PatchObserver* observer_;
  std::vector<std::string_view> lines_;
  size_t pos_ = 0;
  Conditionals conditionals_;
  PatchSummary summary_;
};

}  // namespace

PatchSummary Engine::RunPatch(std::string_view patch_text, PatchObserver* observer) {
  // The working lists must be set before the first entry, not found missing halfway.
  Working();
  WorkingIndex();
  return PatchRun(*this, patch_text, observer).Run();
}

}  // namespace xmlengine
