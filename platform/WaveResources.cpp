#include "WaveResources.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <string>

namespace kwindel {

namespace {

// Code page 1252 differs from Latin-1 only in 0x80..0x9F; the five bytes it
// leaves undefined keep their Latin-1 value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString FromCp1252(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (char byte : bytes) {
    auto code = static_cast<unsigned char>(byte);
    text += (code >= 0x80 && code < 0xA0) ? QChar(kCp1252High[code - 0x80]) : QChar(code);
  }
  return text;
}

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
  const QString wanted = FromCp1252(name);
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

QByteArray DefaultSound() {
  return ReadResource(QStringLiteral(":/kwindel/sounds/default.wav")).value_or(QByteArray());
}

}  // namespace kwindel
