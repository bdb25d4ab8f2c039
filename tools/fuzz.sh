#!/usr/bin/env bash
# Builds the skin fuzz targets with clang (libFuzzer, ASan, UBSan), seeds them with skins made by
# skinpack, runs each for a bounded time and prints executions and findings.
#
#   tools/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# Default: 60 s for each of lzh_decode, skin_archive, skin_ini, lzh_roundtrip, bmp_reader,
# skin_elements. Findings (crash,
# leak, timeout or out-of-memory inputs) are kept in build-fuzz/findings/TARGET/. Exit status 1
# when any target found something. Too slow for CI.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(lzh_decode skin_archive skin_ini lzh_roundtrip bmp_reader skin_elements)
build="$root/build-fuzz"
jobs="${JOBS:-2}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DRECORDER_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" --target skinpack $(printf 'fuzz_%s ' "${targets[@]}") >/dev/null

# Seeds, made by skinpack: skin files, unpacked archives and INI texts of the sample skin in its
# tiny and full sizes and of a skin that holds only its description. The decoder and the round
# trip get the small ones: a full skin costs milliseconds per execution under the sanitizers.
skinpack="$build/tools/skinpack/skinpack"
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{lzh_decode,skin_archive,skin_ini,lzh_roundtrip,bmp_reader,skin_elements}
"$skinpack" sample "$seeds/folder-full"
"$skinpack" sample "$seeds/folder-tiny" tiny
mkdir -p "$seeds/folder-ini"
cp "$seeds/folder-tiny/sample.ini" "$seeds/folder-ini/"
for size in full tiny ini; do
  "$skinpack" pack "$seeds/folder-$size" "$seeds/$size.skn"
  "$skinpack" raw "$seeds/$size.skn" "$seeds/skin_archive/$size.arc"
done
cp "$seeds/tiny.skn" "$seeds/ini.skn" "$seeds/lzh_decode/"
cp "$seeds/folder-full/sample.ini" "$seeds/skin_ini/sample.ini"
printf '[ Buttons ]\r\nA=B=C\r\n ;c\r\nN=0x1F\r\nM=$1F\r\nE=\r\n' >"$seeds/skin_ini/edge.ini"
cp "$seeds/folder-tiny/"{top.bmp,close.bmp,sample.ini} "$seeds/lzh_roundtrip/"
# The BMP reader starts from the sample's 24-bit images; the whole load from the tiny archive.
cp "$seeds/folder-tiny/"*.bmp "$seeds/bmp_reader/"
cp "$seeds/skin_archive/tiny.arc" "$seeds/skin_elements/"

# Inputs of at most this many bytes: the full-size archive seed is larger and is used cut to
# this length, which keeps runs fast.
max_len=65536
status=0
printf '\n%-14s %12s %10s %s\n' target executions exec/s findings
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  log="$build/fuzz-$target.log"
  set +e
  "$build/fuzz/$target/fuzz_$target" "$corpus" "$seeds/$target" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1
  rc=$?
  set -e
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  found=$(find "$findings" -type f | wc -l)
  printf '%-14s %12s %10s %s\n' "$target" "$execs" "$rate" \
    "$( ((found == 0 && rc == 0)) && echo none || echo "$found file(s), exit $rc: see $log")"
  ((found == 0 && rc == 0)) || status=1
done
exit $status
