// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "StringList.h"

namespace kwindel::test {

// A list's lines as strings, for comparing with expectations.
inline std::vector<std::string> LinesOf(const StringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.emplace_back(list[i]);
  return lines;
}

}  // namespace kwindel::test
