#!/bin/sh
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# The ABI of the kit's shared library, as its installed headers show it, read
# from the library's debugging information by libabigail.
#   KitAbiTest.sh check LIBRARY HEADERS_DIR ABI_DIR
#     compares the library with the ABI recorded in ABI_DIR for this Debian
#     release: a change fails with abidiff's report; an addition (a new
#     function) passes, and the report says what to record.
#   KitAbiTest.sh record LIBRARY HEADERS_DIR ABI_DIR
#     records the library's ABI in ABI_DIR for this release (a deliberate change).
# Only the types of HEADERS_DIR count: a change inside Qt or the C++ library is
# not the kit's. Each release has its own record: the libabigail and the
# compiler of one release describe some things (destructors) differently from
# the other's, so a record is compared only with the release that made it.
set -eu
mode=$1
library=$2
headers=$3
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-unknown}")
abi=$4/$release/$(basename "$library" | sed 's/\(\.so\.[0-9]*\).*/\1/').abi
if ! command -v abidiff >/dev/null; then
  echo "SKIPPED: abidw and abidiff are missing (Debian package abigail-tools, which scripts/setup installs)"
  exit 77
fi
case $mode in
  record)
    # Short locations and no paths of this machine, so that a recording from
    # another checkout differs only where the ABI does.
    mkdir -p "$(dirname "$abi")"
    abidw --headers-dir "$headers" --no-corpus-path --no-comp-dir-path --short-locs \
      --out-file "$abi" "$library"
    echo "recorded the ABI in $abi"
    ;;
  check)
    # Added functions and variables leave what programs use as it was; any
    # other change of the ABI (a data member, a virtual function, a changed
    # or removed function) does not. abidiff's exit status is a bit set:
    # 1 error, 2 usage, 4 ABI change, 8 incompatible change.
    if [ ! -f "$abi" ]; then
      echo "No ABI of the kit is recorded for Debian $release ($abi): record it with the target kwindel_kit_abi." >&2
      exit 1
    fi
    status=0
    report=$(abidiff --no-added-syms --hd1 "$headers" --hd2 "$headers" "$abi" "$library") ||
      status=$?
    if [ "$status" -ne 0 ]; then
      printf '%s\n' "$report"
      echo "The ABI of $(basename "$library") is not the one recorded in $abi (abidiff: $status)." >&2
      echo "If the change is meant, raise the SOVERSION and record the ABI afresh (README.md)." >&2
      exit 1
    fi
    if ! report=$(abidiff --hd1 "$headers" --hd2 "$headers" "$abi" "$library"); then
      printf '%s\n' "$report"
      echo "Compatible additions to the recorded ABI: record them with the target kwindel_kit_abi."
    fi
    echo "ABI kept"
    ;;
  *)
    echo "usage: $0 check|record LIBRARY HEADERS_DIR ABI_DIR" >&2
    exit 2
    ;;
esac
