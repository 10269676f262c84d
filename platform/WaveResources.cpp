// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "WaveResources.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstring>
#include <string>

#include "QtEncoding.h"

namespace kwindel {

namespace {

QString ResourceName(const QString& fileName) {
  if (fileName.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive)) return fileName.chopped(4);
  return fileName;
}

std::optional<QByteArray> ReadResource(const QString& path) {
  // Through QFile: rcc may have compressed the bytes.
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

}  // namespace

std::optional<QByteArray> FindWaveResource(std::string_view name) {
  const QString wanted = FromCodePage(name);
  // The listing comes sorted by name, so the same file wins every time when
  // two names differ only in letter case.
  QDir folder(QString::fromLatin1(kWaveResourceFolder));
  const QStringList files = folder.entryList(QDir::Files, QDir::Name);
  for (const QString& file : files) {
    if (ResourceName(file).compare(wanted, Qt::CaseInsensitive) == 0) {
      return ReadResource(folder.filePath(file));
    }
  }
  return std::nullopt;
}

std::optional<QByteArray> FindWaveResource(std::uint16_t number) {
  if (number == 0) return std::nullopt;
  return FindWaveResource(std::to_string(number));
}

bool IsWholeWave(const QByteArray& bytes) {
  auto size32 = [&](qsizetype at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.constData() + at, 4);  // little-endian, as the machine
    return qsizetype{value};
  };
  if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return false;
  const qsizetype end = 8 + size32(4);
  if (end > bytes.size()) return false;
  bool format = false;
  bool data = false;
  for (qsizetype at = 12; at < end;) {
    if (at + 8 > end) return false;
    const qsizetype next = at + 8 + size32(at + 4);
    if (next > end) return false;
    format = format || bytes.mid(at, 4) == "fmt ";
    data = data || bytes.mid(at, 4) == "data";
    at = next + (next & 1);  // chunks are padded to an even length
  }
  return format && data;
}

QByteArray DefaultSound() {
  return ReadResource(QStringLiteral(":/kwindel/sounds/default.wav")).value_or(QByteArray());
}

}  // namespace kwindel
