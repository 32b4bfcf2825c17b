#!/usr/bin/env bash
# Builds every reader's fuzz entry with clang's libFuzzer and runs each for a
# short while (FUZZ_SECONDI, default 30) on a copy of its seed corpus.
set -euo pipefail
RADICE="$(cd "$(dirname "$0")" && pwd)"
source "$RADICE/scripts/comune.sh"
PACCHETTI+=(clang libclang-rt-14-dev)
installa_mancanti
B="$RADICE/fuzz-build"
CC=clang CXX=clang++ cmake -S "$RADICE" -B "$B" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMONDARO_FUZZ=ON -DMONDARO_TESTS=OFF -DMONDARO_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" >/dev/null
cmake --build "$B" -j "$(nproc)"
SECONDI="${FUZZ_SECONDI:-30}"
esito=0
for f in "$B"/fuzz/fuzz_*; do
  n="$(basename "$f")"; n="${n#fuzz_}"
  lavoro="$B/corpus/$n"; mkdir -p "$lavoro"
  [ -d "$RADICE/fuzz/corpus/$n" ] && cp -n "$RADICE/fuzz/corpus/$n"/* "$lavoro"/ 2>/dev/null || true
  echo "== $n (${SECONDI}s)"
  if ! "$f" "$lavoro" -max_total_time="$SECONDI" -timeout=5 -rss_limit_mb=2048 -print_final_stats=0 2>"$B/$n.log"; then
    echo "FAILED: $n (see $B/$n.log)"; tail -30 "$B/$n.log"; esito=1
  fi
done
exit $esito
