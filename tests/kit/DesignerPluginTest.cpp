#include <gtest/gtest.h>

#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <memory>

#include "BackgroundPanel.h"
#include "HoverButton.h"
#include "Timeout.h"

namespace {

TEST(DesignerPlugin, OffersTheKitsWidgetsOnQuenlap) {
  QPluginLoader loader(QStringLiteral(KWINDEL_DESIGNER_PLUGIN));
  ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
  auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
  ASSERT_NE(collection, nullptr);

  struct Expected {
    const char* name;
    const char* header;
    bool container;
    const QMetaObject* type;
  };
  const Expected expected[] = {
      {"TTimeout", "Timeout.h", false, &TTimeout::staticMetaObject},
      {"THoverButton", "HoverButton.h", false, &THoverButton::staticMetaObject},
      {"TBackgroundPanel", "BackgroundPanel.h", true, &TBackgroundPanel::staticMetaObject},
  };
  const auto widgets = collection->customWidgets();
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
    QWidget* created = widget->createWidget(&parent);
    ASSERT_NE(created, nullptr);
    // The plugin carries its own copy of the kit, so compare by class name.
    EXPECT_STREQ(created->metaObject()->className(), expected[i].type->className());
    EXPECT_EQ(created->parentWidget(), &parent);
  }
}

}  // namespace
