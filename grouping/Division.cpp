// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Division.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Encoding.h"
#include "Exception.h"

namespace kwindel {

namespace {

// For each byte value and rank r, the position of the byte's r-th set bit.
constexpr auto kSelectInByte = [] {
  std::array<std::array<std::uint8_t, 8>, 256> table{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    unsigned rank = 0;
    for (unsigned bit = 0; bit < 8; ++bit) {
      if (byte & (1u << bit)) table[byte][rank++] = static_cast<std::uint8_t>(bit);
    }
  }
  return table;
}();

// The position of the word's rank-th set bit (0-based), without branches and without
// instructions beyond the x86-64 baseline: bit counts of all eight bytes at once, their running
// sums, the byte where the sum passes the rank, then a table for the bit within that byte.
unsigned SelectBit(std::uint64_t word, unsigned rank) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighs = 0x8080808080808080;
  std::uint64_t counts = word - ((word >> 1) & 0x5555555555555555);
  counts = (counts & 0x3333333333333333) + ((counts >> 2) & 0x3333333333333333);
  counts = (counts + (counts >> 4)) & 0x0F0F0F0F0F0F0F0F;
  const std::uint64_t sums = counts * kOnes;  // byte i: the set bits of bytes 0..i
  // High bit of byte i set where sums_i <= rank; no byte exceeds 64, so nothing borrows.
  const std::uint64_t passed = ((rank * kOnes) | kHighs) - sums;
  const auto byte = static_cast<unsigned>((((passed & kHighs) >> 7) * kOnes) >> 56);
  const auto before = static_cast<unsigned>(((sums << 8) >> (8 * byte)) & 0xFF);
  return 8 * byte + kSelectInByte[(word >> (8 * byte)) & 0xFF][rank - before];
}

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

UnplacedPupils::UnplacedPupils(std::size_t count) : count_(count) {
  const std::size_t words = std::max<std::size_t>((count + 63) / 64, 1);
  bits_.assign(words, 0);
  std::fill_n(bits_.begin(), count / 64, ~std::uint64_t{0});
  if (count % 64 != 0) bits_[count / 64] = (std::uint64_t{1} << (count % 64)) - 1;

  // Levels from the bottom up: the bottom nodes count words, each level above counts nodes.
  std::vector<std::vector<std::uint32_t>> levels;
  std::vector<std::uint32_t> below(words);
  for (std::size_t w = 0; w < words; ++w)
    below[w] = static_cast<std::uint32_t>(std::popcount(bits_[w]));
  do {
    const std::size_t nodes = (below.size() + kFan - 1) / kFan;
    std::vector<std::uint32_t> level(nodes * kFan);
    std::vector<std::uint32_t> totals(nodes);
    for (std::size_t node = 0; node < nodes; ++node) {
      std::uint32_t sum = 0;
      for (std::size_t child = 0; child < kFan; ++child) {
        const std::size_t at = node * kFan + child;
        if (at < below.size()) sum += below[at];
        level[at] = sum;  // children past the end add nothing
      }
      totals[node] = sum;
    }
    levels.push_back(std::move(level));
    below = std::move(totals);
  } while (below.size() > 1);

  for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
    levelStart_.push_back(nodes_.size());
    nodes_.insert(nodes_.end(), level->begin(), level->end());
  }
}

std::size_t UnplacedPupils::Take(std::size_t k) {
  std::size_t node = 0;
  for (const std::size_t start : levelStart_) {
    std::uint32_t* counts = nodes_.data() + start + node * kFan;
    // The child holding the k-th pupil is the first whose running count exceeds k; it and every
    // child after it lose the pupil.
#if defined(__SSE2__)
    // Counts stay below 2^31, so the signed comparison is exact.
    const __m128i key = _mm_set1_epi32(static_cast<std::int32_t>(k));
    auto* vectors = reinterpret_cast<__m128i*>(counts);
    unsigned over = 0;
    for (unsigned v = 0; v < kFan / 4; ++v) {
      const __m128i part = _mm_loadu_si128(vectors + v);
      const __m128i greater = _mm_cmpgt_epi32(part, key);
      _mm_storeu_si128(vectors + v, _mm_add_epi32(part, greater));  // greater is -1 or 0
      over |= static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(greater))) << (4 * v);
    }
    const auto child = static_cast<std::size_t>(__builtin_ctz(over));
#else
    std::size_t child = kFan;
    for (std::size_t c = kFan; c-- > 0;) {
      if (counts[c] > k) {
        child = c;
        --counts[c];
      }
    }
#endif
    // The count before the child, read without a branch: counts[15] stands in for child 0.
    const std::uint32_t before = counts[(child + kFan - 1) % kFan];
    k -= child != 0 ? before : 0;
    node = node * kFan + child;
  }
  const unsigned bit = SelectBit(bits_[node], static_cast<unsigned>(k));
  bits_[node] &= ~(std::uint64_t{1} << bit);
  --count_;
  return node * 64 + bit;
}

