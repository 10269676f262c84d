// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QMetaProperty>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "Exception.h"
#include "FakePlayer.h"
#include "HoverButton.h"
#include "MessageOf.h"
#include "TempDir.h"

namespace {

using kwindel::test::FakePlayer;
using kwindel::test::Log;
using kwindel::test::TempDir;
using kwindel::test::WriteFile;

// The application's active flag can be lowered for a test; the real one is
// still read, and under offscreen it is up once a window has been shown.
class TestButton : public THoverButton {
 public:
  using THoverButton::THoverButton;
  bool active = true;

 protected:
  bool ApplicationActive() const override { return active && THoverButton::ApplicationActive(); }
};

// Records the state the button is in at each of its paint events.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(THoverButton& button) : FButton(button) {
    button.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted.push_back(FButton.GetState());
    return false;
  }
  std::vector<int> painted;

 private:
  THoverButton& FButton;
};

// The offscreen platform cannot grab the mouse and says so at every grab, yet
// Qt still sends all mouse events to the grabbing widget.
QtMessageHandler previousHandler = nullptr;
void QuietGrabWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message == QLatin1String("This plugin does not support grabbing the mouse")) return;
  if (previousHandler)
    previousHandler(type, context, message);
  else
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

QImage Solid(QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

TPicture* Bitmap(TPicture& picture, const QImage& image) {
  picture.SetBitmap(image);
  return &picture;
}

using kwindel::test::MessageOf;

constexpr QPoint kButtonAt(50, 20);
constexpr QSize kSize(20, 10);
constexpr QPoint kAway(5, 5);  // in the window, well clear of the button

// A shown window with a 20 x 10 button at (50, 20), an idle player and a
// sound name for every transition. The mouse is driven through the window,
// so Qt's own routing (grabs included) decides who gets each event.
class HoverButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousHandler = qInstallMessageHandler(QuietGrabWarnings);
    window.resize(200, 100);
    button.move(kButtonAt);
    button.SetNormalPicture(Bitmap(source, Solid(kSize, Qt::red)));
    button.SetGlowPicture(Bitmap(source, Solid(kSize, Qt::green)));
    button.SetPressedPicture(Bitmap(source, Solid(kSize, Qt::blue)));
    button.SetWaveQueuePlayer(&player);
    button.SetGlowSound("glow");
    button.SetUnglowSound("unglow");
    button.SetPressSound("press");
    button.SetUnpressSound("unpress");
    QObject::connect(&button, &THoverButton::OnClick, [this](THoverButton* sender) {
      EXPECT_EQ(sender, &button);
      const int last = recorder.painted.empty() ? -1 : recorder.painted.back();
      log.push_back("click after painting " + std::to_string(last));
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();  // no window manager does it under Xvfb
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mouseMove(Window(), kAway);
    ASSERT_EQ(button.size(), kSize);
    log.clear();
    recorder.painted.clear();
  }
  void TearDown() override {
    // Destroying a grabbing widget lets go of the grab, with the warning.
    if (Grabbing()) button.releaseMouse();
    qInstallMessageHandler(previousHandler);
  }

  QWindow* Window() { return window.windowHandle(); }
  // Positions are in the button's own coordinates.
  void MoveTo(QPoint at) { QTest::mouseMove(Window(), kButtonAt + at); }
  void Press(Qt::MouseButton which, QPoint at = {5, 5}) {
    QTest::mousePress(Window(), which, {}, kButtonAt + at);
  }
  void Release(Qt::MouseButton which, QPoint at = {5, 5}) {
    QTest::mouseRelease(Window(), which, {}, kButtonAt + at);
  }
  bool Grabbing() const { return QWidget::mouseGrabber() == &button; }

  Log log;
  FakePlayer player{log};
  TPicture source;
  QWidget window;
  TestButton button{&window};
  PaintRecorder recorder{button};
};

TEST_F(HoverButtonTest, PublishesItsPropertiesInOrderAndStartsEmpty) {
  THoverButton fresh;
  const QMetaObject* meta = fresh.metaObject();
  std::vector<QByteArray> names;
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
    names.emplace_back(meta->property(i).name());
  EXPECT_EQ(names, (std::vector<QByteArray>{"NormalPicture", "GlowPicture", "PressedPicture",
                                            "State", "WaveQueuePlayer", "GlowSound", "UnglowSound",
                                            "PressSound", "UnpressSound"}));
  EXPECT_EQ(fresh.GetState(), 0);
  EXPECT_TRUE(fresh.GetNormalPicture()->IsEmpty());
  EXPECT_TRUE(fresh.GetGlowPicture()->IsEmpty());
  EXPECT_TRUE(fresh.GetPressedPicture()->IsEmpty());
  EXPECT_EQ(fresh.GetWaveQueuePlayer(), nullptr);
  EXPECT_TRUE(fresh.GetGlowSound().isEmpty() && fresh.GetUnglowSound().isEmpty() &&
              fresh.GetPressSound().isEmpty() && fresh.GetUnpressSound().isEmpty());
  EXPECT_TRUE(fresh.testAttribute(Qt::WA_OpaquePaintEvent));

  // Writes go through the setters, so State queues its sound.
  fresh.setProperty("WaveQueuePlayer", QVariant::fromValue<TWaveQueuePlayer*>(&player));
  fresh.setProperty("GlowSound", QString("hello"));
  fresh.setProperty("State", 1);
  EXPECT_EQ(fresh.GetState(), 1);
  EXPECT_EQ(log, (Log{"sound hello"}));
}

// Forms made in Qt Designer set the pictures as pixmaps through the property system.
TEST_F(HoverButtonTest, PicturePropertiesTakePixmapsAndANullOneEmpties) {
  using Getter = TPicture* (THoverButton::*)();
  const std::tuple<const char*, int, Getter> properties[] = {
      {"NormalPicture", 0, &THoverButton::GetNormalPicture},
      {"GlowPicture", 1, &THoverButton::GetGlowPicture},
      {"PressedPicture", 2, &THoverButton::GetPressedPicture},
  };
  for (const auto& [name, state, get] : properties) {
    SCOPED_TRACE(name);
    button.resize(kSize);  // a button of no size is not painted, so not sized
    button.SetState(state);
    TPicture* own = (button.*get)();

    QPixmap pixmap = QPixmap::fromImage(Solid({6, 4}, Qt::magenta));
    ASSERT_TRUE(button.setProperty(name, pixmap));
    EXPECT_EQ((button.*get)(), own);
    EXPECT_TRUE(own->IsBitmap());
    EXPECT_EQ(own->Bitmap(), Solid({6, 4}, Qt::magenta));
    EXPECT_EQ(button.size(), QSize(6, 4)) << "repainted at once";
    pixmap.fill(Qt::black);
    EXPECT_EQ(own->Bitmap(), Solid({6, 4}, Qt::magenta)) << "a copy";
    EXPECT_EQ(button.property(name).value<QPixmap>().toImage(), Solid({6, 4}, Qt::magenta));

    // Emptied, then taken as a bitmap of no pixels by the paint it causes.
    EXPECT_NO_THROW(button.setProperty(name, QPixmap()));
    EXPECT_EQ(own->Width(), 0);
    EXPECT_EQ(button.size(), QSize(0, 0));
    EXPECT_TRUE(button.property(name).value<QPixmap>().isNull());
  }
}

TEST_F(HoverButtonTest, EachChangeOfStateQueuesItsSoundAndRepaintsAtOnce) {
  struct Case {
    const char* name;
    int from;
    int to;
    Log queued;
  };
  const Case cases[] = {
      {"normal to glow queues GlowSound", 0, 1, {"sound glow"}},
      {"glow to pressed queues PressSound", 1, 2, {"sound press"}},
      {"pressed to glow queues UnpressSound", 2, 1, {"sound unpress"}},
      {"glow to normal queues UnglowSound", 1, 0, {"sound unglow"}},
      {"normal to pressed is silent", 0, 2, {}},
      {"pressed to normal is silent", 2, 0, {}},
      {"the present state is not written again", 1, 1, {}},
      {"a state without a picture has no sound", 1, 7, {}},
      {"nor has leaving it", 7, 0, {}},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    player.idle = false;
    button.SetState(row.from);
    player.idle = true;
    log.clear();
    recorder.painted.clear();
    button.SetState(row.to);
    EXPECT_EQ(button.GetState(), row.to);
    EXPECT_EQ(log, row.queued);
    // Painted before SetState returned: nothing let the event loop run.
    EXPECT_EQ(recorder.painted, row.from == row.to ? std::vector<int>{} : std::vector{row.to});
  }
}

TEST_F(HoverButtonTest, ABusyPlayerSkipsTheSoundForGood) {
  player.idle = false;
  button.SetState(1);
  EXPECT_EQ(button.GetState(), 1);
  EXPECT_EQ(recorder.painted, (std::vector{1}));
  EXPECT_EQ(log, Log{});
  player.idle = true;
  button.SetState(0);
  EXPECT_EQ(log, (Log{"sound unglow"}));
}

TEST_F(HoverButtonTest, NamesAreQueuedEvenEmptyAndInCodePage1252) {
  button.SetGlowSound("");
  button.SetUnglowSound(QString::fromUtf8("\xC5\xA1um \xE2\x82\xAC"));  // "šum €"
  button.SetState(1);
  button.SetState(0);
  EXPECT_EQ(log, (Log{"sound ", "sound \x9Aum \x80"}));
}

TEST_F(HoverButtonTest, ADestroyedPlayerIsLetGo) {
  auto gone = std::make_unique<FakePlayer>(log);
  button.SetWaveQueuePlayer(gone.get());
  gone.reset();
  EXPECT_EQ(button.GetWaveQueuePlayer(), nullptr);
  button.SetState(1);
  EXPECT_EQ(button.GetState(), 1);
  EXPECT_EQ(recorder.painted, (std::vector{1}));
  EXPECT_EQ(log, Log{});
}

TEST_F(HoverButtonTest, PointerInGlowsAndTakesTheGrabPointerOutReturnsToNormal) {
  MoveTo({5, 5});
  EXPECT_EQ(button.GetState(), 1);
  EXPECT_TRUE(Grabbing());
  MoveTo({-10, 5});
  EXPECT_EQ(button.GetState(), 0);
  EXPECT_FALSE(Grabbing());
  EXPECT_EQ(log, (Log{"sound glow", "sound unglow"}));
  EXPECT_EQ(recorder.painted, (std::vector{1, 0}));
}

TEST_F(HoverButtonTest, EveryMouseButtonPressesAndClicksAfterThePressedPicture) {
  MoveTo({5, 5});
  for (Qt::MouseButton which : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    SCOPED_TRACE(which);
    log.clear();
    Press(which);
    EXPECT_EQ(button.GetState(), 2);
    EXPECT_EQ(log, (Log{"sound press", "click after painting 2"}));
    Release(which);
    EXPECT_EQ(button.GetState(), 1);
    EXPECT_EQ(log, (Log{"sound press", "click after painting 2", "sound unpress"}));
    // The grab outlives the release, so leaving is still seen.
    EXPECT_TRUE(Grabbing());
  }
}

TEST_F(HoverButtonTest, ADoubleClickClicksOncePerPress) {
  MoveTo({5, 5});
  log.clear();
  QTest::mouseDClick(Window(), Qt::LeftButton, {}, kButtonAt + QPoint(5, 5));
  EXPECT_EQ(button.GetState(), 1);
  EXPECT_EQ(log, (Log{"sound press", "click after painting 2", "sound unpress", "sound press",
                      "click after painting 2", "sound unpress"}));
}

TEST_F(HoverButtonTest, DraggingOffAHeldButtonEndsThatPress) {
  // The pointer may also arrive while the application is inactive, so that
  // the press is the first the button sees of it.
  for (bool hovered : {true, false}) {
    SCOPED_TRACE(hovered ? "hovered first" : "pressed at once");
    QTest::mouseMove(Window(), kAway);
    button.active = hovered;
    MoveTo({5, 5});
    button.active = true;
    Press(Qt::LeftButton);
    ASSERT_EQ(button.GetState(), 2);
    log.clear();
    recorder.painted.clear();
    MoveTo({25, 5});
    EXPECT_EQ(button.GetState(), 0);
    EXPECT_FALSE(Grabbing());
    // The rest of the press, outside, is not the button's.
    MoveTo({40, 5});
    Release(Qt::LeftButton, {40, 5});
    MoveTo({45, 5});
    EXPECT_EQ(button.GetState(), 0);
    EXPECT_FALSE(Grabbing());
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(recorder.painted, (std::vector{0}));
  }
}

// Once dragged off, the button holds no grab, so a move back over it while the
// mouse button is still held is a move over a button without the grab.
TEST_F(HoverButtonTest, DraggedOffAndBackWhileHeldItGlowsAgain) {
  MoveTo({5, 5});
  Press(Qt::LeftButton);
  MoveTo({25, 5});
  ASSERT_EQ(button.GetState(), 0);
  ASSERT_FALSE(Grabbing());
  log.clear();
  recorder.painted.clear();

  MoveTo({6, 5});
  EXPECT_EQ(button.GetState(), 1);
  EXPECT_TRUE(Grabbing());
  Release(Qt::LeftButton, {6, 5});
  EXPECT_EQ(button.GetState(), 1);
  EXPECT_TRUE(Grabbing());
  EXPECT_EQ(log, (Log{"sound glow"})) << "no unpress sound, no second click";
  EXPECT_EQ(recorder.painted, (std::vector{1}));
  // Leaving afterwards is seen as after any glow.
  MoveTo({25, 5});
  EXPECT_EQ(button.GetState(), 0);
  EXPECT_FALSE(Grabbing());
}

TEST_F(HoverButtonTest, TheRightAndBottomEdgesStillCountAsOver) {
  struct Case {
    const char* name;
    QPoint at;
    int state;
  };
  const Case cases[] = {
      {"x = width keeps the glow", {20, 5}, 1},
      {"x = width + 1 leaves", {21, 5}, 0},
      {"x = -1 leaves", {-1, 5}, 0},
      {"y = height keeps the glow", {5, 10}, 1},
      {"y = height + 1 leaves", {5, 11}, 0},
      {"y = -1 leaves", {5, -1}, 0},
      {"the corner keeps the glow", {20, 10}, 1},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    QTest::mouseMove(Window(), kAway);
    ASSERT_FALSE(Grabbing());
    MoveTo({5, 5});
    ASSERT_TRUE(Grabbing());
    MoveTo(row.at);
    EXPECT_EQ(button.GetState(), row.state);
    EXPECT_EQ(Grabbing(), row.state == 1);
  }
}

TEST_F(HoverButtonTest, AnInactiveApplicationsButtonIgnoresTheMouse) {
  button.active = false;
  MoveTo({5, 5});
  Press(Qt::LeftButton);
  Release(Qt::LeftButton);
  EXPECT_EQ(button.GetState(), 0);
  EXPECT_FALSE(Grabbing());
  button.SetState(1);
  MoveTo({-10, 5});
  EXPECT_EQ(button.GetState(), 1);
  EXPECT_EQ(log, (Log{"sound glow"}));
}

TEST_F(HoverButtonTest, LetsGoOfTheGrabWhenItCouldNoLongerEndIt) {
  struct Case {
    const char* name;
    std::function<void()> act;
    std::function<void()> undo;
  };
  const Case cases[] = {
      {"the application stops being active",
       [] { emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive); }, [] {}},
      {"the button is hidden", [this] { button.hide(); }, [this] { button.show(); }},
      {"the button is disabled", [this] { button.setEnabled(false); },
       [this] { button.setEnabled(true); }},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    QTest::mouseMove(Window(), kAway);
    MoveTo({5, 5});
    ASSERT_TRUE(Grabbing());
    row.act();
    EXPECT_FALSE(Grabbing());
    EXPECT_EQ(button.GetState(), 1);
    row.undo();
    MoveTo({6, 5});
    EXPECT_TRUE(Grabbing());
  }
}

