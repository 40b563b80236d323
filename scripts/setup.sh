#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the viewer needs to build, run and be tested.
# Run as root on Debian 12; packages already present are not fetched again.
set -euo pipefail

packages=(
    # build
    cmake g++ ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libvulkan-dev
    libbenchmark-dev
    # the font configuration the window reads ahead while Qt starts
    libfontconfig-dev
    # the window's font, the font that draws the control bytes' symbols, and running it on a
    # desktop or a virtual one
    fonts-liberation2 fonts-freefont-ttf qt6-qpa-plugins
    # tests in a real window: virtual display, input, accessibility bus
    xvfb xdotool at-spi2-core dbus dbus-daemon
    python3 python3-pyatspi gir1.2-atspi-2.0 python3-gi
    # the system calls of the viewer while it follows a file: it never writes, makes or locks it
    strace
    # fuzzing and sanitizers
    clang libclang-rt-dev
    # desktop integration checks and packaging: the entry, the MIME type, the metadata, the
    # manual page and Debian's own package checker
    desktop-file-utils dpkg-dev fakeroot file
    shared-mime-info xdg-utils libfile-mimeinfo-perl appstream man-db groff-base lintian
    # the Windows build: cross compiler, Wine to run it, the installer maker; the window's
    # clipboard and screenshots on a virtual display
    g++-mingw-w64-x86-64-posix wine wine64 nsis unzip xclip imagemagick
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
