#!/bin/sh
# Builds the dBase fuzz target with clang and libFuzzer and runs it for a bounded time.
#   bench/dbase/fuzz.sh [seconds]    (default 60; needs clang and libclang-rt-14-dev)
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DLAB2SIV_TESTS=OFF -DLAB2SIV_FUZZ=ON >/dev/null
cmake --build "$build" --target dbase_fuzz
corpus="$build/dbase_corpus"
mkdir -p "$corpus"
# Seeds: every table fixture, with no memo part.
for f in "$root"/tests/fixtures/lab/*.dbf "$root"/tests/fixtures/lab/broken/*.dbf; do
  { printf '\000\000\000'; cat "$f"; } > "$corpus/seed_$(basename "$f")"
done
# A seed with its FoxPro memo file in front.
memo="$root/tests/fixtures/lab/RNX51.fpt"
len=$(wc -c < "$memo")
{ printf "\\003\\$(printf %03o $((len % 256)))\\$(printf %03o $((len / 256)))"; cat "$memo" "$root/tests/fixtures/lab/RNX51.dbf"; } \
  > "$corpus/seed_memo"
cd "$build"
# The target writes its scratch table under TMPDIR; keep it inside the build folder.
export TMPDIR="$build/fuzz_tmp"
mkdir -p "$TMPDIR"
./bench/dbase/dbase_fuzz -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 "$corpus"
