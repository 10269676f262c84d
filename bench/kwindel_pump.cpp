// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Divides a generated list through the window's divide button, offscreen, and
// reports how long the click takes and how long the window went without its
// message pump. Built twice: once as the program is, once with the pump taken
// out (KWINDEL_BENCH_NO_PUMP), so the two can be set side by side.
//
//   kwindel_pump [PUPILS [GROUPS [RUNS]]]   (default 100000 30 9)
//
// The list and the report live in /dev/shm where there is one, so the click
// is not timed on the disk's flush. Prints one line of key=value pairs: the median click, the
// median time per member, pumps per division and the longest gap between two pumps (from the click
// to the first pump, and from the last pump to the saved report, count too).

#include <stdlib.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Application.h"
#include "MainForm.h"
#include "RandomSource.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Application application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Kwindel"));
  const int pupils = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int groups = argc > 2 ? std::atoi(argv[2]) : 30;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 9;
  if (pupils <= groups || groups < 2 || runs < 1) {
    std::fprintf(stderr, "usage: kwindel_pump [PUPILS [GROUPS [RUNS]]]\n");
    return 2;
  }

  // In memory where it can be: the report's flush to a disk would only add its own noise.
  const std::filesystem::path memory = "/dev/shm";
  std::error_code noFolder;
  const std::filesystem::path base = std::filesystem::is_directory(memory, noFolder)
                                         ? memory
                                         : std::filesystem::temp_directory_path();
  std::string folder = (base / "kwindel-pump-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) return 1;
  const std::string list = folder + "/klas.lll";
  {
    std::ofstream out(list, std::ios::binary);
    for (int i = 0; i < pupils; ++i)
      out << "Leerling " << i << " Achternaam\r\n";
  }

  Clock::time_point saved;
  TfMainServices services;
  services.ExecutablePath = folder + "/Kwindel";
  services.RunOpenDialog =
      TOpenDialog::Modal([&](const TOpenDialog&) { return std::optional<std::string>(list); });
  services.ShowMessage = [](const QString&, const QString&) {};
  services.OpenDocument = [&](const std::string&) { saved = Clock::now(); };

  // Every pass of the event loop, and so every pump, wakes the dispatcher.
  bool recording = false;
  std::vector<Clock::time_point> pumps;
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, [&] {
    if (recording) pumps.push_back(Clock::now());
  });

  std::vector<double> clicks;
  std::vector<double> gaps;
  std::size_t pumpCount = 0;
  {
    kwindel::RandomSource random;
    TfMain form(random, services);
    form.show();
    QCoreApplication::processEvents();
    for (int run = 0; run < runs; ++run) {
      form.pKiesClick(nullptr);
      form.LMDSpinEdit->SetValue(groups);
      form.LMDSpinEditChange(nullptr);
      pumps.clear();
      recording = true;
      const Clock::time_point start = Clock::now();
      form.bKwindelClick(nullptr);
      const Clock::time_point end = Clock::now();
      recording = false;
      clicks.push_back(Milliseconds(end - start));
      pumpCount = pumps.size();
      Clock::time_point last = start;
      double longest = 0;
      for (Clock::time_point pump : pumps) {
        longest = std::max(longest, Milliseconds(pump - last));
        last = pump;
      }
      gaps.push_back(std::max(longest, Milliseconds(saved - last)));
      QCoreApplication::processEvents();
    }
  }
  std::filesystem::remove_all(folder);

  const double click = Median(clicks);
  std::printf("pupils=%d click_ms=%.2f per_member_ns=%.1f pumps=%zu max_gap_ms=%.2f\n", pupils,
              click, click * 1e6 / pupils, pumpCount, *std::max_element(gaps.begin(), gaps.end()));
  return 0;
}
