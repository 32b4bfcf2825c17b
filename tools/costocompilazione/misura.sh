#!/usr/bin/env bash
# The CPU cost of a clean build of everything, in reference units.
#
# A reference unit is the mean CPU time (user + system) of one compile of
# riferimento.cpp, a small Qt Widgets form, when nproc copies compile at once
# as the build's own compiles do. It is measured just before and just after
# the build and the two are averaged, so the ratio holds on machines of
# different speed and under a steady background load.
#
#   tools/costocompilazione/misura.sh [build folder]     (default /tmp/mondaro-costo)
#
# The build folder is deleted and configured afresh (only an empty folder or
# an earlier build folder); the compiler cache is kept out of it. Run it on an
# otherwise quiet machine or under a steady load: the ratio cancels the speed
# of the machine, not a load that comes and goes.
set -euo pipefail

QUI="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
RADICE="$(cd "$QUI/../.." && pwd)"
CARTELLA="${1:-/tmp/mondaro-costo}"
COPIE="$(nproc)"
export CCACHE_DISABLE=1

# User + system CPU seconds of a command and all its children; its output goes to $REGISTRO.
CpuDi() {
    local TIMEFORMAT='%3U %3S' tempi
    if ! tempi=$( { time "$@" >>"$REGISTRO" 2>&1; } 2>&1 ); then
        echo "Failed: $* (see $REGISTRO)" >&2
        exit 1
    fi
    echo "$tempi"
}

CompilaCopie() {
    local cartella="$1" i
    for ((i = 0; i < COPIE; ++i)); do
        g++ -std=c++20 -O2 -g -fPIC $(pkg-config --cflags Qt6Widgets) -c "$QUI/riferimento.cpp" -o "$cartella/r$i.o" &
    done
    local errore=0
    for ((i = 0; i < COPIE; ++i)); do wait -n || errore=1; done
    return $errore
}

# One reference unit in CPU seconds.
Unita() {
    local cartella t
    cartella="$(mktemp -d)"
    t=$(CpuDi CompilaCopie "$cartella")
    rm -rf "$cartella"
    awk -v n="$COPIE" '{ printf "%.2f", ($1 + $2) / n }' <<<"$t"
}

# Only an empty folder or an earlier build folder is deleted.
if [ -d "$CARTELLA" ] && [ -n "$(ls -A "$CARTELLA")" ] && [ ! -f "$CARTELLA/CMakeCache.txt" ]; then
    echo "$CARTELLA is not a build folder; give an empty or new one" >&2
    exit 1
fi
rm -rf "$CARTELLA"
mkdir -p "$CARTELLA"
REGISTRO="$CARTELLA/misura.log"
pkg-config --exists Qt6Widgets || { echo "pkg-config finds no Qt6Widgets" >&2; exit 1; }

echo "Reference unit before the build ($COPIE copies at once)..."
PRIMA=$(Unita)
echo "  $PRIMA CPU-s"
echo "Clean configure and build in $CARTELLA..."
COSTRUZIONE=$(CpuDi bash -c 'cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER_LAUNCHER= && cmake --build "$2"' _ "$RADICE" "$CARTELLA")
echo "  $(awk '{ printf "%.0f CPU-s (user %.0f + system %.0f)", $1 + $2, $1, $2 }' <<<"$COSTRUZIONE")"
echo "Reference unit after the build..."
DOPO=$(Unita)
echo "  $DOPO CPU-s"
awk -v c="$COSTRUZIONE" -v a="$PRIMA" -v b="$DOPO" 'BEGIN {
    split(c, t, " "); u = (a + b) / 2
    printf "Clean build: %.0f CPU-s = %.0f reference units of %.2f CPU-s\n", t[1] + t[2], (t[1] + t[2]) / u, u }'
