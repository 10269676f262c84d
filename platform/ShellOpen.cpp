#include "ShellOpen.h"

#include <QByteArray>
#include <QDesktopServices>

namespace kwindel {

QUrl DocumentUrl(const std::string& path) {
  // Not QUrl::fromLocalFile: its QString path holds only valid UTF-8, and a name that is not
  // would reach the opener with U+FFFD in it, naming a file that does not exist.
  return QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"),
                           QUrl::StrictMode);
}

void OpenDocument(const std::string& path) {
  QDesktopServices::openUrl(DocumentUrl(path));
}

}  // namespace kwindel
