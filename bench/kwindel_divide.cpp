// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Divides a pupil list from the command line exactly as the window does, for
// benchmarks and for checking the core from outside.

#include <charconv>
#include <cstdint>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "Division.h"
#include "Exception.h"
#include "Paths.h"
#include "PupilList.h"

namespace {

template <class Number>
bool ParseNumber(std::string_view text, Number& value) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int Usage() {
  std::cerr << "usage: kwindel_divide LIST GROUPS SEED REPORT"
               "  (GROUPS 1..2147483647, SEED 0..4294967295)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = kwindel::ProgramArguments(argc, argv);
  if (arguments.size() != 5) return Usage();
  std::int32_t groups = 0;
  std::uint32_t seed = 0;
  if (!ParseNumber(arguments[2], groups) || groups < 1 || !ParseNumber(arguments[3], seed)) {
    return Usage();
  }

  try {
    kwindel::StringList pupils;
    kwindel::StringList report;
    std::int32_t nextGroupNo = 1;
    kwindel::RandomSource random;
    const std::string& list = arguments[1];
    kwindel::LoadPupilList(pupils, list);
    random.Seed(seed);
    kwindel::Division{pupils, report, nextGroupNo, random, {}}.Run(list, groups);
    report.SaveToFile(arguments[4]);
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
