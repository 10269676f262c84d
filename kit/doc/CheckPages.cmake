# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: LGPL-3.0-or-later
# Fails when a page of the reference shows a picture that is not beside it or
# not in the Qt help file (Qt Creator then shows a blank gap), or shows
# Markdown that Doxygen left as it was written (asterisks, backticks).
# Doxygen's own stylesheet is not looked at: it names pictures for parts the
# pages do not have (the search box, a dark theme).
# It also fails when the text it is made from has a % before a word outside
# quotes, which Doxygen drops (%s would show as s; write \%s). In quotes it
# stays, and so would the backslash.
# Usage: cmake -DHTML=html-folder -DQHP=the-help-file's.qhp -DSOURCES=README;headers...
#        -P CheckPages.cmake
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

# The headers' comments and the README's text outside code; a fenced block
# starts and ends with a line of three backticks.
string(ASCII 96 backtick)
foreach(source IN LISTS SOURCES)
  get_filename_component(name "${source}" NAME)
  file(STRINGS "${source}" lines)
  set(in_code FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^${backtick}${backtick}${backtick}")
      if(in_code)
        set(in_code FALSE)
      else()
        set(in_code TRUE)
      endif()
      continue()
    endif()
    if(in_code OR (name MATCHES "\\.h$" AND NOT line MATCHES "^ *///"))
      continue()
    endif()
    string(REGEX REPLACE "${backtick}[^${backtick}]*${backtick}|\"[^\"]*\"" " " text "${line}")
    if(text MATCHES "(^|[^\\])%[A-Za-z_]")
      string(STRIP "${line}" line)
      string(APPEND problems "${name}: a % that Doxygen drops: ${line}\n")
    endif()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "The API reference has faults:\n${problems}")
endif()
