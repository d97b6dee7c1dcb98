// The files that describe and start a mod: its description file, GlobalDefinesAlt.xml with the
// numeric rule options, the icons, the desktop shortcut and the copy of the configuration.
#pragma once

#include <string>

#include "config/option_snapshot.h"
#include "generation/stage_context.h"

namespace generation {

// The game's description file of the mod: fixed content, whatever the options.
std::string DescriptionFileText();
// GlobalDefinesAlt.xml for the options; `insert` gives the lines of an insert file of the data
// folder (empty when it is missing).
std::string GlobalDefinesText(const config::OptionSnapshot& options,
                              const std::function<std::string(std::string_view)>& insert);
// The shortcut's name: "Vornak.TQ 1.5.0" for that folder name, else the folder name.
std::string ShortcutName(std::string_view folder_name);

void WriteGlobalDefines(StageContext& context);
void WriteDescriptionFile(StageContext& context);
void WriteIconsShortcutAndConfiguration(StageContext& context);

}  // namespace generation
