#!/bin/sh
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed kit works from another CMake project: find_package(KwindelKit 1.0),
# link Kwindel::Kit, build a program in plain code and one from a form made in
# Qt Designer, run both. Usage: KitConsumerTest.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" --component kit >/dev/null
cmake -S "$source" -B "$work/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/consumer" >/dev/null
# Its own runtime folder: without one, Qt makes one in the temporary folder and leaves it there.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
timeout 20 "$work/consumer/kit_consumer"
timeout 20 "$work/consumer/kit_form"
echo "kit consumer ok"
