// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <functional>

namespace kwindel {

// Runs `end` when the desktop session ends under the running program, so
// that it can end the usual way, storing what it stores at shut-down, instead
// of being cut off. On Linux that is a termination request (SIGTERM: a logout,
// a shutdown, a kill), and `end` runs from the event loop. On Windows it is a
// logoff or a shutdown (WM_ENDSESSION), and `end` runs once, before the
// message is answered, since the system may end the process right after.
// Needs the application object; call it once.
void WhenSessionEnds(std::function<void()> end);

}  // namespace kwindel
