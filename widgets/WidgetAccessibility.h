// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QAccessibleEvent;

// What screen readers see of the program's widgets, through QAccessible (on Linux through AT-SPI,
// in a browser through the page's accessibility tree), where Qt's own interfaces fall short:
//
//   TLMDSpinEdit        a spin box named by its accessibleName, whose value, bounds and step are
//                       the spinner's own; every change of the shown number is announced, also
//                       one the program makes (a clamp); its text is the edit box's
//   QLabel, plain text  reads as the text it shows (unless an accessibleName is set), through a
//                       Text interface too
//   QStatusBar          reads as the message it shows (unless an accessibleName is set), through
//                       a Text interface too
//   a plain QWidget     a frame titled by its window title, as a main window is, so that a
//   that is a window    screen reader finds the window, its title and its status bar
//   Announcer           a notification the reader speaks when it appears (see Announcer.h)
namespace kwindel {

// Adds these interfaces to Qt's, once per process. The spinner and the announcer call it when they
// are constructed; a window that holds labels or a status bar calls it before it makes them.
void InstallWidgetAccessibility();

// Tells assistive tools of a change, through QAccessible::updateAccessibility. Qt passes events on
// only while a platform's bridge to such tools is active (none on the offscreen platform); a
// listener hears every event told here all the same.
void TellAssistiveTools(QAccessibleEvent& Event);
using AccessibilityListener = std::function<void(QAccessibleEvent& Event)>;
void ListenToAccessibility(AccessibilityListener NewListener);

}  // namespace kwindel
