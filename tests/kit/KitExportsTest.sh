#!/bin/sh
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# The kit's shared library exports what its installed headers mark with
# KWINDEL_KIT_EXPORT and nothing else: every symbol it defines belongs to such
# a class (its members, vtable and type information, its meta-object and what
# moc makes for it) or is such a function. Usage: KitExportsTest.sh LIBRARY HEADERS_DIR
set -eu
library=$1
headers=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The marked names, qualified with kwindel:: inside that namespace.
for header in "$headers"/*.h; do
  awk '/^namespace kwindel \{/ { ns = "kwindel::" }
       /^\}($| )/ { ns = "" }
       match($0, /^(class|struct) KWINDEL_KIT_EXPORT [A-Za-z_0-9]+/) {
         n = split(substr($0, 1, RLENGTH), word, " "); print ns word[n] }
       match($0, /^KWINDEL_KIT_EXPORT .*[ *&][A-Za-z_0-9]+\(/) {
         name = substr($0, 1, RLENGTH - 1); sub(/.*[ *&]/, "", name); print ns name }' "$header"
done | sort -u >"$work/marked"
if [ ! -s "$work/marked" ]; then
  echo "no KWINDEL_KIT_EXPORT found in $headers" >&2
  exit 1
fi

# Each defined symbol, demangled, without the linker's own markers and with
# the prefix that says what it is of (vtable for, typeinfo for, thunks).
nm -D --defined-only --extern-only -C "$library" | cut -d' ' -f3- |
  grep -v -x -e _edata -e _end -e __bss_start -e _init -e _fini |
  sed -e 's/^\(typeinfo name for\|typeinfo for\|vtable for\|VTT for\) //' \
      -e 's/^\(non-virtual\|virtual\) thunk to //' >"$work/symbols"

# A symbol belongs to a marked name when it is that name, a member of it
# (Name::…) or a function of that name (Name(…) or Name[abi:…](…)).
sed 's/.*/^&($|::|\\(|\\[abi:)/' "$work/marked" >"$work/patterns"
if grep -E -v -f "$work/patterns" "$work/symbols" >"$work/stray"; then
  echo "$library exports symbols that no installed header marks with KWINDEL_KIT_EXPORT:" >&2
  cat "$work/stray" >&2
  exit 1
fi
echo "$(wc -l <"$work/symbols") symbols, all of: $(tr '\n' ' ' <"$work/marked")"
