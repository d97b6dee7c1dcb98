// Benchmark of the XML engine.
//
// A generated unit file in the game's line layout, R records of 300 lines (R = 200: about 60,000
// lines), and a patch of 10 R entries, each selecting one record by its class line and putting
// three new lines after one of its lines, the entries in a scattered order. Measured:
//
//   LoadSave/R            LoadDocument and SaveDocument of the file (the baseline)
//   ApplyPatch/R          ApplyPatchFile with that patch: load, key index, every entry, blank-line
//                         removal, save
//   InMemoryCutAndJoin/R  the same two without the file system: bytes cut into lines and joined
//   InMemoryApplyPatch/R  and: cut, key index, the patch, blank-line removal, join
//
// The goals: ApplyPatch/200 at most 8 times LoadSave/200; and the patch grows with the data as a
// plain load and save does: ApplyPatch/400 / ApplyPatch/200 (twice the file and twice the patch)
// at most 1.1 times LoadSave/400 / LoadSave/200, and the same at eight times the data (1600),
// on files and in memory (against InMemoryCutAndJoin). A load and save alone grows a little
// faster than the data (memory effects), so the growth is measured against it, not against the
// factor itself. The program prints these ratios from the medians and the minima of seven
// repetitions.
//
//   cmake -S . -B build-bench -G Ninja -DVORNAK_BUILD_BENCHMARKS=ON -DCMAKE_BUILD_TYPE=Release
//   ninja -C build-bench xmlengine_bench && build-bench/tests/xmlengine/bench/xmlengine_bench
//
// The files are written to XMLENGINE_BENCH_DIR, else /dev/shm, else TMPDIR (see Root()).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "xmlengine/document_file.h"
#include "xmlengine/engine.h"

