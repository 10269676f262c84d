// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <string>
#include <vector>

#include "Division.h"
#include "LinesOf.h"
#include "TempDir.h"

namespace kwindel {
namespace {

using ::testing::ElementsAreArray;

StringList ListOf(const std::vector<std::string>& lines) {
  StringList list;
  for (const std::string& line : lines)
    list.Add(line);
  return list;
}

StringList NumberedPupils(int count) {
  StringList list;
  for (int i = 0; i < count; ++i)
    list.Add("leerling " + std::to_string(i));
  return list;
}

// The whole division on fresh state, seeded as given.
StringList Divide(StringList pupils, std::int32_t groups, std::uint32_t seed,
                  std::string_view listFileName = "klas.lll") {
  StringList report;
  std::int32_t nextGroupNo = 1;
  RandomSource random;
  random.Seed(seed);
  Division{pupils, report, nextGroupNo, random, {}}.Run(listFileName, groups);
  EXPECT_EQ(pupils.Count(), 0);
  return report;
}

TEST(Division, WorkedExampleReportBytes) {
  test::TempDir dir;
  StringList report =
      Divide(ListOf({"A", "B", "C", "D", "E", "F", "G"}), 3, 1, "C:\\lijsten\\groep7.lll");
  report.SaveToFile(dir / "Kwindel.txt");
  EXPECT_EQ(test::ReadFile(dir / "Kwindel.txt"),
            "Gebruikte leerlingenlijst: C:\\lijsten\\groep7.lll\r\n"
            "Aantal leerlingen dat kwindeld moet worden: 7\r\n"
            "Aantal groepjes: 3\r\n"
            "\r\n"
            "1 groepje van 3\r\n"
            "2 groepjes van elk 2\r\n"
            "\r\n"
            "Groepje 1\r\n"
            "\tE\r\n"
            "\tA\r\n"
            "\tC\r\n"
            "\r\n"
            "Groepje 2\r\n"
            "\tB\r\n"
            "\tD\r\n"
            "\r\n"
            "Groepje 3\r\n"
            "\tG\r\n"
            "\tF\r\n");
}

struct SizeCase {
  int pupils;
  int groups;
  std::vector<std::string> sizeLines;
  std::vector<int> groupSizes;
};

// Reads the size lines and the member count of each group back from a report.
void ReadBack(const StringList& report, std::vector<std::string>& sizeLines,
              std::vector<int>& sizes) {
  int i = 4;
  for (; i < report.Count() && !report[i].empty(); ++i)
    sizeLines.emplace_back(report[i]);
  for (; i < report.Count(); ++i) {
    if (report[i].starts_with("Groepje ")) sizes.push_back(0);
    if (report[i].starts_with("\t")) ++sizes.back();
  }
}

TEST(Division, LargerGroupsComeFirst) {
  const SizeCase cases[] = {
      {12, 3, {"3 groepjes van elk 4"}, {4, 4, 4}},
      {5, 2, {"1 groepje van 3", "1 groepje van 2"}, {3, 2}},
      {7, 3, {"1 groepje van 3", "2 groepjes van elk 2"}, {3, 2, 2}},
      {10, 4, {"2 groepjes van elk 3", "2 groepjes van elk 2"}, {3, 3, 2, 2}},
      {9, 5, {"4 groepjes van elk 2", "1 groepje van 1"}, {2, 2, 2, 2, 1}},
      {2, 5, {"2 groepjes van elk 1"}, {1, 1}},  // fewer pupils than groups
      {0, 3, {}, {}},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.pupils) + " pupils in " + std::to_string(c.groups) + " groups");
    StringList report = Divide(NumberedPupils(c.pupils), c.groups, 7);
    EXPECT_EQ(report[1], "Aantal leerlingen dat kwindeld moet worden: " + std::to_string(c.pupils));
    EXPECT_EQ(report[2], "Aantal groepjes: " + std::to_string(c.groups));
    std::vector<std::string> sizeLines;
    std::vector<int> sizes;
    ReadBack(report, sizeLines, sizes);
    EXPECT_THAT(sizeLines, ElementsAreArray(c.sizeLines));
    EXPECT_THAT(sizes, ElementsAreArray(c.groupSizes));
  }
}

TEST(Division, ZeroPupilsGiveOnlyTheHeader) {
  EXPECT_THAT(test::LinesOf(Divide(StringList(), 2, 1, "x.lll")),
              ElementsAreArray({"Gebruikte leerlingenlijst: x.lll",
                                "Aantal leerlingen dat kwindeld moet worden: 0",
                                "Aantal groepjes: 2", ""}));
}

// The division as first described: draw an index into the remaining pupils and
// delete it from the list. The fast division must match it draw for draw.
std::vector<std::string> ReferenceMembers(std::vector<std::string> pupils, int groups,
                                          std::uint32_t seed) {
  RandomSource random;
  random.Seed(seed);
  GroupSizes plan = PlanGroups(static_cast<int>(pupils.size()), groups);
  std::vector<std::string> members;
  auto place = [&](int count, int size) {
    for (int i = 0; i < count * size; ++i) {
      auto k = random.RandomIndex(static_cast<int>(pupils.size()));
      members.push_back("\t" + pupils[k]);
      pupils.erase(pupils.begin() + k);
    }
  };
  place(plan.r, plan.q + 1);
  place(plan.d, plan.q);
  return members;
}