TEST_F(HoverButtonTest, PictureSettersTakeOnlyBitmaps) {
  TempDir dir;
  const std::string iconPath = dir / "icon.ico";
  ASSERT_TRUE(
      QImageWriter(QString::fromStdString(iconPath), "ico").write(Solid({16, 16}, Qt::red)));
  const std::string drawingPath = dir / "drawing.svg";
  WriteFile(drawingPath,
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"4\">"
            "<rect width=\"8\" height=\"4\" fill=\"red\"/></svg>");
  TPicture empty, icon, drawing;
  icon.LoadFromFile(iconPath);
  drawing.LoadFromFile(drawingPath);
  ASSERT_EQ(icon.Kind(), TPicture::TKind::Icon);
  ASSERT_EQ(drawing.Kind(), TPicture::TKind::Drawing);

  using Setter = void (THoverButton::*)(TPicture*);
  using Getter = TPicture* (THoverButton::*)();
  const std::pair<Setter, Getter> properties[] = {
      {&THoverButton::SetNormalPicture, &THoverButton::GetNormalPicture},
      {&THoverButton::SetGlowPicture, &THoverButton::GetGlowPicture},
      {&THoverButton::SetPressedPicture, &THoverButton::GetPressedPicture},
  };
  const std::pair<const char*, TPicture*> refused[] = {
      {"empty", &empty}, {"icon", &icon}, {"drawing", &drawing}, {"null", nullptr}};
  for (const auto& [set, get] : properties) {
    TPicture* own = (button.*get)();
    const QImage before = own->Bitmap();
    for (const auto& [name, value] : refused) {
      SCOPED_TRACE(name);
      EXPECT_EQ(MessageOf([&] { (button.*set)(value); }), "Can only use bitmap graphics");
      EXPECT_EQ((button.*get)(), own);
      EXPECT_TRUE(own->IsBitmap());
      EXPECT_EQ(own->Bitmap(), before);
    }
  }

  // A bitmap is copied: the caller's picture stays the caller's.
  TPicture mine;
  mine.SetBitmap(Solid({4, 3}, Qt::yellow));
  button.SetGlowPicture(&mine);
  mine.SetBitmap(Solid({4, 3}, Qt::black));
  EXPECT_EQ(button.GetGlowPicture()->Bitmap(), Solid({4, 3}, Qt::yellow));
  // A bitmap with no pixels is still a bitmap.
  TPicture blank;
  blank.Bitmap();
  EXPECT_NO_THROW(button.SetPressedPicture(&blank));
  EXPECT_TRUE(button.GetPressedPicture()->IsBitmap());
  EXPECT_EQ(button.GetPressedPicture()->Width(), 0);
}

