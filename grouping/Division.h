// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "RandomSource.h"
#include "StringList.h"

namespace kwindel {

// n pupils in g groups: r groups of q + 1, then d = g - r groups of q.
struct GroupSizes {
  std::int32_t q = 0;
  std::int32_t r = 0;
  std::int32_t d = 0;
};

GroupSizes PlanGroups(std::int32_t pupils, std::int32_t groups);

// The pupils still unplaced, by list position: one bit per pupil, and above
// the bits a tree of 16-way nodes, each holding for every child how many
// unplaced pupils lie in it and in the children before it. Finding and
// removing the k-th unplaced pupil walks one node per level, a handful of
// levels that stay in cache, so a division costs n log n where deleting each
// drawn pupil from the list would cost n².
class UnplacedPupils {
 public:
  // All of count pupils unplaced; count < 2^31, as a list's count is.
  explicit UnplacedPupils(std::size_t count);

  std::size_t Count() const { return count_; }
  bool Has(std::size_t position) const { return (bits_[position / 64] >> (position % 64)) & 1; }

  // Removes the k-th unplaced pupil (0-based, k < Count()) and returns its list position.
  std::size_t Take(std::size_t k);

 private:
  static constexpr std::size_t kFan = 16;

  std::vector<std::uint64_t> bits_;
  // Every level's nodes, the top level first; kFan counts per node.
  std::vector<std::uint32_t> nodes_;
  std::vector<std::size_t> levelStart_;  // where each level's nodes begin, in counts
  std::size_t count_;
};

// A message pump for a division's afterMember that does not dominate the
// division: it pumps after the first member, and after that only once the
// interval has passed since the end of its last pump. The clock is read every
// kCheckEvery members, so the pacing itself costs next to nothing per member.
class PacedPump {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  static constexpr std::chrono::milliseconds kInterval{10};
  static constexpr unsigned kCheckEvery = 16;

  explicit PacedPump(std::function<void()> pump, Clock clock = std::chrono::steady_clock::now,
                     std::chrono::steady_clock::duration interval = kInterval);

  void operator()();

 private:
  std::function<void()> pump_;
  Clock clock_;
  std::chrono::steady_clock::duration interval_;
  std::chrono::steady_clock::time_point last_{};
  unsigned sinceCheck_ = 0;
  bool pumped_ = false;
};

// What a division works on: the window's fields, or a command line's.
struct Division {
  StringList& pupils;
  StringList& report;
  std::int32_t& nextGroupNo;
  RandomSource& random;
  std::function<void()> afterMember;  // runs after every member placed

  // Clears the report and writes its header and size lines for the pupils in
  // the list, whose name is given as the program keeps names (see
  // Encoding.h); returns the plan the groups must follow. The report is 8-bit
  // text in the ANSI code page where the list is and its name fits the page,
  // and UTF-8 otherwise (only on Windows and in a page are the two apart), so
  // that a viewer shows every character of the name and the pupils; marked
  // as UTF-8 where pupils were converted, and on Windows always.
  GroupSizes StartReport(std::string_view listFileName, std::int32_t groups);

  // Appends `groups` blocks of `size` members, each member one draw from the
  // pupils still unplaced; the drawn pupils leave the list.
  void MakeGroups(std::int32_t groups, std::int32_t size);

  // The whole division into the report. Every pupil is placed, but the list
  // is left as it was, so a division whose report cannot be saved can be done
  // again; the caller empties it once the report is safe.
  void RunKeepingPupils(std::string_view listFileName, std::int32_t groups);

  // The whole division into the report, leaving the pupil list empty.
  void Run(std::string_view listFileName, std::int32_t groups);

 private:
  // Appends the blocks, drawing each member from the pupils still in unplaced
  // and taking it out there; the list itself does not change.
  void PlaceGroups(std::int32_t groups, std::int32_t size, UnplacedPupils& unplaced);
};

}  // namespace kwindel
