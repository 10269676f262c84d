#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

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

// What a division works on: the window's fields, or a command line's.
struct Division {
  StringList& pupils;
  StringList& report;
  std::int32_t& nextGroupNo;
  RandomSource& random;
  std::function<void()> afterMember;  // runs after every member placed

  // Clears the report and writes its header and size lines for the pupils in
  // the list; returns the plan the groups must follow.
  GroupSizes StartReport(std::string_view listFileName, std::int32_t groups);

  // Appends `groups` blocks of `size` members, each member one draw from the
  // pupils still unplaced; the drawn pupils leave the list.
  void MakeGroups(std::int32_t groups, std::int32_t size);

  // The whole division into the report, leaving the pupil list empty.
  void Run(std::string_view listFileName, std::int32_t groups);
};

}  // namespace kwindel
