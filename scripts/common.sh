# What the scripts share, sourced from the project root: the build folders, Wine's environment
# and the virtual display.
#   source scripts/common.sh

# The build folder of a preset in CMakePresets.json, where the folders are written once.
preset_dir() {
    tools/preset-dir "$1"
}

# Every Wine run here: the Wine prefix given, quiet, without the .NET and HTML runtimes Wine
# would offer to fetch, and DLLs found only where the caller says. Wine turns file names into
# the Windows code page from the locale: with none set, as in a bare container, every non-ASCII
# letter becomes "?", so Wine always runs in a UTF-8 locale.
wine_env() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
    unset WINEPATH
}

# Starts a virtual display of our own (tools/virtual-display) and points DISPLAY at it. The
# display's process id is in $display_pid for the caller to stop.
start_display() {
    exec {display_fd}< <(tools/virtual-display)
    display_pid=$!
    local number
    read -r -u "$display_fd" number
    export DISPLAY=":$number"
}
