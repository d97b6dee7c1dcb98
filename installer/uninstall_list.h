// The program's uninstall list, Resource/Uninstall.ini: section lines (lines that contain "[")
// each followed by the lines that belong to that section. A pack edits it with two scripts, both
// compared whole and case-sensitively; an empty script line names nothing.
#pragma once

#include <string>
#include <vector>

namespace installer {

// The list without every line that the clear script names.
std::vector<std::string> ClearUninstallLines(const std::vector<std::string>& list,
                                             const std::vector<std::string>& clear_script);

// The add script merged in. Each of its sections collects those of its lines that the list does
// not hold yet (lines before its first section count towards the first); the collected lines go
// right after every line of the list equal to the section line, or, when there is none, the
// section line and its lines are appended at the end. Sections are merged one after the other.
std::vector<std::string> AddUninstallSections(std::vector<std::string> list,
                                              const std::vector<std::string>& add_script);

}  // namespace installer
