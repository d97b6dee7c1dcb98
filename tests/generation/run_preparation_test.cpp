#include "generation/run_preparation.h"

#include <gtest/gtest.h>

#include "tests/config/fake_controls.h"

namespace generation {
namespace {

using config_test::FakeControls;
using config_test::Kind;

TEST(PrepareControlsForRun, FillsEmptyNumberFieldsAndDropsAtomicBombers) {
  FakeControls controls;
  for (const char* edit :
       {"NTCEdit2", "NTCEdit3", "NTCEdit1", "NTCEdit20", "NTCEdit30", "NTCEdit22", "NTCEdit4",
        "NTCEdit5", "NTCEdit6", "NTCEdit7", "NTCEdit8"}) {
    controls.Add(edit, Kind::kEdit);
  }
  controls.SetText("NTCEdit8", "");
  controls.SetText("NTCEdit2", "90");
  controls.AddGrid("ValueListEditor3", {{"AV_Biplane", "Wood"}, {"AV_Atom_Bomber", "Heavy"}});
  PrepareControlsForRun(controls, /*atomic_bombers_found=*/false);
  EXPECT_EQ(controls.Text("NTCEdit8"), "100");
  EXPECT_EQ(controls.Text("NTCEdit2"), "90");  // a typed value stays
  EXPECT_EQ(controls.RowValue("ValueListEditor3", 2), "Heavy");
  PrepareControlsForRun(controls, /*atomic_bombers_found=*/true);
  EXPECT_EQ(controls.RowValue("ValueListEditor3", 1), "Wood");
  EXPECT_EQ(controls.RowValue("ValueListEditor3", 2), "{None}");
}

}  // namespace
}  // namespace generation
