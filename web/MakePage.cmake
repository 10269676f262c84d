# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# Run as a script (cmake -P) by web/CMakeLists.txt: gathers one page's folder
# OUT from the built module in BUILT, the page's sources in SOURCE, the
# program's icons in ICONS and the licences in LICENSES, and zips it into ZIP
# when that is given.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}/icons")
foreach(name IN ITEMS "${APP}.js" "${APP}.wasm" qtloader.js)
  file(COPY "${BUILT}/${name}" DESTINATION "${OUT}")
endforeach()
file(COPY "${SOURCE}/kwindel-page.js" "${SOURCE}/kwindel-page.css" DESTINATION "${OUT}")
file(COPY "${ICONS}/kwindel-32.png" "${SOURCE}/icons/kwindel-192.png"
     "${SOURCE}/icons/kwindel-512.png" DESTINATION "${OUT}/icons")
# The program is free software and links Qt under the LGPL: both texts travel
# with it, and each font's licence with the font: the program's Liberation Sans
# and the DejaVu fonts that Qt for WebAssembly carries.
file(COPY "${LICENSES}/GPL-3.0-or-later.txt" "${LICENSES}/LGPL-3.0-or-later.txt"
     DESTINATION "${OUT}/licenses")
foreach(font IN ITEMS "liberation;LiberationSans" "dejavu-core;DejaVu")
  list(GET font 0 package)
  list(GET font 1 name)
  if(EXISTS /usr/share/doc/fonts-${package}/copyright)
    file(COPY_FILE /usr/share/doc/fonts-${package}/copyright "${OUT}/licenses/${name}.txt")
  endif()
endforeach()
configure_file("${SOURCE}/index.html.in" "${OUT}/index.html" @ONLY)
configure_file("${SOURCE}/manifest.webmanifest.in" "${OUT}/manifest.webmanifest" @ONLY)

# What the service worker keeps, and a cache name that changes with any of it,
# so a new build replaces the old one in every browser that keeps a copy.
file(GLOB_RECURSE files RELATIVE "${OUT}" "${OUT}/*")
list(SORT files)
set(hashes "")
set(FILES "'./'")
foreach(name IN LISTS files)
  file(SHA256 "${OUT}/${name}" hash)
  string(APPEND hashes "${hash} ${name}\n")
  string(APPEND FILES ", '${name}'")
endforeach()
string(SHA256 HASH "${hashes}")
string(SUBSTRING "${HASH}" 0 16 HASH)
configure_file("${SOURCE}/sw.js.in" "${OUT}/sw.js" @ONLY)

# Beside each file its Brotli and gzip copies, which a server sends as they are to a
# browser that takes them (README: hosting): the module is under a third of its size so.
# The service worker keeps only the files themselves.
find_program(BROTLI brotli)
find_program(GZIP gzip)
if(BROTLI AND GZIP)
  foreach(name IN LISTS files ITEMS sw.js)
    if(NOT name MATCHES "\\.png$")
      foreach(tool IN ITEMS "${BROTLI};-q;11" "${GZIP};-9;-n")
        execute_process(COMMAND ${tool} -f -k "${name}" WORKING_DIRECTORY "${OUT}"
                        COMMAND_ERROR_IS_FATAL ANY)
      endforeach()
    endif()
  endforeach()
else()
  message(WARNING "No brotli or gzip: the page has no compressed copies of its files")
endif()

if(ZIP)
  get_filename_component(parent "${OUT}" DIRECTORY)
  get_filename_component(folder "${OUT}" NAME)
  file(REMOVE "${ZIP}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip "${folder}"
                  WORKING_DIRECTORY "${parent}" COMMAND_ERROR_IS_FATAL ANY)
endif()
