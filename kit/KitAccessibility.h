// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

class TTimeout;

// What screen readers and other assistive tools see of the kit's widgets, through
// QAccessible (and so, on Linux, through AT-SPI):
//
//   THoverButton      a push button named by its accessibleName; pressed while it shows
//                     the pressed picture, hot-tracked while it glows; its "Press"
//                     action clicks it (THoverButton::Click)
//   TTimeout          a progress bar named by its accessibleName, whose value is
//                     Position (0..100); every change of Position is announced
//   TBackgroundPanel  a grouping named by its accessibleName, or else by its Caption
//                     while no picture hides the caption
//
// Without an accessibleName, each takes the text of a label whose buddy it is.
namespace kwindel {

// Adds the kit's accessible interfaces to Qt's, once per process. Every kit widget calls
// it when it is constructed, so a program using the kit has nothing to do for it.
void InstallKitAccessibility();

// Tells assistive tools that the clock's Position has changed.
void AnnounceClockPosition(TTimeout* Clock);

}  // namespace kwindel
