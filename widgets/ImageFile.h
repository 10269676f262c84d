// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Reads an image file whose format is known ("png"). QImage(path) would first
// load every image plugin installed to ask whether one of them reads the file,
// which costs a program's start-up more than reading its icons does.
QImage ReadImageFile(const QString& path, const char* format);
