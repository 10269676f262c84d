// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// A division of n pupils into g groups with any seed. Every pupil is placed
// exactly once, group sizes differ by at most one with the larger groups
// first, and each member is the one that deleting the draws from the list in
// turn would give.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "Division.h"
#include "RandomSource.h"
#include "StringList.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// The k-th of the pupils still in the list, found with a Fenwick tree: the
// same answer as deleting every drawn pupil from the list, without its n² cost.
class Remaining {
 public:
  explicit Remaining(std::size_t count) : tree_(count + 1, 0) {
    for (std::size_t i = 1; i <= count; ++i) {
      tree_[i] += 1;
      if (std::size_t parent = i + (i & (~i + 1)); parent <= count) tree_[parent] += tree_[i];
    }
  }

  std::size_t Take(std::size_t k) {
    std::size_t at = 0;
    std::size_t step = 1;
    while (step * 2 < tree_.size())
      step *= 2;
    for (; step != 0; step /= 2) {
      if (at + step < tree_.size() && tree_[at + step] <= k) {
        at += step;
        k -= tree_[at];
      }
    }
    for (std::size_t i = at + 1; i < tree_.size(); i += i & (~i + 1))
      --tree_[i];
    return at;
  }

 private:
  std::vector<std::size_t> tree_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // Mostly small classes; now and then one large enough for every level of the
  // division's own tree (more than 16 × 16 × 64 pupils).
  const int limit = input.PickValueInArray({10, 10, 100, 100, 2000, 2000, 20000});
  const int n = input.ConsumeIntegralInRange(0, limit);
  const std::int32_t g = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::int32_t>(1, n + 2)
                                             : input.ConsumeIntegralInRange<std::int32_t>(
                                                   1, std::numeric_limits<std::int32_t>::max());
  const auto seed = input.ConsumeIntegral<std::uint32_t>();
  const std::int32_t firstGroupNo = input.ConsumeIntegralInRange<std::int32_t>(1, 1000);

  kwindel::StringList pupils;
  for (int i = 0; i < n; ++i)
    pupils.Add("p" + std::to_string(i));
  kwindel::StringList report;
  std::int32_t nextGroupNo = firstGroupNo;
  kwindel::RandomSource random;
  random.Seed(seed);
  long pumped = 0;
  kwindel::Division{pupils, report, nextGroupNo, random, [&] { ++pumped; }}.Run("lijst.lll", g);

  // What the division must give, worked out plainly.
  const std::int32_t q = n / g;
  const std::int32_t r = n % g;
  const std::int32_t d = g - r;
  std::vector<std::string> expected = {
      "Gebruikte leerlingenlijst: lijst.lll",
      "Aantal leerlingen dat kwindeld moet worden: " + std::to_string(n),
      "Aantal groepjes: " + std::to_string(g), ""};
  auto sizeLine = [](std::int32_t count, std::int32_t members) {
    return std::to_string(count) + (count == 1 ? " groepje van " : " groepjes van elk ") +
           std::to_string(members);
  };
  if (r != 0) expected.push_back(sizeLine(r, q + 1));
  if (d != 0 && q != 0) expected.push_back(sizeLine(d, q));
  kwindel::RandomSource replay;
  replay.Seed(seed);
  Remaining remaining(static_cast<std::size_t>(n));
  std::vector<int> placed(static_cast<std::size_t>(n), 0);
  std::int32_t groupNo = firstGroupNo;
  std::int32_t left = n;
  std::int32_t largest = 0;
  for (std::int32_t group = 0; group < (q == 0 ? r : g); ++group) {
    const std::int32_t members = group < r ? q + 1 : q;
    Check(members >= 1 && (largest == 0 || members == largest || members == largest - 1));
    if (largest == 0) largest = members;
    expected.push_back("");
    expected.push_back("Groepje " + std::to_string(groupNo++));
    for (std::int32_t member = 0; member < members; ++member) {
      const auto k = static_cast<std::size_t>(replay.RandomIndex(left--));
      const std::size_t pupil = remaining.Take(k);
      ++placed[pupil];
      expected.push_back("\tp" + std::to_string(pupil));
    }
  }
  for (int count : placed)
    Check(count == 1);

  Check(report.Count() == static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i)
    Check(report[static_cast<int>(i)] == expected[i]);
  Check(pupils.Count() == 0);
  Check(nextGroupNo == groupNo);
  Check(pumped == n);
  Check(random.State() == replay.State());
  return 0;
}
