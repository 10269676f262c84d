#include <gtest/gtest.h>

#include <QImage>
#include <QMetaProperty>
#include <QPixmap>
#include <QPluginLoader>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <memory>
#include <set>
#include <string>

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

// A clock whose Active is ticked in Designer would run out, stop itself and be
// saved with Active false.
TEST(DesignerPlugin, AClockDoesNotRunDownInDesigner) {
  QDesignerCustomWidgetInterface* plugin = PluginWidget(QStringLiteral("TTimeout"));
  ASSERT_NE(plugin, nullptr);
  QWidget form;
  std::unique_ptr<QWidget> clock(plugin->createWidget(&form));
  ASSERT_TRUE(clock->setProperty("Timeout", 1));
  ASSERT_TRUE(clock->setProperty("Active", true));
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