PacedPump::PacedPump(std::function<void()> pump, Clock clock,
                     std::chrono::steady_clock::duration interval)
    : pump_(std::move(pump)), clock_(std::move(clock)), interval_(interval) {}

void PacedPump::operator()() {
  if (pumped_) {
    if (++sinceCheck_ < kCheckEvery) return;
    sinceCheck_ = 0;
    if (clock_() - last_ < interval_) return;
  }
  pumped_ = true;
  pump_();
  // Timed from the pump's end: however slow the pump, the division gets the interval in between.
  last_ = clock_();
}

GroupSizes Division::StartReport(std::string_view listFileName, std::int32_t groups) {
  const std::int32_t count = pupils.Count();
  const GroupSizes plan = PlanGroups(count, groups);
  report.Clear();
  const bool unicode = pupils.Utf8() || !FitsAnsi(listFileName);
  report.SetUtf8(unicode && (kMarkUtf8Reports || !pupils.Utf8()));
  const std::string listName = unicode ? std::string(listFileName) : AnsiFromName(listFileName);
  // The report's size is known; room for it all at once spares a large
  // division from copying the report while it grows.
  const std::size_t blocks = static_cast<std::size_t>(plan.r) + (plan.q != 0 ? plan.d : 0);
  report.Reserve(
      6 + 2 * blocks + static_cast<std::size_t>(count),
      256 + listName.size() + 20 * blocks + pupils.TextBytes() + static_cast<std::size_t>(count));

  report.Add("Gebruikte leerlingenlijst: " + listName);
  report.Add("Aantal leerlingen dat kwindeld moet worden: " + std::to_string(count));
  report.Add("Aantal groepjes: " + std::to_string(groups));
  report.Add("");
  if (plan.r != 0) report.Add(SizeLine(plan.r, plan.q + 1));
  if (plan.d != 0 && plan.q != 0) report.Add(SizeLine(plan.d, plan.q));
  return plan;
}

void Division::MakeGroups(std::int32_t groups, std::int32_t size) {
  if (groups <= 0 || size <= 0) return;
  UnplacedPupils unplaced(static_cast<std::size_t>(pupils.Count()));
  PlaceGroups(groups, size, unplaced);
  // The drawn pupils leave the list, in one pass; an emptied list gives its memory back.
  if (unplaced.Count() == 0) {
    pupils.Clear();
  } else {
    pupils.Filter([&](std::size_t i, std::string_view) { return unplaced.Has(i); });
  }
}

void Division::RunKeepingPupils(std::string_view listFileName, std::int32_t groups) {
  const GroupSizes plan = StartReport(listFileName, groups);
  // One set of unplaced pupils for both kinds of group: the k-th unplaced pupil is the k-th
  // pupil left in the list had each drawn one been deleted, so the draws are the same.
  UnplacedPupils unplaced(static_cast<std::size_t>(pupils.Count()));
  PlaceGroups(plan.r, plan.q + 1, unplaced);
  PlaceGroups(plan.d, plan.q, unplaced);
}

void Division::Run(std::string_view listFileName, std::int32_t groups) {
  RunKeepingPupils(listFileName, groups);
  pupils.Clear();  // every pupil was placed
}

void Division::PlaceGroups(std::int32_t groups, std::int32_t size, UnplacedPupils& unplaced) {
  if (groups <= 0 || size <= 0) return;
  const std::size_t members = std::size_t(groups) * std::size_t(size);
  if (members > unplaced.Count()) throw Exception("List index out of bounds (0)");

  // All draws first, in group and member order, one per member: the drawing keeps its tree in
  // cache, and the lines are then copied with the next ones already on their way from memory.
  // (Copying while drawing is slower: the copied lines push the tree out of the cache.)
  std::vector<std::uint32_t> drawn(members);
  for (std::uint32_t& position : drawn) {
    auto k = random.RandomIndex(static_cast<std::int32_t>(unplaced.Count()));
    position = static_cast<std::uint32_t>(unplaced.Take(static_cast<std::size_t>(k)));
  }

  // Pupils in the ANSI code page go into a UTF-8 report converted.
  const bool convert = report.Utf8() && !pupils.Utf8();
  constexpr std::size_t kAhead = 16;
  std::size_t member = 0;
  for (std::int32_t group = 0; group < groups; ++group) {
    report.Add("");
    report.Add("Groepje " + std::to_string(nextGroupNo));
    ++nextGroupNo;
    for (std::int32_t place = 0; place < size; ++place, ++member) {
      if (member + kAhead < members) pupils.PrefetchEntry(drawn[member + kAhead]);
      if (member + kAhead / 2 < members) pupils.PrefetchLine(drawn[member + kAhead / 2]);
      const std::string_view pupil = pupils.Unchecked(drawn[member]);
      if (convert) [[unlikely]] {
        report.AddJoined("\t", NameFromAnsi(pupil));
      } else {
        report.AddJoined("\t", pupil);
      }
      if (afterMember) afterMember();
    }
  }
}

}  // namespace kwindel
