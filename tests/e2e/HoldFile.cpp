// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Another program that holds a file open and shares it with no one (share mode
// 0), as an editor or a virus scanner may, until its input ends. It writes
// "held" once it holds the file.
// Usage: kwindel_hold_file PATH

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Encoding.h"
#include "Paths.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = kwindel::ProgramArguments(argc, argv);
  if (arguments.size() != 2) return 2;
  HANDLE file = CreateFileW(kwindel::WideName(arguments[1]).c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::fputs("held\n", stdout);
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  CloseHandle(file);
  return 0;
}
