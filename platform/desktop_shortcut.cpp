#include "platform/desktop_shortcut.h"

#include "platform/file_io.h"
#include "platform/system_error.h"
#include "platform/text.h"

namespace platform {
namespace {

// A string value of a desktop entry: no line breaks, backslashes doubled.
std::string EntryValue(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      continue;
    else
      out += c;
  }
  return out;
}

// One argument of the Exec key: quoted when it holds anything but plain characters, with the
// characters that are special inside quotes escaped, and '%' doubled (field codes).
std::string ExecArgument(std::string_view argument) {
  std::string escaped;
  bool quote = argument.empty();
  for (char c : argument) {
    if (c == '%') {
      escaped += "%%";
      continue;
    }
    if (c == '"' || c == '`' || c == '$' || c == '\\') {
      escaped += '\\';
      quote = true;
    }
    if (c == ' ' || c == '\t' || c == '\'' || c == '>' || c == '<' || c == '~' || c == '|' ||
        c == '&' || c == ';' || c == '*' || c == '?' || c == '#' || c == '(' || c == ')') {
      quote = true;
    }
    escaped += c;
  }
  return quote ? "\"" + escaped + "\"" : escaped;
}

}  // namespace

std::string DesktopEntryText(const DesktopShortcut& shortcut) {
  std::string exec = ExecArgument(shortcut.program.string());
  const std::string extension = shortcut.program.extension().string();
  if (EqualsNoCase(extension, ".exe")) {
    exec = "wine " + exec;
  }
  for (const auto& argument : shortcut.arguments) exec += " " + ExecArgument(argument);
  const std::filesystem::path folder =
      shortcut.working_folder.empty() ? shortcut.program.parent_path() : shortcut.working_folder;
  std::string text = "[Desktop Entry]\n";
  text += "Type=Application\n";
  text += "Name=" + EntryValue(shortcut.name) + "\n";
  if (!shortcut.description.empty()) text += "Comment=" + EntryValue(shortcut.description) + "\n";
  // The Exec key is itself a string value, so its escapes are escaped once more.
  text += "Exec=" + EntryValue(exec) + "\n";
  if (!folder.empty()) text += "Path=" + EntryValue(folder.string()) + "\n";
  if (!shortcut.icon.empty()) text += "Icon=" + EntryValue(shortcut.icon.string()) + "\n";
  text += "Terminal=false\n";
  return text;
}

void WriteDesktopShortcut(const std::filesystem::path& file, const DesktopShortcut& shortcut) {
  WriteFileAtomic(file, DesktopEntryText(shortcut));
  std::error_code ec;
  std::filesystem::permissions(file,
                               std::filesystem::perms::owner_exec |
                                   std::filesystem::perms::group_exec |
                                   std::filesystem::perms::others_exec,
                               std::filesystem::perm_options::add, ec);
  if (ec) throw SystemError("cannot make " + file.string() + " executable", ec.value());
}

}  // namespace platform
