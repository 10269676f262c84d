// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QMetaProperty>
#include <QPixmap>
#include <QPluginLoader>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>
#include <QUiLoader>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Colours in failure messages as #rrggbb.
void PrintTo(const QColor& colour, std::ostream* out) {
  *out << colour.name().toStdString();
}

// The plugin is loaded as Designer loads it, with the kit's shared library
// behind it; this test links no kit of its own, so it sees only what Designer sees.

namespace {

QList<QDesignerCustomWidgetInterface*> PluginWidgets() {
  static QPluginLoader loader(QStringLiteral(KWINDEL_DESIGNER_PLUGIN));
  if (!loader.load()) {
    ADD_FAILURE() << loader.errorString().toStdString();
    return {};
  }
  auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
  return collection ? collection->customWidgets() : QList<QDesignerCustomWidgetInterface*>{};
}

QDesignerCustomWidgetInterface* PluginWidget(const QString& name) {
  for (QDesignerCustomWidgetInterface* widget : PluginWidgets()) {
    if (widget->name() == name) return widget;
  }
  return nullptr;
}

TEST(DesignerPlugin, OffersTheKitsWidgetsOnQuenlap) {
  struct Expected {
    const char* name;
    const char* header;
    bool container;
  };
  const Expected expected[] = {
      {"TTimeout", "<kwindel-kit/Timeout.h>", false},
      {"THoverButton", "<kwindel-kit/HoverButton.h>", false},
      {"TBackgroundPanel", "<kwindel-kit/BackgroundPanel.h>", true},
  };
  const auto widgets = PluginWidgets();
  ASSERT_EQ(widgets.size(), 3);
  for (int i = 0; i < 3; ++i) {
    QDesignerCustomWidgetInterface* widget = widgets[i];
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(widget->name(), expected[i].name);
    EXPECT_EQ(widget->group(), "Quenlap");
    EXPECT_EQ(widget->includeFile(), expected[i].header);
    EXPECT_EQ(widget->isContainer(), expected[i].container);
    EXPECT_FALSE(widget->icon().isNull());
    EXPECT_FALSE(widget->toolTip().isEmpty());
    EXPECT_TRUE(widget->domXml().contains(QStringLiteral("class=\"%1\"").arg(expected[i].name)));
    QWidget parent;
    std::unique_ptr<QWidget> created(widget->createWidget(&parent));
    ASSERT_NE(created, nullptr);
    // Designer and the saved form know the widget by this name.
    EXPECT_STREQ(created->metaObject()->className(), expected[i].name);
    EXPECT_EQ(created->parentWidget(), &parent);
  }
}

// Designer's property editor hides a property of any other type and logs
// "The property ... is not supported yet!" for it.
TEST(DesignerPlugin, EveryPropertyDesignerShowsHasATypeItEdits) {
  const std::set<int> editable = {QMetaType::Bool, QMetaType::Int, QMetaType::QString,
                                  QMetaType::QColor, QMetaType::QPixmap};
  std::set<std::string> seen;
  for (QDesignerCustomWidgetInterface* widget : PluginWidgets()) {
    QWidget parent;
    std::unique_ptr<QWidget> created(widget->createWidget(&parent));
    const QMetaObject* meta = created->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
      const QMetaProperty property = meta->property(i);
      if (!property.isDesignable()) continue;
      SCOPED_TRACE(std::string(meta->className()) + "::" + property.name());
      seen.insert(property.name());
      EXPECT_TRUE(property.isWritable());
      EXPECT_TRUE(property.isEnumType() || editable.count(property.userType()))
          << property.typeName();
    }
  }
  // The pictures are among them, as pixmaps; the hover button's player is not.
  for (const char* name : {"NormalPicture", "GlowPicture", "PressedPicture", "Picture"})
    EXPECT_TRUE(seen.count(name)) << name;
  EXPECT_FALSE(seen.count("WaveQueuePlayer"));
}

