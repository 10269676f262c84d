// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PupilList.h"

#include "Text.h"

namespace kwindel {

void CleanPupilList(StringList& lines) {
  lines.Filter([](std::size_t, std::string_view line) {
    return !Trim(line).empty() && line.front() != ';';
  });
}

void LoadPupilList(StringList& pupils, const std::string& path) {
  pupils.LoadFromFile(path);
  CleanPupilList(pupils);
}

}  // namespace kwindel
