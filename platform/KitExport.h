// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

// Marks what the kit's shared library offers to programs that link it. The kit
// is built with hidden symbols, so everything else in it (the string list,
// the settings file, the request queue, ...) stays its own business.
// On Windows the kit is a static library only: a DLL of it would carry a
// copy of Qt, which is linked statically there.
#ifdef _WIN32
#define KWINDEL_KIT_EXPORT
#else
#define KWINDEL_KIT_EXPORT __attribute__((visibility("default")))
#endif
