// The patch directive language: what a run of a patch file tells the caller.
//
// A patch file is a sequence of entries: a key line, "[IF_NO_TAG]" fallback keys, then either
// "[DELETE_FULLY]" or a pattern, an opening line "{", body lines (with "[if exists]",
// "[if checked]", "[else]", "[end]", "[BUILD_FORT]" and "[VALUE]") and a closing line "}". The
// interpreter is Engine::RunPatch (engine.h); the observer below lets a caller (the `vornak-gen
// patch` command, tests) watch it: every entry with the records it selected and the replacements
// it made, every condition, and every line that is malformed or suspicious. Problems never change
// what the run does: a patch file is applied exactly as designed, whatever it holds.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace xmlengine {

// The three pattern modes of `ReplaceInRecords`.
enum class PatternMode {
  kSingle,   // one line: the line containing it is replaced
  kContext,  // several lines: the last matched line is replaced, the lines above it stay
  kBlock,    // "[MULTIMODE]" and several lines: all matched lines are replaced
};

struct PatchEntryReport {
  size_t line = 0;           // 1-based line of the key line
  std::string key;           // the key line as written
  std::string key_used;      // the key the entry applied (the first of the chain that exists)
  size_t key_used_line = 0;  // its line
  size_t fallbacks = 0;      // "[IF_NO_TAG]" alternatives written
  bool deletes = false;      // "[DELETE_FULLY]"
  PatternMode mode = PatternMode::kSingle;
  std::vector<std::string> pattern;  // the pattern's lines (without "[MULTIMODE]")
  size_t block_lines = 0;            // lines the body put into the replacement
  size_t records_selected = 0;
  size_t replacements = 0;  // records in which the pattern was found and replaced
};

struct PatchConditionReport {
  size_t line = 0;
  bool checked = false;   // "[if checked]" (else "[if exists]")
  std::string condition;  // the text after the marker
  bool result = false;
};

struct PatchProblem {
  enum class Severity { kWarning, kError };
  size_t line = 0;  // 1-based; 0 for the file as a whole
  Severity severity = Severity::kWarning;
  std::string message;  // UTF-8; quoted patch text converted from cp1251
};

class PatchObserver {
 public:
  virtual ~PatchObserver() = default;
  virtual void OnEntry(const PatchEntryReport& /*entry*/) {}
  virtual void OnCondition(const PatchConditionReport& /*condition*/) {}
  virtual void OnProblem(const PatchProblem& /*problem*/) {}
};

// Totals of one run of a patch file.
struct PatchSummary {
  size_t entries = 0;
  size_t records_selected = 0;
  size_t replacements = 0;
  size_t records_deleted = 0;
  size_t entries_selecting_nothing = 0;
  size_t entries_without_match = 0;  // selected records, found the pattern in none
  size_t errors = 0;                 // malformed lines
  size_t warnings = 0;
};

}  // namespace xmlengine