TEST_F(HoverButtonTest, EachPaintSizesTheButtonToItsStatesPicture) {
  button.SetGlowPicture(Bitmap(source, Solid({30, 16}, Qt::green)));
  button.SetPressedPicture(Bitmap(source, Solid({12, 8}, Qt::blue)));
  const std::pair<int, QSize> steps[] = {{1, {30, 16}}, {2, {12, 8}}, {0, {20, 10}}, {2, {12, 8}}};
  for (const auto& [state, size] : steps) {
    button.SetState(state);
    EXPECT_EQ(button.size(), size) << "state " << state;
    EXPECT_EQ(button.sizeHint(), kSize);
  }
  // An empty picture taken as a bitmap shrinks the button to nothing.
  button.GetNormalPicture()->Clear();
  button.SetState(0);
  EXPECT_EQ(button.size(), QSize(0, 0));
}

TEST_F(HoverButtonTest, PaintCopiesTheBitmapPixelForPixelOrNothing) {
  QImage image(kSize, QImage::Format_ARGB32);
  image.fill(Qt::red);
  image.setPixelColor(0, 0, QColor(0, 0, 255, 128));
  image.setPixelColor(19, 9, Qt::green);
  button.SetNormalPicture(Bitmap(source, image));

  const auto rendered = [this] {
    QImage canvas(30, 20, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    button.render(&canvas, QPoint(), QRegion(), QWidget::RenderFlags());
    return canvas;
  };
  QImage expected(30, 20, QImage::Format_ARGB32);
  expected.fill(Qt::white);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      expected.setPixel(x, y, image.pixel(x, y));  // replaced, not blended
  }
  EXPECT_EQ(rendered(), expected);

  // A state with no picture draws nothing and keeps the size.
  button.SetState(5);
  EXPECT_EQ(rendered(), [] {
    QImage white(30, 20, QImage::Format_ARGB32);
    white.fill(Qt::white);
    return white;
  }());
  EXPECT_EQ(button.size(), kSize);
}

TEST(HoverButtonSize, AButtonWithNoWidthOrHeightIsNotPaintedIntoShape) {
  for (QSize start : {QSize(0, 0), QSize(7, 0)}) {
    SCOPED_TRACE(start.width());
    QWidget window;
    window.resize(100, 50);
    THoverButton button(&window);
    button.resize(start);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    TPicture picture;
    picture.SetBitmap(Solid(kSize, Qt::red));
    button.SetNormalPicture(&picture);
    QCoreApplication::processEvents();
    EXPECT_EQ(button.size(), start);
    // One pixel each way is enough for the next paint to size it.
    button.resize(1, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return button.size() == kSize; }));
  }
}

}  // namespace
