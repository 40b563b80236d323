#!/bin/sh
# Writes the Debian changelog of the package from CHANGELOG.md: each "## VERSION (DATE)" release
# with its "- " entries, newest first, in the format dpkg and lintian read.
#
#   debian-changelog.sh CHANGELOG.md PACKAGE REVISION MAINTAINER OUTPUT
set -eu
[ $# -eq 5 ] || { echo "usage: $0 CHANGELOG.md PACKAGE REVISION MAINTAINER OUTPUT" >&2; exit 2; }

LC_ALL=C TZ=UTC awk -v package="$2" -v revision="$3" -v maintainer="$4" '
function end_release() {
    if (version != "")
        printf "\n -- %s  %s\n", maintainer, stamp
}
/^## / {
    if (!match($0, /^## [^ ]+ \([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]\)$/)) {
        print "CHANGELOG.md: not a release heading: " $0 > "/dev/stderr"
        exit 1
    }
    end_release()
    if (version != "")
        print ""
    version = $2
    date = substr($3, 2, 10)
    command = "date -R -d " date
    command | getline stamp
    close(command)
    printf "%s (%s-%s) unstable; urgency=medium\n\n", package, version, revision
    next
}
version == "" || /^$/ { next }
{
    gsub(/`/, "")
    if (sub(/^- /, "  * ") || sub(/^  /, "    "))
        print
    else {
        print "CHANGELOG.md: neither an entry nor its continuation: " $0 > "/dev/stderr"
        exit 1
    }
}
END { end_release() }
' "$1" > "$5"
