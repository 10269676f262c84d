// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: LGPL-3.0-or-later
#include "KitDesignerPlugin.h"

#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QTimer>

#include "BackgroundPanel.h"
#include "HoverButton.h"
#include "Timeout.h"

namespace {

// The hover button as Designer shows it. A button without a picture for its
// state paints itself down to 0 x 0 and would vanish from the form, so here it
// keeps its dropped size and shows a placeholder until it has one. Programs
// get the plain THoverButton: this class lives only in the plugin, and without
// Q_OBJECT it still reads as THoverButton to Designer and in the saved form.
class DesignTimeHoverButton : public THoverButton {
 public:
  using THoverButton::THoverButton;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (const TPicture* picture = PictureForState();
        picture != nullptr && picture->Width() > 0 && picture->Height() > 0) {
      THoverButton::paintEvent(event);
      return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DashLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect inside = rect().adjusted(2, 2, -2, -2);
    painter.drawText(
        inside, Qt::AlignCenter,
        fontMetrics().elidedText(QStringLiteral("THoverButton"), Qt::ElideRight, inside.width()));
  }
};

// The countdown does not run in Designer. A clock whose Active is ticked would
// otherwise run out, stop itself, and be saved with Active false; its timer's
// ticks are swallowed, so it shows a countdown at its start.
class SwallowTicks : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::Timer; }
};

QWidget* DesignTimeTimeout(QWidget* parent) {
  auto* clock = new TTimeout(parent);
  for (QTimer* timer : clock->findChildren<QTimer*>())
    timer->installEventFilter(new SwallowTicks(clock));
  return clock;
}

}  // namespace

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
  QString xml = QStringLiteral(
                    "<ui language=\"c++\"><widget class=\"%1\" name=\"%2\">"
                    "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>%3</width>"
                    "<height>%4</height></rect></property></widget>")
                    .arg(FDescription.name, object)
                    .arg(FDescription.size.width())
                    .arg(FDescription.size.height());
  // Designer saves these with notr="true", so uic writes them as plain
  // strings and a translator never meets them.
  if (!FDescription.untranslated.isEmpty()) {
    xml += QStringLiteral("<customwidgets><customwidget><class>%1</class><propertyspecifications>")
               .arg(FDescription.name);
    for (const QString& property : FDescription.untranslated)
      xml += QStringLiteral(
                 "<stringpropertyspecification name=\"%1\" notr=\"true\" type=\"singleline\"/>")
                 .arg(property);
    xml += QStringLiteral("</propertyspecifications></customwidget></customwidgets>");
  }
  return xml + QStringLiteral("</ui>");
}

KitDesignerPlugin::KitDesignerPlugin(QObject* parent) : QObject(parent) {
  const KitWidget::Description widgets[] = {
      {"TTimeout", "<kwindel-kit/Timeout.h>", ":/kit/designer/timeout.png",
       "A countdown shown as a ring; fires OnTimeout when the time has run out", QSize(105, 105),
       false, DesignTimeTimeout},
      {"THoverButton",
       "<kwindel-kit/HoverButton.h>",
       ":/kit/designer/hoverbutton.png",
       "A button drawn from three pictures (normal, glow, pressed) with a sound at each "
       "change; its TWaveQueuePlayer, not a widget, is given in code",
       QSize(75, 25),
       false,
       [](QWidget* parent) { return new DesignTimeHoverButton(parent); },
       // Names of wave resources, not text for the user.
       {"GlowSound", "UnglowSound", "PressSound", "UnpressSound"}},
      {"TBackgroundPanel", "<kwindel-kit/BackgroundPanel.h>", ":/kit/designer/backgroundpanel.png",
       "A panel that tiles a picture behind its child widgets", QSize(185, 41), true,
       [](QWidget* parent) { return new TBackgroundPanel(parent); }},
  };
  for (const auto& widget : widgets)
    FWidgets.append(new KitWidget(widget, this));
}
