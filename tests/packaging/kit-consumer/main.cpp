#include <kwindel-kit/BackgroundPanel.h>
#include <kwindel-kit/HoverButton.h>
#include <kwindel-kit/Timeout.h>
#include <kwindel-kit/WaveQueuePlayer.h>

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  TBackgroundPanel panel;
  TTimeout clock(&panel);
  THoverButton button(&panel);
  TWaveQueuePlayer player;
  button.SetWaveQueuePlayer(&player);
  clock.SetTimeout(1);
  clock.SetActive(true);
  QObject::connect(&clock, &TTimeout::OnTimeout, &application, &QApplication::quit);
  return application.exec();  // ends once the clock has run out
}
