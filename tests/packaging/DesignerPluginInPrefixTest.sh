#!/bin/sh
# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# The kit installed into a prefix outside the system's library folders: Qt
# Designer, pointed there with QT_PLUGIN_PATH alone (no LD_LIBRARY_PATH), loads
# the plugin and the plugin finds the kit's library in that prefix.
# Usage: DesignerPluginInPrefixTest.sh BUILD_DIR PROBE
set -eu
build=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/kit" --component kit >/dev/null
plugin=$(find "$work/kit" -name libkwindelkit.so -path '*/designer/*')
plugins=$(dirname "$(dirname "$plugin")")
env -u LD_LIBRARY_PATH QT_PLUGIN_PATH="$plugins" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" \
  timeout 20 "$probe" "$work/kit"
