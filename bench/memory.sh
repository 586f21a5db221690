#!/usr/bin/env bash
# Peak resident memory of `corvane serve` holding a 4K frame on the
# simulated card, after 100, 10,000 and 20,000 patch requests.
#   bench/memory.sh [build-dir]
# Linux only: it reads the peak from GNU time (-f %M) and names the card's
# library; on macOS, /usr/bin/time -l gives the peak in bytes and the card
# is build/sim/DeckLinkAPI.framework.
# Target: at most one frame (4096 x 2160 x 4 bytes = 33.75 MiB) plus 8 MiB,
# and no growth with the number of requests. (The simulated card keeps its
# 4096 most recently released objects as zombies to catch late Releases; one
# is released per paint, so its share levels off after 4096 requests.)
set -euo pipefail
build=${1:-build}
hold=$(mktemp -d)
trap 'rm -rf "$hold"' EXIT

peak_kib() {
  local requests=$1
  python3 - "$requests" <<'PY' |
import sys
print('{"cmd":"open","mode":"4k"}')
for i in range(int(sys.argv[1])):
    print('{"cmd":"patch","r":%d,"g":512,"b":64,"bg_r":64,"bg_g":64,"bg_b":64,"area":10}' % (i % 1024))
print('{"cmd":"quit"}')
PY
  CORVANE_DECKLINK_API="$build/sim/libDeckLinkAPI.so" DECKLINK_SIM_DEVICES="Bench=hd uhd 4k" DECKLINK_SIM_CONFIG= \
    DECKLINK_SIM_LOG= DECKLINK_SIM_CAPTURE= DECKLINK_SIM_HOLD_DIR="$hold" \
    /usr/bin/time -f "%M" "$build/corvane" serve 2>&1 >/dev/null | tail -n 1
}

frame_kib=$((4096 * 2160 * 4 / 1024))
limit_kib=$((frame_kib + 8 * 1024))
small=$(peak_kib 100)
large=$(peak_kib 10000)
larger=$(peak_kib 20000)
echo "peak RSS after   100 requests: ${small} KiB"
echo "peak RSS after 10000 requests: ${large} KiB"
echo "peak RSS after 20000 requests: ${larger} KiB"
echo "one 4K frame: ${frame_kib} KiB; limit (frame + 8 MiB): ${limit_kib} KiB"
echo "growth from 100 to 10000 requests: $((large - small)) KiB"
echo "growth from 10000 to 20000 requests: $((larger - large)) KiB"
[ "$larger" -le "$limit_kib" ]
