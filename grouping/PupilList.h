// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "StringList.h"

namespace kwindel {

// Drops blank lines (nothing but bytes <= 0x20) and comment lines (first byte
// ";" as read), keeping every pupil line byte for byte, in file order.
void CleanPupilList(StringList& lines);

// Replaces pupils with the cleaned lines of the file; raises "Cannot open file %s"
// before pupils changes.
void LoadPupilList(StringList& pupils, const std::string& path);

}  // namespace kwindel
