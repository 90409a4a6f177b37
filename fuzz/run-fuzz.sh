#!/usr/bin/env bash
# Builds the fuzzers with ASan and UBSan and runs each for its share of SECONDS (default 60):
# three quarters to the listing, the rest to the Shift-JIS conversion.
#
#   fuzz/run-fuzz.sh [SECONDS]
#
# BUILD_DIR overrides the build directory (default build-fuzz at the top of the tree). The corpus
# grows under $BUILD_DIR/fuzz-corpus across runs; a failing input is saved in
# $BUILD_DIR/fuzz-artifacts. Exits non-zero on any crash, leak, timeout or sanitizer report.
set -euo pipefail

seconds=${1:-60}
if ! [[ $seconds =~ ^[0-9]+$ ]] || ((seconds < 2)); then
    echo "usage: $0 [SECONDS]   (at least 2)" >&2
    exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZELM_FUZZ=ON -DZELM_SANITIZE=ON -DZELM_UI=OFF -DZELM_BENCH=OFF -DZELM_TESTS=OFF
cmake --build "$build" --target fuzz-listing fuzz-cp932

# Seeds are rewritten on every run; the corpus directory, listed first, is where libFuzzer keeps
# what it finds.
seeds=$build/fuzz-seeds
artifacts=$build/fuzz-artifacts
rm -rf "$seeds"
mkdir -p "$seeds/listing" "$seeds/cp932" "$artifacts" \
    "$build/fuzz-corpus/listing" "$build/fuzz-corpus/cp932"
cp "$root"/samples/*.trc "$seeds/listing/"

# A header with the given point count (two bytes, as printf escapes) and data name, 144 bytes.
header() {
    printf 'TRAC1.00\0\1\0\0\x20\x26\x10\x03\x09\x15\x42'
    head -c 15 /dev/zero
    printf "$1"
    head -c 36 /dev/zero
    printf "$2" | head -c 20
    head -c $((20 - $(printf "$2" | head -c 20 | wc -c))) /dev/zero
    head -c 52 /dev/zero
}
header '\0\1' 'one' >"$seeds/listing/one-point.trc"
printf '\x0f\x79\x80\0\x04\x42\x40\0' >>"$seeds/listing/one-point.trc"
header '\0\2' 'line\nfeed' >"$seeds/listing/name-with-line-feed.trc"
header '\0\0' '\x83\x65\x83\x58\x83' >"$seeds/listing/name-cut-in-a-character.trc"
header '\x27\x10' '' | head -c 100 >"$seeds/listing/ends-in-the-name.trc"
printf 'TRAC1.00\0\1\0\0\x20\x26\x10' >"$seeds/listing/ends-in-the-date.trc"
printf 'TRAC1.0' >"$seeds/listing/short-signature.trc"
printf 'TRAC\n1.00' >"$seeds/listing/line-feed-in-signature.trc"
printf 'TR\0C1.00' >"$seeds/listing/nul-in-signature.trc"
printf '\x1b[2J\x83\x74\x83' >"$seeds/listing/control-in-signature.trc"

printf '\x8b\x4f\x90\xd5\x83\x66\x81\x5b\x83\x5e' >"$seeds/cp932/double-byte.txt"
printf '\xb6\xc0\xb6\xc5 abc\\~' >"$seeds/cp932/half-width-and-ascii.txt"
printf '\x87\x40\xed\x40\xfa\x40\xf0\x40' >"$seeds/cp932/extensions-and-user-area.txt"
printf '\x80\xa0\xfd\xfe\xff\x81\x7f\x81\n\x83' >"$seeds/cp932/invalid-and-truncated.txt"
printf 'tab\there\x7f\x1b[0m\r\n' >"$seeds/cp932/controls.txt"

status=0
run() {
    local name=$1 time=$2
    shift 2
    echo "== fuzz-$name for ${time}s"
    if ! "$build/bin/fuzz-$name" -max_total_time="$time" -rss_limit_mb=2048 -timeout=20 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$@" \
        "$build/fuzz-corpus/$name" "$seeds/$name"; then
        echo "== fuzz-$name FAILED: reproducer in $artifacts/" >&2
        status=1
    fi
}
listing_time=$((seconds * 3 / 4))
run listing "$listing_time" -max_len=4096
run cp932 $((seconds - listing_time)) -max_len=1024
exit $status
