// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// The division's core steps on generated lists of 10^4 to 10^6 pupils, so a
// regression in any one of them shows: splitting a list's bytes into lines,
// cleaning them, drawing every pupil (select-and-remove), building the report,
// and saving it. Google Benchmark fits the growth of the draws and the whole
// division against n log n.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "Division.h"
#include "PupilList.h"

namespace {

using kwindel::StringList;

// Lines like a class list: a name with a number, CR LF, and now and then a
// comment or a blank line for the cleaning to drop.
std::string ListText(std::int64_t pupils) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> letter('a', 'z');
  std::string text;
  text.reserve(static_cast<std::size_t>(pupils) * 32);
  for (std::int64_t i = 0; i < pupils; ++i) {
    if (i % 1000 == 0) text += "; groep\r\n\r\n";
    text += "Leerling " + std::to_string(i) + ' ';
    for (int c = 0; c < 13; ++c)
      text += static_cast<char>(letter(random));
    text += "\r\n";
  }
  return text;
}

void Split(benchmark::State& state) {
  const std::string text = ListText(state.range(0));
  for (auto _ : state) {
    StringList lines;
    lines.SetText(text);
    benchmark::DoNotOptimize(lines.Count());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void Clean(benchmark::State& state) {
  const std::string text = ListText(state.range(0));
  StringList lines;
  for (auto _ : state) {
    state.PauseTiming();
    lines.SetText(text);
    state.ResumeTiming();
    kwindel::CleanPupilList(lines);
    benchmark::DoNotOptimize(lines.Count());
  }
}

void SelectAndRemove(benchmark::State& state) {
  const auto pupils = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    kwindel::RandomSource random;
    random.Seed(12345);
    kwindel::UnplacedPupils unplaced(pupils);
    std::size_t sum = 0;
    while (unplaced.Count() != 0) {
      sum += unplaced.Take(static_cast<std::size_t>(
          random.RandomIndex(static_cast<std::int32_t>(unplaced.Count()))));
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole division into the report: header, draws and copied lines.
void ReportBuild(benchmark::State& state) {
  const std::string text = ListText(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    StringList pupils;
    StringList report;
    pupils.SetText(text);
    kwindel::CleanPupilList(pupils);
    std::int32_t nextGroupNo = 1;
    kwindel::RandomSource random;
    random.Seed(12345);
    state.ResumeTiming();
    kwindel::Division{pupils, report, nextGroupNo, random, {}}.Run("klas.lll", 30);
    benchmark::DoNotOptimize(report.Count());
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Writing the report, with its flush to the disk and the rename.
void Save(benchmark::State& state) {
  const std::string text = ListText(state.range(0));
  StringList pupils;
  StringList report;
  pupils.SetText(text);
  std::int32_t nextGroupNo = 1;
  kwindel::RandomSource random;
  kwindel::Division{pupils, report, nextGroupNo, random, {}}.Run("klas.lll", 30);
  std::string folder = (std::filesystem::temp_directory_path() / "kwindel-bench-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  for (auto _ : state)
    report.SaveToFile(folder + "/Kwindel.txt");
  std::filesystem::remove_all(folder);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(report.TextBytes()));
}

constexpr std::int64_t kFrom = 10'000;
constexpr std::int64_t kTo = 1'000'000;

}  // namespace

BENCHMARK(Split)->RangeMultiplier(10)->Range(kFrom, kTo)->Unit(benchmark::kMillisecond);
BENCHMARK(Clean)->RangeMultiplier(10)->Range(kFrom, kTo)->Unit(benchmark::kMillisecond);
BENCHMARK(SelectAndRemove)
    ->RangeMultiplier(10)
    ->Range(kFrom, kTo)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(ReportBuild)
    ->RangeMultiplier(10)
    ->Range(kFrom, kTo)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(Save)->RangeMultiplier(10)->Range(kFrom, kTo)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
