# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Chroots of a Debian release for scripts/check-package and scripts/check-release:
# a debootstrap base made once and kept, and fresh copies of it to work in.
# Sourced, not run. Needs root and the network.

# The releases the project supports; a chroot of either can be made from the other.
chroot_releases=(bookworm trixie)

# The codename of the running system, e.g. bookworm.
host_release() {
  (. /etc/os-release && echo "${VERSION_CODENAME:-}")
}

# Fails with a message unless $1 is one of the supported releases.
check_release_name() {
  local known
  for known in "${chroot_releases[@]}"; do
    [ "$1" = "$known" ] && return 0
  done
  echo "unknown release '$1': one of ${chroot_releases[*]}" >&2
  return 1
}

# Makes the base of release $1 in folder $2 unless it is there: a minimal
# Debian with the release's own updates and security archives.
make_base() {
  local release=$1 base=$2
  [ -x "$base/bin/sh" ] && return 0
  echo "Making the $release base in $base"
  # debootstrap mounts /proc and more inside while it works.
  unmount_all "$base.new"
  rm -rf "$base.new"
  mkdir -p "$(dirname "$base")"
  debootstrap --variant=minbase "$release" "$base.new" http://deb.debian.org/debian >/dev/null
  cat >"$base.new/etc/apt/sources.list" <<EOF
deb http://deb.debian.org/debian $release main
deb http://deb.debian.org/debian $release-updates main
deb http://deb.debian.org/debian-security $release-security main
EOF
  mv "$base.new" "$base"
}

# Undoes every mount under folder $1, innermost first, and fails if one stays:
# rm -rf must never reach through a bind mount into the host's folders.
unmount_all() {
  local root=$1 target
  for target in $(findmnt -rn -o TARGET | grep -F "$root/" | sort -r); do
    umount -l "$target"
  done
  if findmnt -rn -o TARGET | grep -qF "$root/"; then
    echo "still mounted under $root" >&2
    exit 1
  fi
}

# Replaces folder $2 with a fresh copy of the base in $1, with the host's
# name resolution so that apt reaches the archive.
fresh_root() {
  local base=$1 root=$2
  unmount_all "$root"
  rm -rf "$root"
  cp -a "$base" "$root"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
}

# Mounts what a chroot $1 needs to build in: /proc, and terminals of its own,
# as apt and dpkg expect.
mount_work_filesystems() {
  local root=$1
  mount -t proc proc "$root/proc"
  mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
  ln -sf pts/ptmx "$root/dev/ptmx"
}

# Installs Debian's Emscripten, the host's Qt tools that Qt for WebAssembly
# builds with, and any packages named after the chroot $1 (a Debian 13 one),
# and lays out the emsdk folder that Qt's CMake files look for: /opt/emsdk,
# given to every build as EMSDK.
install_emscripten() {
  local root=$1
  shift
  echo "Installing Emscripten and the host's Qt tools in the Debian 13 chroot"
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive sh -c '
    apt-get update -qq &&
    apt-get install -y -qq --no-install-recommends emscripten qt6-base-dev qt6-base-dev-tools \
      qt6-base-private-dev cmake ninja-build python3 nodejs node-acorn perl file \
      fonts-liberation "$@" >/dev/null
  ' install "$@"
  mkdir -p "$root/opt/emsdk/upstream/emscripten"
  echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$root/opt/emsdk/.emscripten"
  ln -sf /usr/bin/emcc /usr/bin/em++ "$root/opt/emsdk/upstream/emscripten/"
  ln -sfn /usr/share/emscripten/cmake "$root/opt/emsdk/upstream/emscripten/cmake"
}
