# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: LGPL-3.0-or-later
# Makes the Qt help file from the index that Doxygen writes (index.qhp).
# Doxygen 1.9 ends each keyword's id with the page anchor ("THoverButton_",
# "THoverButton::SetState_a3f…"), while an id is what F1 in Qt Creator looks
# up ("THoverButton", "THoverButton::SetState"): the anchors come off first.
# Usage: cmake -DQHP=html/index.qhp -DFIXED=kit.qhp -DQCH=kit.qch -DQHELPGENERATOR=… -P MakeQtHelp.cmake
file(READ "${QHP}" index)
string(REGEX REPLACE " id=\"([^\"]*)_(a[0-9a-f]+)?\"" " id=\"\\1\"" index "${index}")
# Doxygen 1.9.8 leaves out pictures its stylesheet shows (the folder and
# file icons, as SVG): the help file holds every file beside the pages.
get_filename_component(html "${QHP}" DIRECTORY)
file(GLOB beside RELATIVE "${html}" "${html}/*")
set(missing "")
foreach(name IN LISTS beside)
  string(FIND "${index}" "<file>${name}</file>" listed)
  if(listed EQUAL -1 AND NOT name MATCHES "\\.qhp$" AND NOT IS_DIRECTORY "${html}/${name}")
    string(APPEND missing "<file>${name}</file>\n")
  endif()
endforeach()
string(REPLACE "</files>" "${missing}</files>" index "${index}")
# Written beside the original: the index names its pages relative to itself.
file(WRITE "${FIXED}" "${index}")
# Qt wants a runtime folder; without one it makes its own in /tmp and leaves it.
get_filename_component(folder "${QCH}" DIRECTORY)
set(runtime "${folder}/runtime")
file(MAKE_DIRECTORY "${runtime}")
file(CHMOD "${runtime}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{XDG_RUNTIME_DIR} "${runtime}")
execute_process(COMMAND "${QHELPGENERATOR}" -s "${FIXED}" -o "${QCH}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "qhelpgenerator could not make ${QCH}")
endif()
