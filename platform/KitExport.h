// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

/// \file
/// KWINDEL_KIT_EXPORT, the mark of what the kit's shared library exports.

// On Windows the kit is a static library only: a DLL of it would carry a
// copy of Qt, which is linked statically there.
#ifdef _WIN32
#define KWINDEL_KIT_EXPORT
#else
/// Marks the classes and functions that the kit's shared library exports to
/// the programs that link it; nothing else of the library is visible to them.
/// Empty on Windows, where the kit is a static library.
#define KWINDEL_KIT_EXPORT __attribute__((visibility("default")))
#endif
