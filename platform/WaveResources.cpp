#include "WaveResources.h"

#include <QDir>
#include <QFile>
#include <QString>
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

QByteArray DefaultSound() {
  return ReadResource(QStringLiteral(":/kwindel/sounds/default.wav")).value_or(QByteArray());
}

}  // namespace kwindel
