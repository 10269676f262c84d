#!/bin/sh
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# Each manual page renders without a warning, read the way lintian reads it,
# and has the NAME line that mandb indexes. Usage: ManualPageTest.sh PAGE...
set -eu
status=0
for page in "$@"; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "FAIL: $page: $warnings"
    status=1
  fi
  lexgrog "$page" >/dev/null || { echo "FAIL: $page has no NAME line"; status=1; }
done
[ "$status" -eq 0 ] && echo "manual pages ok"
exit "$status"
