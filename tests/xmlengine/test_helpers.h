// Helpers shared by the engine's tests: documents from line lists, the location codes reported
// while a test runs, and the fixture folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "errors/error_processor.h"
#include "xmlengine/document.h"

namespace xmlengine::testing {

using Lines = std::vector<std::string>;

// A document holding exactly these lines.
inline Document DocumentOf(const Lines& lines) {
  Document document;
  for (const auto& line : lines) document.Append(line);
  return document;
}

// Lines joined by CR LF, every one followed by it (the bytes of a saved file).
inline std::string CrLf(const Lines& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// Records the location codes reported to the error processor while it lives.
class ReportedCodes : public errors::ErrorWindow {
 public:
  ReportedCodes() { errors::Processor().set_window(this); }
  ~ReportedCodes() override { errors::Processor().set_window(nullptr); }
  ReportedCodes(const ReportedCodes&) = delete;
  ReportedCodes& operator=(const ReportedCodes&) = delete;

  void Show(const std::string& code_text) override {
    // " 1.5.0-08.031-06.2": keep the location code.
    const size_t dash = code_text.find('-');
    std::string code = dash == std::string::npos ? code_text : code_text.substr(dash + 1);
    const size_t point = code.rfind('.');
    if (point != std::string::npos && point > 6) code.resize(point);
    codes.push_back(code);
  }
  std::vector<std::string> codes;
};

inline std::filesystem::path FixturePath(std::string_view name) {
  return std::filesystem::path(XMLENGINE_FIXTURES) / name;
}

}  // namespace xmlengine::testing