namespace {

namespace fs = std::filesystem;
using xmlengine::Document;
using xmlengine::Engine;
using xmlengine::KeyIndex;
using xmlengine::KeyKind;

constexpr int kFieldsPerRecord = 296;  // + opening tag, class, type and closing tag = 300 lines

std::string Number(int value, int width) {
  std::string text = std::to_string(value);
  return std::string(text.size() < static_cast<size_t>(width) ? width - text.size() : 0, '0') +
         text;
}

std::string UnitFile(int records) {
  std::string text = "<?xml version=\"1.0\"?>\r\n";
  text += "<Civ4UnitInfos xmlns=\"x-schema:CIV4UnitSchema.xml\">\r\n\t<UnitInfos>\r\n";
  for (int r = 0; r < records; ++r) {
    const std::string id = Number(r, 4);
    text += "\t\t<UnitInfo>\r\n";
    text += "\t\t\t<Class>UNITCLASS_GEN_" + id + "</Class>\r\n";
    text += "\t\t\t<Type>UNIT_GEN_" + id + "</Type>\r\n";
    for (int f = 0; f < kFieldsPerRecord; ++f) {
      const std::string field = "iField" + Number(f, 3);
      text += "\t\t\t<" + field + ">" + std::to_string((r * 31 + f) % 97) + "</" + field + ">\r\n";
    }
    text += "\t\t</UnitInfo>\r\n";
  }
  text += "\t</UnitInfos>\r\n</Civ4UnitInfos>\r\n";
  return text;
}

std::string Patch(int records, int entries) {
  std::string text;
  for (int e = 0; e < entries; ++e) {
    const int record = static_cast<int>((static_cast<long>(e) * 7919) % records);
    const int field = (e / records * 29 + record) % kFieldsPerRecord;
    const std::string name = Number(field, 3);
    text += "<Class>UNITCLASS_GEN_" + Number(record, 4) + "</Class>\r\n";
    text += "<iField" + name + ">\r\n{\r\n";
    text += "\t\t\t<iField" + name + ">" + std::to_string((record * 31 + field) % 97) + "</iField" +
            name + ">\r\n";
    text += "\t\t\t<iExtraA" + name + ">1</iExtraA" + name + ">\r\n";
    text += "\t\t\t<iExtraB" + name + ">2</iExtraB" + name + ">\r\n";
    text += "\t\t\t<iExtraC" + name + ">3</iExtraC" + name + ">\r\n}\r\n\r\n";
  }
  return text;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

struct Fixture {
  fs::path folder;
  std::string unit_file;
  std::string patch;
};

// The files live in XMLENGINE_BENCH_DIR if set, else in /dev/shm when it exists (a memory file
// system, so that the disk's background writeback does not decide the figures), else in TMPDIR.
fs::path& Root() {
  static fs::path root = [] {
    const char* chosen = getenv("XMLENGINE_BENCH_DIR");
    const char* temp = getenv("TMPDIR");
    std::error_code ec;
    std::string base = chosen && *chosen                  ? chosen
                       : fs::is_directory("/dev/shm", ec) ? "/dev/shm"
                       : temp && *temp                    ? temp
                                                          : "/tmp";
    std::string pattern = base + "/xmlengine-bench-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    return fs::path(pattern);
  }();
  return root;
}

const Fixture& FixtureFor(int records) {
  static std::map<int, Fixture> fixtures;
  auto it = fixtures.find(records);
  if (it != fixtures.end()) return it->second;
  Fixture fixture;
  fixture.folder = Root() / ("r" + std::to_string(records));
  fs::create_directories(fixture.folder / "base");
  fixture.unit_file = UnitFile(records);
  fixture.patch = Patch(records, records * 10);
  WriteFile(fixture.folder / "CIV4UnitInfos.xml", fixture.unit_file);
  WriteFile(fixture.folder / "base" / "CIV4UnitInfos.xml", fixture.unit_file);
  WriteFile(fixture.folder / "Bench.ini", fixture.patch);
  return fixtures.emplace(records, std::move(fixture)).first->second;
}

void LoadSave(benchmark::State& state) {
  const Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
  Engine engine;
  Document document;
  for (auto _ : state) {
    xmlengine::LoadDocument(fixture.folder / "CIV4UnitInfos.xml", document);
    benchmark::DoNotOptimize(document.size());
    engine.SaveDocument(fixture.folder, "CIV4UnitInfos.xml", document, false);
  }
}

void ApplyPatch(benchmark::State& state) {
  const Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
  Engine engine;
  Document document;
  KeyIndex index;
  const xmlengine::PatchFileArgs args{
      .mod_root = fixture.folder,
      .sub_folder = "",
      .patch_name = "Bench",
      .xml_name = "CIV4UnitInfos",
      .patch_folder = {fixture.folder, ""},
      .base_folder = {fixture.folder, "base"},
      .key_kind = KeyKind::kClass,
  };
  size_t lines = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WriteFile(fixture.folder / "CIV4UnitInfos.xml", fixture.unit_file);
    state.ResumeTiming();
    if (!engine.ApplyPatchFile(args, document, index)) state.SkipWithError("the patch failed");
  }
  lines =
      xmlengine::Document(xmlengine::ReadWholeFile(fixture.folder / "CIV4UnitInfos.xml")).size();
  state.counters["lines_after"] = static_cast<double>(lines);
}

// The in-memory runs join the lines into one reused text, as a save would write them.
void InMemoryCutAndJoin(benchmark::State& state) {
  const Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
  std::string text;
  for (auto _ : state) {
    Document document(fixture.unit_file);
    text.clear();
    document.AppendText(text);
    benchmark::DoNotOptimize(text.data());
  }
}

void InMemoryApplyPatch(benchmark::State& state) {
  const Fixture& fixture = FixtureFor(static_cast<int>(state.range(0)));
  Engine engine;
  KeyIndex index;
  std::string text;
  for (auto _ : state) {
    Document document(fixture.unit_file);
    engine.SetWorking(document, index);
    engine.BuildKeyIndex(KeyKind::kClass);
    engine.RunPatch(fixture.patch);
    engine.RemoveBlankLines(document);
    text.clear();
    document.AppendText(text);
    benchmark::DoNotOptimize(text.data());
  }
}

// Repeated runs of each; the ratios are taken from the medians and from the minima (the time a
// run takes when nothing else on the machine disturbs it).
double Minimum(const std::vector<double>& values) {
  return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}
#define XMLENGINE_BENCHMARK(name)     \
  BENCHMARK(name)                     \
      ->Arg(200)                      \
      ->Arg(400)                      \
      ->Arg(1600)                     \
      ->Unit(benchmark::kMillisecond) \
      ->UseRealTime()                 \
      ->Repetitions(7)                \
      ->ComputeStatistics("min", Minimum)
XMLENGINE_BENCHMARK(LoadSave);
XMLENGINE_BENCHMARK(ApplyPatch);
XMLENGINE_BENCHMARK(InMemoryCutAndJoin);
XMLENGINE_BENCHMARK(InMemoryApplyPatch);

// Keeps the real time per iteration of every run so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      std::string name = run.run_name.str();
      const size_t repeats = name.find("/repeats:");
      if (repeats != std::string::npos) name.erase(repeats, name.find('/', repeats + 1) - repeats);
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        median[name] = run.GetAdjustedRealTime();
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min") {
        minimum[name] = run.GetAdjustedRealTime();
      } else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1) {
        median[name] = minimum[name] = run.GetAdjustedRealTime();
      }
    }
  }
  std::map<std::string, double> median;
  std::map<std::string, double> minimum;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // The time of a run: its median or its minimum.
  const auto time = [&](const std::map<std::string, double>& times, const std::string& name) {
    const auto it = times.find(name + "/real_time");
    return it == times.end() ? 0.0 : it->second;
  };
  const auto report = [](const char* what, double median, double minimum, double goal) {
    if (median <= 0 || minimum <= 0) return;
    std::printf("%-44s median %5.2f   min %5.2f   goal <= %.1f: %s\n", what, median, minimum, goal,
                median <= goal && minimum <= goal ? "met" : "NOT MET");
  };
  // a / b, from the medians and from the minima.
  const auto ratio = [&](const char* what, const std::string& a, const std::string& b,
                         double goal) {
    const double ma = time(reporter.median, a), mb = time(reporter.median, b);
    const double na = time(reporter.minimum, a), nb = time(reporter.minimum, b);
    if (mb > 0 && nb > 0) report(what, ma / mb, na / nb, goal);
  };
  // How much faster the work grows than the baseline from 200 records to `times` as many: the
  // ratio of the two growth factors, from the medians and from the minima.
  const auto growth = [&](const char* what, const std::string& work, const std::string& baseline,
                          int times) {
    const std::string small = "/200", large = "/" + std::to_string(200 * times);
    const auto factor = [&](const std::map<std::string, double>& t, const std::string& name) {
      const double before = time(t, name + small);
      return before > 0 ? time(t, name + large) / before : 0.0;
    };
    const auto relative = [&](const std::map<std::string, double>& t) {
      const double base = factor(t, baseline);
      return base > 0 ? factor(t, work) / base : 0.0;
    };
    std::printf("%s, x%d: the work grows %.2f times, the baseline %.2f times\n", what, times,
                factor(reporter.median, work), factor(reporter.median, baseline));
    report("  growth of the work / growth of the baseline", relative(reporter.median),
           relative(reporter.minimum), 1.1);
  };
  std::printf("\nFiles in %s.\n", Root().parent_path().c_str());
  ratio("patch / load+save, 200 records", "ApplyPatch/200", "LoadSave/200", 8.0);
  growth("patch against load+save", "ApplyPatch", "LoadSave", 2);
  growth("patch against load+save", "ApplyPatch", "LoadSave", 8);
  ratio("in memory: patch / cut+join, 200", "InMemoryApplyPatch/200", "InMemoryCutAndJoin/200",
        8.0);
  growth("in memory: patch against cut+join", "InMemoryApplyPatch", "InMemoryCutAndJoin", 2);
  growth("in memory: patch against cut+join", "InMemoryApplyPatch", "InMemoryCutAndJoin", 8);
  std::error_code ec;
  fs::remove_all(Root(), ec);
  benchmark::Shutdown();
  return 0;
}
