// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Finds and loads the kit's Designer plugin the way Qt Designer does, in the
// designer/ folders of Qt's plugin paths (QT_PLUGIN_PATH first), and checks
// that the plugin and the kit library it needs both come from PREFIX and that
// it offers the kit's widgets. Prints each failure; exits with 1 on any.
// Usage: designer_plugin_probe PREFIX

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QStringList>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <cstdio>
#include <memory>

namespace {

int Fail(const QString& what) {
  std::fprintf(stderr, "FAILED: %s\n", qPrintable(what));
  return 1;
}

// Where the process mapped the kit's shared library from, if it did.
QString KitLibraryLoadedFrom() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return {};
  for (const QByteArray& line : maps.readAll().split('\n')) {
    const int at = line.indexOf('/');
    if (at >= 0 && line.contains("/libkwindel-kit.so")) return QString::fromLocal8Bit(line.mid(at));
  }
  return {};
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) return Fail(QStringLiteral("usage: designer_plugin_probe PREFIX"));
  const QString prefix = QDir(QString::fromLocal8Bit(argv[1])).canonicalPath() + QLatin1Char('/');

  QString found;
  for (const QString& folder : QCoreApplication::libraryPaths()) {
    const QFileInfo plugin(folder + QStringLiteral("/designer/libkwindelkit.so"));
    if (plugin.exists()) {
      found = plugin.canonicalFilePath();
      break;
    }
  }
  if (!found.startsWith(prefix))
    return Fail(QStringLiteral("the first plugin found is '%1', not one in %2").arg(found, prefix));

  QPluginLoader loader(found);
  if (!loader.load()) return Fail(loader.errorString());
  auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
  if (collection == nullptr) return Fail(QStringLiteral("no widget collection in the plugin"));
  QStringList names;
  QWidget form;
  for (QDesignerCustomWidgetInterface* widget : collection->customWidgets()) {
    names << widget->name();
    std::unique_ptr<QWidget> made(widget->createWidget(&form));
    if (!made) return Fail(QStringLiteral("no %1 made").arg(widget->name()));
  }
  if (names != QStringList{"TTimeout", "THoverButton", "TBackgroundPanel"})
    return Fail(QStringLiteral("widgets offered: ") + names.join(QLatin1Char(' ')));

  const QString library = KitLibraryLoadedFrom();
  if (!library.startsWith(prefix))
    return Fail(QStringLiteral("the kit library came from '%1', not from %2").arg(library, prefix));

  std::printf("plugin %s\nwith %s\n", qPrintable(found), qPrintable(library));
  return 0;
}
