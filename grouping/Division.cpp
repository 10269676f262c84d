#include "Division.h"

#include <bit>
#include <string>
#include <vector>

#include "Exception.h"

namespace kwindel {

namespace {

// The pupils still unplaced, in list order. A Fenwick tree over the list's
// positions finds the k-th of them in O(log n), so a division costs n log n
// where deleting each drawn pupil from the list would cost n².
class Unplaced {
 public:
  explicit Unplaced(std::size_t count)
      : tree_(count + 1), taken_(count, false), count_(count), top_(std::bit_floor(count)) {
    for (std::size_t i = 1; i <= count; ++i)
      tree_[i] = static_cast<std::uint32_t>(i & (~i + 1));
  }

  std::size_t Count() const { return count_; }
  bool Taken(std::size_t position) const { return taken_[position]; }

  // Removes the k-th unplaced pupil (0-based) and returns its list position.
  std::size_t Take(std::size_t k) {
    std::size_t position = 0;
    std::size_t rest = k + 1;
    for (std::size_t step = top_; step != 0; step >>= 1) {
      if (position + step < tree_.size() && tree_[position + step] < rest) {
        position += step;
        rest -= tree_[position];
      }
    }
    for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1))
      --tree_[i];
    taken_[position] = true;
    --count_;
    return position;
  }

 private:
  std::vector<std::uint32_t> tree_;
  std::vector<bool> taken_;
  std::size_t count_;
  std::size_t top_;
};

std::string SizeLine(std::int32_t count, std::int32_t size) {
  return std::to_string(count) + (count == 1 ? " groepje van " : " groepjes van elk ") +
         std::to_string(size);
}

}  // namespace

GroupSizes PlanGroups(std::int32_t pupils, std::int32_t groups) {
  if (groups < 1)
    return {};
  GroupSizes plan;
  plan.q = pupils / groups;
  plan.r = pupils % groups;
  plan.d = groups - plan.r;
  return plan;
}

GroupSizes StartReport(StringList& report, std::string_view listFileName, std::int32_t pupils,
                       std::int32_t groups) {
  report.Clear();
  report.Add(std::string("Gebruikte leerlingenlijst: ").append(listFileName));
  report.Add("Aantal leerlingen dat kwindeld moet worden: " + std::to_string(pupils));
  report.Add("Aantal groepjes: " + std::to_string(groups));
  report.Add("");
  GroupSizes plan = PlanGroups(pupils, groups);
  if (plan.r != 0)
    report.Add(SizeLine(plan.r, plan.q + 1));
  if (plan.d != 0 && plan.q != 0)
    report.Add(SizeLine(plan.d, plan.q));
  return plan;
}

void Division::MakeGroups(std::int32_t groups, std::int32_t size) {
  if (groups <= 0 || size <= 0)
    return;
  Unplaced unplaced(static_cast<std::size_t>(pupils.Count()));
  auto removePlaced = [&] {
    pupils.Filter([&](std::size_t i, std::string_view) { return !unplaced.Taken(i); });
  };
  try {
    std::string member;
    for (std::int32_t group = 0; group < groups; ++group) {
      report.Add("");
      report.Add("Groepje " + std::to_string(nextGroupNo));
      ++nextGroupNo;
      for (std::int32_t place = 0; place < size; ++place) {
        auto count = static_cast<std::int32_t>(unplaced.Count());
        std::int32_t k = random.RandomIndex(count);
        if (count == 0)
          throw Exception("List index out of bounds (0)");
        member.assign("\t").append(
            pupils[static_cast<int>(unplaced.Take(static_cast<std::size_t>(k)))]);
        report.Add(member);
        if (afterMember)
          afterMember();
      }
    }
  } catch (...) {
    removePlaced();
    throw;
  }
  removePlaced();
}

void Division::Run(std::string_view listFileName, std::int32_t groups) {
  GroupSizes plan = StartReport(report, listFileName, pupils.Count(), groups);
  if (plan.r != 0)
    MakeGroups(plan.r, plan.q + 1);
  if (plan.d != 0)
    MakeGroups(plan.d, plan.q);
}

}  // namespace kwindel
