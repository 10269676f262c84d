// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

// One widget of the kit as Qt Designer sees it: a name, a header, an icon, a
// tooltip, a default size, how to make one, and its string properties that
// name things rather than show text, which are kept out of translation.
class KitWidget : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  struct Description {
    QString name;
    QString header;
    QString icon;
    QString toolTip;
    QSize size;
    bool container;
    std::function<QWidget*(QWidget*)> create;
    QStringList untranslated = {};
  };

  KitWidget(Description description, QObject* parent);

  QString name() const override { return FDescription.name; }
  QString group() const override;
  QString toolTip() const override { return FDescription.toolTip; }
  QString whatsThis() const override { return FDescription.toolTip; }
  QString includeFile() const override { return FDescription.header; }
  QIcon icon() const override;
  bool isContainer() const override { return FDescription.container; }
  QWidget* createWidget(QWidget* parent) override { return FDescription.create(parent); }
  QString domXml() const override;

 private:
  Description FDescription;
};

// Puts the kit's widgets on Designer's widget box, in the group "Quenlap".
class KitDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

 public:
  explicit KitDesignerPlugin(QObject* parent = nullptr);
  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return FWidgets; }

 private:
  QList<QDesignerCustomWidgetInterface*> FWidgets;
};
