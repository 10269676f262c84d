# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies text files into STAGE as Notepad reads them best: CR LF line ends and
# UTF-8 with a byte-order mark. NOTES is SOURCE=NAME|SOURCE=NAME|....
string(REPLACE "|" ";" notes "${NOTES}")
foreach(note ${notes})
  string(REPLACE "=" ";" parts "${note}")
  list(GET parts 0 source)
  list(GET parts 1 name)
  file(READ ${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  string(ASCII 239 187 191 mark)
  file(WRITE ${STAGE}/${name} "${mark}${text}")
endforeach()
