// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "KitExport.h"

/// \file
/// kwindel::Exception, what the kit raises on misuse.

/// The kit's failure type, its sound and tick-count layer and its helpers.
namespace kwindel {

/// What the kit raises on misuse, with a fixed English message as what(),
/// such as "Can only use bitmap graphics". Derived from std::runtime_error.
class KWINDEL_KIT_EXPORT Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Returns pattern with its first "%s" replaced by argument (pattern itself
/// when it has none), as the messages that name a file are made.
inline std::string FormatMessage(std::string_view pattern, std::string_view argument) {
  std::string text(pattern);
  if (auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, argument);
  return text;
}

}  // namespace kwindel