TEST(Division, DrawsExactlyLikeDeletingFromTheList) {
  struct Case {
    int pupils, groups;
    std::uint32_t seed;
  };
  for (Case c : {Case{1, 2, 0}, Case{31, 4, 1}, Case{1000, 7, 123456789},
                 Case{4097, 2, 4294967295u}, Case{3000, 2999, 42}}) {
    SCOPED_TRACE(std::to_string(c.pupils) + "/" + std::to_string(c.groups));
    std::vector<std::string> names;
    for (int i = 0; i < c.pupils; ++i)
      names.push_back((i % 3 ? " naam " : "\tNaam\t") + std::to_string(i % 500));
    StringList pupils;
    for (const auto& name : names)
      pupils.Add(name);
    std::vector<std::string> members;
    for (const std::string& line : test::LinesOf(Divide(std::move(pupils), c.groups, c.seed))) {
      if (line.starts_with("\t")) members.push_back(line);
    }
    EXPECT_EQ(members, ReferenceMembers(names, c.groups, c.seed));
  }
}

TEST(Division, GroupNumbersContinueAndThePumpRunsPerMember) {
  StringList pupils = NumberedPupils(5);
  StringList report;
  std::int32_t nextGroupNo = 4;
  RandomSource random;
  int pumps = 0;
  Division division{pupils, report, nextGroupNo, random, [&] { ++pumps; }};
  division.MakeGroups(1, 3);
  EXPECT_EQ(pupils.Count(), 2) << "drawn pupils leave the list";
  division.MakeGroups(2, 1);
  division.MakeGroups(0, 5);
  division.MakeGroups(3, 0);
  EXPECT_EQ(pumps, 5);
  EXPECT_EQ(nextGroupNo, 7);
  EXPECT_EQ(pupils.Count(), 0);
  EXPECT_EQ(report[1], "Groepje 4");
  EXPECT_EQ(report[report.Count() - 2], "Groepje 6");
}

// An order-statistics reference as plain as it gets: a Fenwick tree over single positions.
class ReferenceUnplaced {
 public:
  explicit ReferenceUnplaced(std::size_t count) : tree_(count + 1) {
    for (std::size_t i = 1; i <= count; ++i) {
      ++tree_[i];
      if (std::size_t parent = i + (i & (~i + 1)); parent <= count) tree_[parent] += tree_[i];
    }
  }
  std::size_t Take(std::size_t k) {
    const std::size_t count = tree_.size() - 1;
    std::size_t position = 0;
    for (std::size_t step = std::bit_floor(count); step != 0; step >>= 1) {
      if (position + step <= count && tree_[position + step] <= k) {
        position += step;
        k -= tree_[position];
      }
    }
    for (std::size_t i = position + 1; i <= count; i += i & (~i + 1))
      --tree_[i];
    return position;
  }

 private:
  std::vector<std::size_t> tree_;
};

TEST(UnplacedPupils, TakesTheKthUnplacedAtEverySize) {
  // Sizes around the edges of a word (64 pupils) and of each level of 16-way nodes above it.
  for (std::size_t count :
       {1, 2, 63, 64, 65, 1023, 1024, 1025, 16383, 16384, 16385, 262144, 262145}) {
    SCOPED_TRACE(count);
    UnplacedPupils unplaced(count);
    ReferenceUnplaced reference(count);
    RandomSource random;
    random.Seed(static_cast<std::uint32_t>(count));
    std::size_t mismatches = 0;
    for (std::size_t left = count; left != 0; --left) {
      ASSERT_EQ(unplaced.Count(), left);
      const auto k = static_cast<std::size_t>(random.RandomIndex(static_cast<std::int32_t>(left)));
      const std::size_t taken = unplaced.Take(k);
      if (taken != reference.Take(k) || unplaced.Has(taken)) ++mismatches;
    }
    EXPECT_EQ(mismatches, 0u);
    EXPECT_EQ(unplaced.Count(), 0u);
  }
}

TEST(UnplacedPupils, KnowsWhoIsLeft) {
  UnplacedPupils unplaced(130);
  for (std::size_t k : {129, 0, 64, 63})  // positions 129, 0, 65 and 64 in turn
    unplaced.Take(k);
  for (std::size_t position = 0; position < 130; ++position) {
    const bool taken = position == 0 || position == 64 || position == 65 || position == 129;
    EXPECT_EQ(unplaced.Has(position), !taken) << position;
  }
}

// The window's pump, paced on a clock the test moves: each member takes 0.1 ms.
TEST(PacedPump, PumpsAfterTheFirstMemberThenEveryInterval) {
  using namespace std::chrono;
  constexpr auto kMember = microseconds(100);
  for (const microseconds pumpTakes : {microseconds(0), microseconds(50'000)}) {
    SCOPED_TRACE("a pump takes " + std::to_string(pumpTakes.count()) + " us");
    steady_clock::time_point now{};
    std::vector<steady_clock::time_point> starts;
    std::vector<steady_clock::time_point> ends;
    PacedPump pump(
        [&] {
          starts.push_back(now);
          now += pumpTakes;
          ends.push_back(now);
        },
        [&] { return now; }, milliseconds(10));
    std::vector<int> pumpedAfter;
    for (int member = 1; member <= 5000; ++member) {
      now += kMember;
      const std::size_t before = starts.size();
      pump();
      if (starts.size() != before) pumpedAfter.push_back(member);
    }
    ASSERT_GE(pumpedAfter.size(), 2u);
    EXPECT_EQ(pumpedAfter.front(), 1);
    for (std::size_t i = 1; i < starts.size(); ++i) {
      const auto rest = starts[i] - ends[i - 1];  // the division's own time between two pumps
      EXPECT_GE(rest, milliseconds(10));
      EXPECT_LT(rest, milliseconds(10) + PacedPump::kCheckEvery * kMember);
    }
  }
}

}  // namespace
}  // namespace kwindel
