#!/usr/bin/env bash
# Makes Qt for Windows (MinGW-w64, x86_64) with Core, Gui, Widgets, Test and the Windows platform
# plugin, the same version as the Linux Qt the viewer is built with, and prints its folder.
#
# The result is kept under ~/.cache/kivo32 (or $KIVO_CACHE), so a second run costs nothing, even
# from another clone. To make it, the script either unpacks the prebuilt copy in ../shared/cache,
# but only when its checksum is the one pinned here, or builds Qt from Debian's own qt6-base
# source with Debian's MinGW-w64 (about 14 minutes on 2 cores). The source is fetched through a
# private apt configuration; the machine's own is left alone.
#
#   qt=$(scripts/build-qt-windows.sh)       progress goes to stderr, the folder to stdout
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

qt_version=6.4.2
name=qt6-$qt_version-mingw-w64-x86_64
prebuilt=../shared/cache/$name.tar.xz
prebuilt_sha256=e8ffa76b493145afba0a19207491c706d485bc415352afbf302f6cbb3a82f573
cache=${KIVO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kivo32}
prefix=$cache/$name
stamp=$prefix/.kivo32-complete

say() { echo "build-qt-windows: $*" >&2; }

if [ -f "$stamp" ]; then
    say "ready in $prefix ($(cat "$stamp"))"
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
# Work next to the result and move it into place only when whole, so an interrupted run leaves
# nothing that looks finished.
work=$(mktemp -d "$cache/.work-XXXXXX")
trap 'rm -rf "$work"' EXIT
start=$SECONDS

if [ -f "$prebuilt" ] && echo "$prebuilt_sha256  $prebuilt" | sha256sum --check --status; then
    say "unpacking the prebuilt copy $prebuilt"
    tar -xJf "$prebuilt" -C "$work"
    [ -d "$work/$name" ] || { say "the prebuilt copy holds no $name folder"; exit 1; }
    origin="unpacked from $(basename "$prebuilt"), sha256 $prebuilt_sha256"
else
    [ -f "$prebuilt" ] && say "$prebuilt does not match the pinned checksum; building instead"
    # The host Qt runs the code generators and must be the very same version.
    host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
    case $host_version in
    "$qt_version"+*) ;;
    *) say "the Linux Qt is '${host_version:-not installed}', not $qt_version (run scripts/setup.sh)"; exit 1 ;;
    esac

    # A private apt with a deb-src entry beside each of the machine's deb entries.
    apt=$work/apt
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        if [ -f "$file" ]; then
            sed -n 's/^\([[:space:]]*\)deb\([[:space:]]\)/\1deb-src\2/p' "$file"
        fi
    done >"$apt/sources.list"
    for file in /etc/apt/sources.list.d/*.sources; do
        if [ -f "$file" ]; then
            sed 's/^Types:.*/Types: deb-src/' "$file" >"$apt/sources.list.d/$(basename "$file")"
        fi
    done
    cat >"$apt/apt.conf" <<EOF
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "$apt/sources.list.d";
Dir::State::Lists "$apt/lists";
Dir::Cache "$apt/cache";
APT::Sandbox::User "root";
EOF
    export APT_CONFIG=$apt/apt.conf
    say "fetching Debian's qt6-base $host_version source"
    apt-get -q update >&2
    mkdir -p "$work/src"
    (cd "$work/src" && apt-get -q source "qt6-base=$host_version" >&2)
    unset APT_CONFIG
    source_dir=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')

    # Debian's source lacks the bundled wintab headers (so no tablet events), and Qt 6.4 cannot
    # link the Windows platform plugin without Direct2D unless DirectWrite 3 is off too.
    say "configuring"
    mkdir -p "$work/build"
    (cd "$work/build" && "$source_dir/configure" -prefix "$work/$name" -release \
        -xplatform win32-g++ -qt-host-path /usr \
        -nomake examples -nomake tests -no-pkg-config -no-opengl -no-zstd -no-dbus \
        -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-xml \
        -no-feature-concurrent -no-feature-tabletevent -no-feature-direct2d \
        -no-feature-directwrite3 -no-feature-androiddeployqt \
        -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1) || {
        tail -n 40 "$work/configure.log" >&2
        exit 1
    }
    say "building (about 14 minutes on 2 cores)"
    cmake --build "$work/build" --parallel 2 >"$work/build.log" 2>&1 || {
        tail -n 40 "$work/build.log" >&2
        exit 1
    }
    cmake --install "$work/build" >/dev/null
    origin="built from Debian's qt6-base $host_version source"
fi

echo "$origin in $((SECONDS - start)) s" >"$work/$name/.kivo32-complete"
rm -rf "$prefix"
mv "$work/$name" "$prefix"
say "ready in $prefix ($(cat "$stamp"))"
echo "$prefix"