// Strings Designer saves without notr="true" go to translators (uic wraps them
// in QCoreApplication::translate), and a translated sound name finds no sound.
TEST(DesignerPlugin, SoundNamesAreKeptOutOfTranslation) {
  std::map<QString, std::set<QString>> untranslated;
  for (QDesignerCustomWidgetInterface* widget : PluginWidgets()) {
    QXmlStreamReader xml(widget->domXml());
    while (!xml.atEnd()) {
      if (xml.readNext() == QXmlStreamReader::StartElement &&
          xml.name() == QLatin1String("stringpropertyspecification") &&
          xml.attributes().value("notr") == QLatin1String("true"))
        untranslated[widget->name()].insert(xml.attributes().value("name").toString());
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    // Each name is one of the widget's own string properties.
    QWidget parent;
    std::unique_ptr<QWidget> created(widget->createWidget(&parent));
    for (const QString& name : untranslated[widget->name()]) {
      const int index = created->metaObject()->indexOfProperty(name.toLatin1().constData());
      ASSERT_GE(index, 0) << name.toStdString();
      EXPECT_EQ(created->metaObject()->property(index).userType(), QMetaType::QString);
    }
  }
  const std::set<QString> sounds = {"GlowSound", "UnglowSound", "PressSound", "UnpressSound"};
  EXPECT_EQ(untranslated["THoverButton"], sounds);
  EXPECT_TRUE(untranslated["TBackgroundPanel"].empty()) << "its Caption is text for the user";
}

QImage Solid(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

QImage Shot(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(DesignerPlugin, AHoverButtonWithoutPicturesKeepsItsDroppedSize) {
  QDesignerCustomWidgetInterface* plugin = PluginWidget(QStringLiteral("THoverButton"));
  ASSERT_NE(plugin, nullptr);
  QWidget form;
  form.resize(200, 100);
  QWidget* button = plugin->createWidget(&form);
  button->setGeometry(10, 10, 75, 25);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

  const QImage placeholder = Shot(*button);
  EXPECT_EQ(button->size(), QSize(75, 25)) << "painting kept it visible and selectable";
  EXPECT_NE(placeholder, Solid(75, 25, placeholder.pixel(0, 0))) << "something is drawn";

  // A picture set through the property, as Designer sets it, takes over.
  ASSERT_TRUE(button->setProperty("NormalPicture", QPixmap::fromImage(Solid(30, 12, Qt::red))));
  EXPECT_EQ(button->size(), QSize(30, 12));
  EXPECT_EQ(Shot(*button), Solid(30, 12, Qt::red));

  // Reset in Designer writes a null pixmap: no exception, the placeholder again.
  ASSERT_TRUE(button->setProperty("NormalPicture", QPixmap()));
  button->resize(75, 25);
  EXPECT_EQ(Shot(*button), placeholder);
  EXPECT_EQ(button->size(), QSize(75, 25));
}

// A form as Designer saves it: every widget's properties in the order its class
// declares them, which is also the order in which opening the form applies them.
struct SavedWidget {
  QString className;
  QString name;
  QRect geometry;
  std::vector<std::pair<QByteArray, QString>> properties;  // name, value as saved
};

int DeclaredAt(const QString& className, const QByteArray& property) {
  QDesignerCustomWidgetInterface* plugin = PluginWidget(className);
  if (plugin == nullptr) return -1;
  QWidget parent;
  std::unique_ptr<QWidget> sample(plugin->createWidget(&parent));
  return sample->metaObject()->indexOfProperty(property.constData());
}

QString WidgetXml(const SavedWidget& widget, bool inDeclaredOrder) {
  auto properties = widget.properties;
  if (inDeclaredOrder) {
    std::stable_sort(properties.begin(), properties.end(), [&](const auto& a, const auto& b) {
      return DeclaredAt(widget.className, a.first) < DeclaredAt(widget.className, b.first);
    });
  }
  QString xml = QStringLiteral(
                    "<widget class=\"%1\" name=\"%2\"><property name=\"geometry\"><rect><x>%3</x>"
                    "<y>%4</y><width>%5</width><height>%6</height></rect></property>")
                    .arg(widget.className, widget.name)
                    .arg(widget.geometry.x())
                    .arg(widget.geometry.y())
                    .arg(widget.geometry.width())
                    .arg(widget.geometry.height());
  for (const auto& [name, value] : properties)
    xml += QStringLiteral("<property name=\"%1\" stdset=\"0\">%2</property>")
               .arg(QString::fromLatin1(name), value);
  return xml + QStringLiteral("</widget>");
}

// Opens the form as Designer opens a saved one: the plugin makes each widget,
// then the saved properties are applied in the order they stand in the file.
// With inDeclaredOrder false they stay in the order given, as an older kit saved them.
std::unique_ptr<QWidget> OpenForm(const std::vector<SavedWidget>& widgets,
                                  bool inDeclaredOrder = true) {
  QString xml = QStringLiteral(
      "<ui version=\"4.0\"><class>Form</class><widget class=\"QWidget\" name=\"Form\">"
      "<property name=\"geometry\"><rect><x>0</x><y>0</y><width>320</width><height>200</height>"
      "</rect></property>");
  for (const SavedWidget& widget : widgets)
    xml += WidgetXml(widget, inDeclaredOrder);
  xml += QStringLiteral("</widget></ui>");

  PluginWidgets();  // loaded once, before the form loader looks for it
  QUiLoader loader;
  loader.clearPluginPaths();
  loader.addPluginPath(QFileInfo(QStringLiteral(KWINDEL_DESIGNER_PLUGIN)).absolutePath());
  QByteArray bytes = xml.toUtf8();
  QBuffer file(&bytes);
  std::unique_ptr<QWidget> form(loader.load(&file));
  EXPECT_NE(form, nullptr) << loader.errorString().toStdString();
  return form;
}

QString Colour(QColor colour) {
  return QStringLiteral("<color><red>%1</red><green>%2</green><blue>%3</blue></color>")
      .arg(colour.red())
      .arg(colour.green())
      .arg(colour.blue());
}

// What the screen shows at a point of a widget: the window's backing store,
// which only a repaint changes (grab() would paint afresh and hide a missing one).
QColor OnScreen(QWidget* widget, QPoint at) {
  QWidget* window = widget->window();
  const QPoint p = widget->mapTo(window, at);
  return window->screen()
      ->grabWindow(window->winId(), p.x(), p.y(), 1, 1)
      .toImage()
      .pixelColor(0, 0);
}

bool ShowsSoon(QWidget* widget, QPoint at, QColor colour) {
  return QTest::qWaitFor([&] { return OnScreen(widget, at) == colour; }, 1000);
}

// Points of a 105 x 105 clock's ring: at 9 o'clock, at 1 o'clock (inside the
// first 10 percent) and at 3 o'clock.
constexpr QPoint kNine(10, 52), kOne(65, 15), kThree(95, 52);

// Designer's property editor writes a property with setProperty; the form must
// show the change at once, not only after the next mode switch.
TEST(DesignerPlugin, EveryPropertyEditShowsAtOnce) {
  std::unique_ptr<QWidget> form = OpenForm({
      {"TTimeout", "timeout", QRect(0, 0, 105, 105), {}},
      {"THoverButton", "hoverButton", QRect(120, 0, 75, 25), {}},
      {"TBackgroundPanel", "backgroundPanel", QRect(120, 40, 185, 41), {}},
  });
  ASSERT_NE(form, nullptr);
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  auto* clock = form->findChild<QWidget*>("timeout");
  auto* button = form->findChild<QWidget*>("hoverButton");
  auto* panel = form->findChild<QWidget*>("backgroundPanel");
  ASSERT_TRUE(clock && button && panel);
  ASSERT_EQ(OnScreen(clock, kNine), QColor(Qt::black)) << "the face, before any edit";

  const QColor blue(40, 60, 200), red(220, 40, 30), green(30, 160, 60), sand(230, 220, 180),
      plum(140, 40, 120);
  struct Edit {
    const char* name;
    QWidget* widget;
    const char* property;
    QVariant value;
    QPoint probe;
    QColor shows;
  };
  const Edit edits[] = {
      {"clock face colour", clock, "FaceColor", blue, kNine, blue},
      {"clock hand colour", clock, "HandColor", red, kOne, red},
      {"clock position", clock, "Position", 50, kThree, red},
      {"clock started: at its start", clock, "Active", true, kThree, blue},
      {"button picture", button, "NormalPicture", QPixmap::fromImage(Solid(30, 12, green)),
       QPoint(5, 5), green},
      {"panel colour", panel, "Color", sand, QPoint(90, 20), sand},
      {"panel picture", panel, "Picture", QPixmap::fromImage(Solid(16, 16, plum)), QPoint(90, 20),
       plum},
  };
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    ASSERT_NE(OnScreen(edit.widget, edit.probe), edit.shows);
    ASSERT_TRUE(edit.widget->setProperty(edit.property, edit.value));
    EXPECT_TRUE(ShowsSoon(edit.widget, edit.probe, edit.shows))
        << "shows " << testing::PrintToString(OnScreen(edit.widget, edit.probe));
  }
}

// A clock saved with Active ticked opens running at the start of its countdown,
// and stays there: the plugin keeps it from running down in Designer. One saved
// by an older kit, with Active before Timeout, is restarted by its own Timeout
// and shows a full ring until it is saved again.
TEST(DesignerPlugin, ARunningClockReopensAtItsStart) {
  struct Case {
    const char* name;
    std::vector<std::pair<QByteArray, QString>> saved;
    bool inDeclaredOrder;
    int position;
    QColor atOne;
  };
  const QColor hand(220, 40, 30);
  const Case cases[] = {
      {"as Designer saves it",
       {{"Active", "<bool>true</bool>"},
        {"Timeout", "<number>3000</number>"},
        {"Position", "<number>40</number>"},
        {"HandColor", Colour(hand)}},
       true,
       0,
       Qt::black},
      {"saved by an older kit, Active first",
       {{"Active", "<bool>true</bool>"},
        {"Timeout", "<number>3000</number>"},
        {"HandColor", Colour(hand)}},
       false,
       100,
       hand},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<QWidget> form =
        OpenForm({{"TTimeout", "timeout", QRect(10, 10, 105, 105), c.saved}}, c.inDeclaredOrder);
    ASSERT_NE(form, nullptr);
    auto* clock = form->findChild<QWidget*>("timeout");
    ASSERT_NE(clock, nullptr);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_TRUE(clock->property("Active").toBool());
    EXPECT_EQ(clock->property("Timeout").toInt(), 3000);
    EXPECT_EQ(clock->property("Position").toInt(), c.position);
    EXPECT_EQ(OnScreen(clock, kOne), c.atOne);

    auto* timer = clock->findChild<QTimer*>();
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(timer->isActive());
    QTimerEvent tick(timer->timerId());
    QCoreApplication::sendEvent(timer, &tick);
    EXPECT_EQ(clock->property("Position").toInt(), c.position) << "it does not run in Designer";
  }
}

// A clock whose Active is ticked in Designer would otherwise run out, stop
// itself and be saved with Active false.
TEST(DesignerPlugin, AClockDoesNotRunDownInDesigner) {
  std::unique_ptr<QWidget> form =
      OpenForm({{"TTimeout",
                 "timeout",
                 QRect(0, 0, 105, 105),
                 {{"Active", "<bool>true</bool>"}, {"Timeout", "<number>1</number>"}}}});
  ASSERT_NE(form, nullptr);
  auto* clock = form->findChild<QWidget*>("timeout");
  ASSERT_NE(clock, nullptr);
  auto* timer = clock->findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  ASSERT_TRUE(timer->isActive());
  QThread::msleep(5);  // well past the end of the countdown
  QTimerEvent tick(timer->timerId());
  QCoreApplication::sendEvent(timer, &tick);
  EXPECT_TRUE(clock->property("Active").toBool());
  EXPECT_EQ(clock->property("Position").toInt(), 0);
}

}  // namespace
