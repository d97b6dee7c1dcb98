// A generation run on the sample data against a plain recursive copy of the tree it produces.
// The run is mostly copying; its cost over the copy is what the stages add.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "generation/pipeline.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct Sample {
  testing_support::TempFolder root;
  generation::GenerationInputs inputs;

  Sample() {
    root.Write("Game/Civ4BeyondSword.exe", "MZ");
    root.Write("Settings/CivilizationIV.ini", "");
    fs::create_directories(root / "Desktop");
    fs::copy(VORNAK_SAMPLE_DATA, root / "DATA", fs::copy_options::recursive);
    inputs.data_folder = root / "DATA";
    inputs.game_folder = (root / "Game").string() + "/";
    inputs.game_settings_folder = (root / "Settings").string();
    inputs.folder_name = "Bench";
    auto builder = config::OptionSnapshot::Builder::InitialState();
    builder.GridRow("ValueListEditor5", "RUSSIA", "Imperial").Option(21, 1).Option(50, 3);
    inputs.options = builder.Build();
    inputs.desktop_folder = root / "Desktop";
    inputs.configuration_text = "[Main]\r\n";
    inputs.make_shortcut = std::getenv("BENCH_SHORTCUT") != nullptr;
  }
};

Sample& TheSample() {
  static Sample sample;
  return sample;
}

void BM_GenerationRun(benchmark::State& state) {
  Sample& sample = TheSample();
  for (auto _ : state) {
    generation::RunLog log;
    const auto result = generation::RunGeneration(sample.inputs, log);
    if (!result.succeeded) state.SkipWithError("the run failed");
  }
}
BENCHMARK(BM_GenerationRun)->Unit(benchmark::kMillisecond);

void BM_PlainCopyOfTheProducedTree(benchmark::State& state) {
  Sample& sample = TheSample();
  generation::RunLog log;
  generation::RunGeneration(sample.inputs, log);
  const fs::path mod = sample.root / "Game/Mods/Bench";
  const fs::path copy = sample.root / "Copy";
  for (auto _ : state) {
    fs::remove_all(copy);
    fs::copy(mod, copy, fs::copy_options::recursive);
  }
}
BENCHMARK(BM_PlainCopyOfTheProducedTree)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
