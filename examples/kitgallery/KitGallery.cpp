// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KitGallery.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include "BackgroundPanel.h"
#include "HoverButton.h"
#include "Picture.h"
#include "Timeout.h"
#include "WaveQueuePlayer.h"

namespace {

// The panel's tile: a light square with a soft diagonal pattern.
QImage Tile() {
  QImage tile(48, 48, QImage::Format_RGB32);
  tile.fill(QColor(0xE8, 0xF1, 0xF8));
  QPainter painter(&tile);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0xC9, 0xDC, 0xEC), 6));
  painter.drawLine(-8, 56, 56, -8);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xF4, 0xB4, 0x00, 90));
  painter.drawEllipse(QPointF(36, 36), 5, 5);
  return tile;
}

// One of a button's three pictures: a rounded face with a caption.
QImage Face(const QString& caption, QColor colour, int state) {
  QImage face(120, 44, QImage::Format_RGB32);
  face.fill(QColor(0xE8, 0xF1, 0xF8));
  QPainter painter(&face);
  painter.setRenderHint(QPainter::Antialiasing);
  QColor fill = state == 1 ? colour.lighter(125) : state == 2 ? colour.darker(130) : colour;
  QRectF body =
      QRectF(face.rect()).adjusted(3, 3, -3, -3).translated(state == 2 ? 1 : 0, state == 2 ? 1 : 0);
  if (state == 1) {  // the glow
    painter.setPen(QPen(QColor(255, 230, 120), 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(face.rect()).adjusted(2, 2, -2, -2), 14, 14);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawRoundedRect(body, 12, 12);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(18);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(body, Qt::AlignCenter, caption);
  return face;
}

// Hands an image to a picture property, which keeps its own copy.
template <class Owner>
void Assign(Owner* owner, void (Owner::*setter)(TPicture*), const QImage& image) {
  TPicture picture;
  picture.SetBitmap(image);
  (owner->*setter)(&picture);
}

}  // namespace

KitGallery::KitGallery(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Quenlap-kit"));
  setFixedSize(520, 300);

  FPlayer = new TWaveQueuePlayer(this);

  // Screen readers name a control by its accessibleName, or else by the text of
  // the label whose buddy it is; the kit's widgets draw their own faces, so they
  // need one or the other. The panel's caption would name it too, but the tiles
  // hide it.
  FPanel = new TBackgroundPanel(this);
  FPanel->setGeometry(rect());
  FPanel->setAccessibleName(QStringLiteral("Onderdelen van de kit"));
  Assign(FPanel, &TBackgroundPanel::SetPicture, Tile());

  FClock = new TTimeout(FPanel);
  FClock->move(24, 24);
  FClock->SetHandColor(QColor(0xE8, 0x55, 0x3D));
  FClock->SetFaceColor(QColor(0x1F, 0x5F, 0x99));
  FClock->SetTimeout(5000);
  FClock->setAccessibleName(QStringLiteral("Aftelklok"));
  FClock->setAccessibleDescription(QStringLiteral("Hoeveel procent van de duur verstreken is"));

  auto* lengthLabel = new QLabel(QStringLiteral("&Duur (ms)"), FPanel);
  lengthLabel->move(24, 144);
  FLength = new QSpinBox(FPanel);
  lengthLabel->setBuddy(FLength);  // names the field, and Alt+D goes to it
  FLength->setRange(1, 600000);
  FLength->setSingleStep(500);
  FLength->setValue(FClock->GetTimeout());
  FLength->setGeometry(24, 164, 105, 26);
  connect(FLength, &QSpinBox::valueChanged, FClock, &TTimeout::SetTimeout);

  auto* start = new QPushButton(QStringLiteral("Start"), FPanel);
  start->setGeometry(24, 200, 50, 28);
  start->setAccessibleDescription(QStringLiteral("Start de aftelklok"));
  auto* stop = new QPushButton(QStringLiteral("Stop"), FPanel);
  stop->setGeometry(79, 200, 50, 28);
  stop->setAccessibleDescription(QStringLiteral("Stop de aftelklok"));
  FClockState = new QLabel(QStringLiteral("Stilstaand"), FPanel);
  FClockState->setGeometry(24, 236, 160, 22);
  connect(start, &QPushButton::clicked, this, [this] {
    FClock->SetActive(true);
    FClockState->setText(QStringLiteral("Loopt..."));
  });
  connect(stop, &QPushButton::clicked, this, [this] {
    FClock->SetActive(false);
    FClockState->setText(QStringLiteral("Gestopt"));
  });
  connect(FClock, &TTimeout::OnTimeout, this,
          [this](TTimeout*) { FClockState->setText(QStringLiteral("De tijd is om!")); });

  FNotification = new QLabel(QStringLiteral("Druk op een knop."), FPanel);
  FNotification->setGeometry(220, 110, 280, 22);
  FClickCount = new QLabel(QStringLiteral("Kliks: 0"), FPanel);
  FClickCount->setGeometry(220, 136, 280, 22);
  MakeHoverButton(QStringLiteral("Ding"), QColor(0x2A, 0x74, 0xB8), 220, 40);
  MakeHoverButton(QStringLiteral("Dong"), QColor(0x3F, 0xB2, 0x6B), 360, 40);
  connect(FPlayer, &TWaveQueuePlayer::OnNotification, this, [this] {
    FNotification->setText(QStringLiteral("Klikgeluid afgespeeld: %1 keer").arg(++FClicks));
  });
}

void KitGallery::MakeHoverButton(const QString& caption, const QColor& colour, int x, int y) {
  auto* button = new THoverButton(FPanel);
  button->setAccessibleName(caption);  // the caption is only drawn into the pictures
  button->setAccessibleDescription(
      QStringLiteral("Speelt een geluid bij glimmen, indrukken en loslaten"));
  button->move(x, y);
  button->resize(1, 1);  // a button of no size is never painted, so never sized to its picture
  Assign(button, &THoverButton::SetNormalPicture, Face(caption, colour, 0));
  Assign(button, &THoverButton::SetGlowPicture, Face(caption, colour, 1));
  Assign(button, &THoverButton::SetPressedPicture, Face(caption, colour, 2));
  button->SetWaveQueuePlayer(FPlayer);
  button->SetGlowSound(QStringLiteral("Glow"));
  button->SetUnglowSound(QStringLiteral("Unglow"));
  button->SetPressSound(QStringLiteral("Press"));
  button->SetUnpressSound(QStringLiteral("Unpress"));
  // A notification marker behind the press sound: it fires once that sound has played.
  connect(button, &THoverButton::OnClick, this, [this] { FPlayer->EnqueueNotification(); });
  connect(button, &THoverButton::OnClick, this, [this, caption] {
    FClickCount->setText(
        QStringLiteral("Kliks: %1, de laatste op %2").arg(++FButtonClicks).arg(caption));
  });
}
