#include "Division.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "Exception.h"

namespace kwindel {

namespace {

// The pupils still unplaced, in list order: one bit per pupil, in blocks of
// 512 bits (one cache line), and a Fenwick tree of the blocks' counts that finds
// the block holding the k-th of them. A division costs n log n, where deleting
// each drawn pupil from the list would cost n², and the tree is small enough to
// stay in the nearest cache.
class Unplaced {
 public:
  explicit Unplaced(std::size_t count) : count_(count) {
    // Padding to a power of two with empty blocks keeps the search free of bounds checks.
    const std::size_t blocks =
        std::bit_ceil(std::max<std::size_t>((count + kBlock - 1) / kBlock, 1));
    bits_.assign(blocks * kWords, 0);
    std::fill_n(bits_.begin(), count / 64, ~std::uint64_t{0});
    if (count % 64 != 0) bits_[count / 64] = (std::uint64_t{1} << (count % 64)) - 1;
    tree_.assign(blocks + 1, 0);
    for (std::size_t i = 1; i <= blocks; ++i) {
      for (std::size_t w = 0; w < kWords; ++w)
        tree_[i] += std::popcount(bits_[(i - 1) * kWords + w]);
      if (std::size_t parent = i + (i & (~i + 1)); parent <= blocks) tree_[parent] += tree_[i];
    }
  }

  std::size_t Count() const { return count_; }

  // Removes the k-th unplaced pupil (0-based) and returns its list position.
  // Built twice: bit counting is one instruction where the processor has it.
  [[gnu::target_clones("popcnt", "default")]] std::size_t Take(std::size_t k) {
    const std::size_t blocks = tree_.size() - 1;
    std::size_t block = 0;
    for (std::size_t step = blocks / 2 + (blocks == 1); step != 0; step >>= 1) {
      // Without branches: the path follows random draws, so a branch would mispredict half the
      // time.
      const std::uint32_t below = tree_[block + step];
      const bool right = below <= k;
      k -= right ? below : 0;
      block += right ? step : 0;
    }
    for (std::size_t i = block + 1; i <= blocks; i += i & (~i + 1))
      --tree_[i];
    std::size_t word = block * kWords;
    for (auto in = static_cast<std::size_t>(std::popcount(bits_[word])); k >= in;
         in = static_cast<std::size_t>(std::popcount(bits_[++word]))) {
      k -= in;
    }
    const unsigned bit = SelectBit(bits_[word], static_cast<unsigned>(k));
    bits_[word] &= ~(std::uint64_t{1} << bit);
    --count_;
    return word * 64 + bit;
  }

 private:
  static constexpr std::size_t kWords = 8;
  static constexpr std::size_t kBlock = kWords * 64;

  // The position of the word's rank-th set bit (0-based), by halving.
  static unsigned SelectBit(std::uint64_t word, unsigned rank) {
    unsigned position = 0;
    for (unsigned half = 32; half != 0; half /= 2) {
      const std::uint64_t low = word & ((std::uint64_t{1} << half) - 1);
      const auto below = static_cast<unsigned>(std::popcount(low));
      const bool high = rank >= below;
      rank -= high ? below : 0;
      word = high ? word >> half : low;
      position += high ? half : 0;
    }
    return position;
  }

  std::vector<std::uint64_t> bits_;
  std::vector<std::uint32_t> tree_;
  std::size_t count_;
};

std::string SizeLine(std::int32_t count, std::int32_t size) {
  return std::to_string(count) + (count == 1 ? " groepje van " : " groepjes van elk ") +
         std::to_string(size);
}

}  // namespace

GroupSizes PlanGroups(std::int32_t pupils, std::int32_t groups) {
  if (groups < 1) return {};
  GroupSizes plan;
  plan.q = pupils / groups;
  plan.r = pupils % groups;
  plan.d = groups - plan.r;
  return plan;
}

GroupSizes Division::StartReport(std::string_view listFileName, std::int32_t groups) {
  const std::int32_t count = pupils.Count();
  const GroupSizes plan = PlanGroups(count, groups);
  report.Clear();
  // The report's size is known; room for it all at once spares a large
  // division from copying the report while it grows.
  const std::size_t blocks = static_cast<std::size_t>(plan.r) + (plan.q != 0 ? plan.d : 0);
  report.Reserve(6 + 2 * blocks + static_cast<std::size_t>(count),
                 256 + listFileName.size() + 20 * blocks + pupils.TextBytes() +
                     static_cast<std::size_t>(count));

  report.Add(std::string("Gebruikte leerlingenlijst: ").append(listFileName));
  report.Add("Aantal leerlingen dat kwindeld moet worden: " + std::to_string(count));
  report.Add("Aantal groepjes: " + std::to_string(groups));
  report.Add("");
  if (plan.r != 0) report.Add(SizeLine(plan.r, plan.q + 1));
  if (plan.d != 0 && plan.q != 0) report.Add(SizeLine(plan.d, plan.q));
  return plan;
}

void Division::MakeGroups(std::int32_t groups, std::int32_t size) {
  if (groups <= 0 || size <= 0) return;
  const std::size_t members = std::size_t(groups) * std::size_t(size);
  if (members > std::size_t(pupils.Count())) throw Exception("List index out of bounds (0)");

  // All draws first, in group and member order, one per member: the lines are
  // then copied with the next ones already on their way from memory.
  std::vector<std::uint32_t> drawn(members);
  {
    Unplaced unplaced(static_cast<std::size_t>(pupils.Count()));
    for (std::uint32_t& position : drawn) {
      auto k = random.RandomIndex(static_cast<std::int32_t>(unplaced.Count()));
      position = static_cast<std::uint32_t>(unplaced.Take(static_cast<std::size_t>(k)));
    }
  }

  constexpr std::size_t kAhead = 16;
  std::size_t member = 0;
  for (std::int32_t group = 0; group < groups; ++group) {
    report.Add("");
    report.Add("Groepje " + std::to_string(nextGroupNo));
    ++nextGroupNo;
    for (std::int32_t place = 0; place < size; ++place, ++member) {
      if (member + kAhead < members) pupils.PrefetchEntry(drawn[member + kAhead]);
      if (member + kAhead / 2 < members) pupils.PrefetchLine(drawn[member + kAhead / 2]);
      report.AddJoined("\t", pupils[static_cast<int>(drawn[member])]);
      if (afterMember) afterMember();
    }
  }
  // The drawn pupils leave the list, in one pass.
  std::vector<bool> placed(static_cast<std::size_t>(pupils.Count()));
  for (std::uint32_t position : drawn)
    placed[position] = true;
  pupils.Filter([&](std::size_t i, std::string_view) { return !placed[i]; });
}

void Division::Run(std::string_view listFileName, std::int32_t groups) {
  GroupSizes plan = StartReport(listFileName, groups);
  if (plan.r != 0) MakeGroups(plan.r, plan.q + 1);
  if (plan.d != 0) MakeGroups(plan.d, plan.q);
}

}  // namespace kwindel
