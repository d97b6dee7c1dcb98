#include "generation/simple_stages.h"

namespace generation {

void CopySpecialUnits(StageContext& c) {
  c.mod.CopyFromData("XML\\CIV4SpecialUnitInfos.xml", "Assets\\XML\\Units");
}

void CopyTechnologyButtons(StageContext& c) {
  for (const char* button : {"Icon_JetEngines.dds", "Icon_Hellicopters.dds"}) {
    c.mod.CopyFromData(std::string("Interface\\Buttons\\") + button,
                       "Assets\\Art\\Interface\\Buttons");
  }
}

void CopyIdleButton(StageContext& c) {
  c.mod.CopyFromData("Interface\\Buttons\\Icon_idle.dds", "Assets\\Art\\Interface\\Buttons");
}

void CopyUnitFallbackAndText(StageContext& c) {
  if (!c.mod.ModFileExists("Assets\\XML\\Units\\CIV4UnitInfos.xml")) {
    c.mod.CopyFromData("XML\\CIV4UnitInfos.xml", "Assets\\XML\\Units");
  }
  c.mod.CopyFromData(
      c.Russian() ? "XML\\VK_CIV4GameTextInfos_2_Rus.xml" : "XML\\VK_CIV4GameTextInfos_2_Eng.xml",
      "Assets\\XML\\Text", "VK_CIV4GameTextInfos_2.xml");
}

}  // namespace generation
