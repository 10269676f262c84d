# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: LGPL-3.0-or-later
# Fails when a page of the reference shows a picture that is not beside it or
# not in the Qt help file (Qt Creator then shows a blank gap), or shows
# Markdown that Doxygen left as it was written (asterisks, backticks).
# Doxygen's own stylesheet is not looked at: it names pictures for parts the
# pages do not have (the search box, a dark theme).
# Usage: cmake -DHTML=html-folder -DQHP=the-help-file's.qhp -P CheckPages.cmake
file(READ "${QHP}" help_index)
file(GLOB pages "${HTML}/*.html")
set(problems "")
# Marks the end of a code block or span, so a regex can stop at the first one.
string(ASCII 1 end)

foreach(page IN LISTS pages)
  get_filename_component(name "${page}" NAME)
  file(READ "${page}" text)

  string(REGEX MATCHALL "<img [^>]*src=\"[^\"]*\"" images "${text}")
  foreach(use IN LISTS images)
    string(REGEX REPLACE "^<img [^>]*src=\"([^\"]*)\"$" "\\1" picture "${use}")
    if(picture MATCHES "^[a-z]+:")  # http:, data: and the like
      continue()
    endif()
    if(NOT EXISTS "${HTML}/${picture}")
      string(APPEND problems "${name}: shows ${picture}, which is not beside it\n")
    endif()
    string(FIND "${help_index}" "<file>${picture}</file>" listed)
    if(listed EQUAL -1)
      string(APPEND problems "${name}: shows ${picture}, which the Qt help file leaves out\n")
    endif()
  endforeach()

  # Code keeps its own characters; only the running text is looked at.
  string(REPLACE "<!-- fragment -->" "${end}" text "${text}")
  string(REGEX REPLACE "<div class=\"fragment\">[^${end}]*${end}" " " text "${text}")
  foreach(code IN ITEMS code pre)
    string(REPLACE "</${code}>" "${end}" text "${text}")
    string(REGEX REPLACE "<${code}[ >][^${end}]*${end}" " " text "${text}")
  endforeach()
  string(REGEX REPLACE "<[^>]*>" " " text "${text}")
  string(REGEX MATCHALL "[^\n]*(\\*\\*|`|!\\[|\\]\\()[^\n]*" raw "${text}")
  foreach(line IN LISTS raw)
    string(STRIP "${line}" line)
    string(APPEND problems "${name}: Markdown left as written: ${line}\n")
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "The API reference has faults:\n${problems}")
endif()
