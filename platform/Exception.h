// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "KitExport.h"

namespace kwindel {

/// The program's one failure type: what() is the exact text the user sees.
class KWINDEL_KIT_EXPORT Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Fills the one "%s" of a message template, as the program's messages expect.
inline std::string FormatMessage(std::string_view pattern, std::string_view argument) {
  std::string text(pattern);
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, argument);
  return text;
}

}  // namespace kwindel
