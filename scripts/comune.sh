# Shared by run.sh and test.sh: install what a fresh Debian machine lacks,
# then configure and build into build/.
set -euo pipefail
RADICE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$RADICE/build"

PACCHETTI=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
           libbenchmark-dev fonts-dejavu-core fonts-dejavu-extra fonts-liberation2)

installa_mancanti() {
    local mancanti=()
    for p in "${PACCHETTI[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
    done
    if ((${#mancanti[@]})); then
        echo "Installing: ${mancanti[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${mancanti[@]}"
    fi
}

# With target names, builds only those (run.sh: the program, the companion and
# the run-time tree); without, everything (tests, benchmarks, tools).
costruisci() {
    cmake -S "$RADICE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    if (($#)); then
        cmake --build "$BUILD" -j "$(nproc)" --target "$@"
    else
        cmake --build "$BUILD" -j "$(nproc)"
    fi
}
