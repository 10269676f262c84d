#include "KitDesignerPlugin.h"

#include <QIcon>

#include "BackgroundPanel.h"
#include "HoverButton.h"
#include "Timeout.h"

KitWidget::KitWidget(Description description, QObject* parent)
    : QObject(parent), FDescription(std::move(description)) {}

QString KitWidget::group() const {
  return QStringLiteral("Quenlap");
}

QIcon KitWidget::icon() const {
  return QIcon(FDescription.icon);
}

QString KitWidget::domXml() const {
  // The widget Designer drops: its class, a lower-case object name and its default size.
  QString object = FDescription.name.mid(1);
  object[0] = object[0].toLower();
  return QStringLiteral(
             "<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
             "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width>"
             "<height>%4</height></rect></property></widget></ui>")
      .arg(FDescription.name, object)
      .arg(FDescription.size.width())
      .arg(FDescription.size.height());
}

KitDesignerPlugin::KitDesignerPlugin(QObject* parent) : QObject(parent) {
  const KitWidget::Description widgets[] = {
      {"TTimeout", "Timeout.h", ":/kit/designer/timeout.png",
       "A countdown shown as a ring; fires OnTimeout when the time has run out", QSize(105, 105),
       false, [](QWidget* parent) { return new TTimeout(parent); }},
      {"THoverButton", "HoverButton.h", ":/kit/designer/hoverbutton.png",
       "A button drawn from three pictures (normal, glow, pressed) with a sound at each change",
       QSize(75, 25), false, [](QWidget* parent) { return new THoverButton(parent); }},
      {"TBackgroundPanel", "BackgroundPanel.h", ":/kit/designer/backgroundpanel.png",
       "A panel that tiles a picture behind its child widgets", QSize(185, 41), true,
       [](QWidget* parent) { return new TBackgroundPanel(parent); }},
  };
  for (const auto& widget : widgets)
    FWidgets.append(new KitWidget(widget, this));
}
