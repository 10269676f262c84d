// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// The maker's logo, drawn from its vector source for the pixel ratio it is
// shown at, so that it is sharp on any screen: its own size (128 × 128) in
// device-independent pixels, with a real alpha channel.
QPixmap LogoPixmap(qreal devicePixelRatio);

// The program's icon: the pictures of the desktop entry's icon set (16 to 256
// pixels) where the set has the size asked for, and the logo's drawing for
// any other size.
QIcon ProgramIcon();
