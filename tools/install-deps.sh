#!/usr/bin/env bash
# Installs, when missing, every Debian package the build and the tests need:
# the mingw-w64 cross compilers, Wine (32-bit), a virtual X server, ffmpeg,
# GoogleTest sources, clang with libFuzzer, ImageMagick, xdotool, Wine's own fonts (Marlett for
# the system's caption buttons), a Latin sans font and an outline CJK font for the Wine prefix
# (tools/wine-session.sh), ccache, which keeps compiled objects between builds, xmllint
# (libxml2-utils), which checks the program's manifest, a sound server with its tools for the
# tests that record sound (pulseaudio, pulseaudio-utils: pactl, pacat, paplay; sox makes tones),
# mediainfo and GStreamer's AVI reader (gstreamer1.0-tools, gstreamer1.0-plugins-good),
# independent readers of the files with sound, and the 32-bit C and C++ libraries
# (libc6-dev-i386, lib32stdc++-12-dev, lib32gcc-12-dev) for the 32-bit fuzz builds.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb xdotool x11-utils imagemagick ffmpeg
  fonts-wine fonts-liberation fonts-wqy-microhei xauth procps ccache libxml2-utils
  pulseaudio pulseaudio-utils sox mediainfo gstreamer1.0-tools gstreamer1.0-plugins-good
  libc6-dev-i386 lib32stdc++-12-dev lib32gcc-12-dev
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  NEED_UPDATE=1
fi
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done

# A mirror in the middle of a sync serves an index that does not match its release file, and
# apt-get update fails on it; a later try usually finds it whole. After the last try the install
# goes on with the lists apt has, and fails itself only when they lack what is needed.
update_lists() {
  local try
  for try in 1 2 3; do
    apt-get update -qq && return 0
    ((try < 3)) && { echo "apt-get update failed (try $try of 3); trying again in 30 s" >&2; sleep 30; }
  done
  echo "apt-get update failed three times; installing from the lists apt has" >&2
}

if ((${#need[@]})); then
  echo "installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  update_lists
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
elif [[ -n "${NEED_UPDATE:-}" ]]; then
  update_lists
fi
