// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QLabel>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "BackgroundPanel.h"
#include "FakePlayer.h"
#include "HoverButton.h"
#include "Timeout.h"

// The tests never install the kit's interfaces themselves: constructing a kit widget
// must be enough, as it is for any program using the kit.

namespace {

using kwindel::test::FakePlayer;
using kwindel::test::Log;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

QAccessibleInterface* Accessible(QWidget& widget) {
  return QAccessible::queryAccessibleInterface(&widget);
}

TEST(KitAccessibility, EachWidgetHasItsRoleAndItsAccessibleName) {
  QWidget window;
  auto* button = new THoverButton(&window);
  auto* clock = new TTimeout(&window);
  auto* panel = new TBackgroundPanel(&window);
  const struct {
    QWidget* widget;
    QAccessible::Role role;
  } cases[] = {
      {button, QAccessible::Button},
      {clock, QAccessible::ProgressBar},
      {panel, QAccessible::Grouping},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.widget->metaObject()->className());
    c.widget->setAccessibleName("Naam");
    c.widget->setAccessibleDescription("Uitleg");
    QAccessibleInterface* accessible = Accessible(*c.widget);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), c.role);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Naam");
    EXPECT_EQ(accessible->text(QAccessible::Description), "Uitleg");
    EXPECT_EQ(accessible->parent()->object(), &window);

    // Without a name of its own, the label whose buddy it is names it.
    c.widget->setAccessibleName("");
    QLabel label("&Van het label", &window);
    label.setBuddy(c.widget);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Van het label");
  }
}

TEST(KitAccessibility, APanelIsNamedByItsCaptionWhileNoPictureHidesIt) {
  TBackgroundPanel panel;
  QAccessibleInterface* accessible = Accessible(panel);
  EXPECT_EQ(accessible->text(QAccessible::Name), "");
  panel.SetCaption("Opgaven");
  EXPECT_EQ(accessible->text(QAccessible::Name), "Opgaven");

  TPicture tile;
  tile.SetBitmap(QImage(8, 8, QImage::Format_RGB32));
  panel.SetPicture(&tile);
  EXPECT_EQ(accessible->text(QAccessible::Name), "") << "the tiles cover the caption";
  panel.SetPicture(nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Name), "Opgaven");

  panel.setAccessibleName("Werkblad");
  EXPECT_EQ(accessible->text(QAccessible::Name), "Werkblad") << "a name of its own comes first";
}

TEST(KitAccessibility, AClockReadsItsPositionAsAValueFrom0To100) {
  TTimeout clock;
  QAccessibleValueInterface* value = Accessible(clock)->valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->minimumValue(), 0);
  EXPECT_EQ(value->maximumValue(), 100);
  EXPECT_EQ(value->currentValue(), 10);
  EXPECT_EQ(Accessible(clock)->text(QAccessible::Value), "10%");
  clock.SetPosition(73);
  EXPECT_EQ(value->currentValue(), 73);

  value->setCurrentValue(20);
  EXPECT_EQ(clock.GetPosition(), 73) << "only the countdown moves it";
}

TEST(KitAccessibility, AButtonIsPressedWhilePressedAndHotWhileItGlows) {
  THoverButton button;
  QAccessibleInterface* accessible = Accessible(button);
  const struct {
    int state;
    bool pressed;
    bool hot;
  } cases[] = {{0, false, false}, {1, false, true}, {2, true, false}, {7, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.state);
    button.SetState(c.state);
    EXPECT_EQ(accessible->state().pressed, c.pressed);
    EXPECT_EQ(accessible->state().hotTracked, c.hot);
  }
}

// A screen reader is the active program when it presses, so the press action works
// while the button's own application is not active, when the mouse would not.
class InactiveButton : public THoverButton {
 protected:
  bool ApplicationActive() const override { return false; }
};

TEST(KitAccessibility, ThePressActionClicksAsThePointerWouldAndOnlyOnce) {
  Log log;
  FakePlayer player(log);
  InactiveButton button;
  button.SetWaveQueuePlayer(&player);
  button.SetGlowSound("glow");
  button.SetUnglowSound("unglow");
  button.SetPressSound("press");
  button.SetUnpressSound("unpress");
  QObject::connect(&button, &THoverButton::OnClick, [&](THoverButton* sender) {
    EXPECT_EQ(sender, &button);
    log.push_back("click in state " + std::to_string(button.GetState()));
  });
  QAccessibleActionInterface* actions = Accessible(button)->actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_THAT(log, ElementsAre("sound glow", "sound press", "click in state 2", "sound unpress",
                               "sound unglow"));
  EXPECT_EQ(button.GetState(), 0);

  // With the pointer already over it, it stays glowing, as after a mouse click.
  button.SetState(1);
  log.clear();
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_THAT(log, ElementsAre("sound press", "click in state 2", "sound unpress"));
  EXPECT_EQ(button.GetState(), 1);

  log.clear();
  button.setEnabled(false);
  EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
  actions->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_THAT(log, IsEmpty()) << "a disabled button cannot be pressed";
}

}  // namespace
