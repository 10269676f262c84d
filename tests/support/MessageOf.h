// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "Exception.h"

namespace kwindel::test {

// The message of the kwindel::Exception an action raises, or "(no exception)".
template <class Action>
std::string MessageOf(Action action) {
  try {
    action();
  } catch (const kwindel::Exception& error) {
    return error.what();
  }
  return "(no exception)";
}

}  // namespace kwindel::test
