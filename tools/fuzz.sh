#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan), seeds them (skins made by
# skinpack; journals and heads of AVI files of recordings killed under Wine, from fuzz/seeds/,
# and files made here), runs each for a bounded time and prints executions and findings.
#
#   tools/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# Default: 60 s for each of lzh_decode, skin_archive, skin_ini, lzh_roundtrip, bmp_reader,
# skin_elements, journal_reader, avi_repair, and journal_reader32 and avi_repair32: the same two
# built for 32-bit x86 (-m32, build-fuzz32/), where size_t is 32 bits as in the shipped program;
# they are left out where the 32-bit libraries are missing. Findings (crash, leak, timeout or
# out-of-memory inputs) are kept in build-fuzz/findings/TARGET/. Exit status 1 when any target
# found something. Too slow for CI.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
build="$root/build-fuzz"
build32="$root/build-fuzz32"
jobs="${JOBS:-2}"
can32() { echo 'int main(){}' | clang++ -m32 -x c++ - -o /dev/null 2>/dev/null; }
if ! ((${#targets[@]})); then
  targets=(lzh_decode skin_archive skin_ini lzh_roundtrip bmp_reader skin_elements journal_reader avi_repair)
  if can32; then targets+=(journal_reader32 avi_repair32); else echo "no 32-bit libraries: 32-bit targets left out"; fi
fi
native=() wide=()
for t in "${targets[@]}"; do
  if [[ $t == *32 ]]; then wide+=("fuzz_${t%32}"); else native+=("fuzz_$t"); fi
done

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DRECORDER_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$jobs" --target skinpack "${native[@]}" >/dev/null
if ((${#wide[@]})); then
  CC=clang CXX=clang++ CFLAGS=-m32 CXXFLAGS=-m32 LDFLAGS=-m32 cmake -S "$root" -B "$build32" -DRECORDER_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build32" -j"$jobs" --target "${wide[@]}" >/dev/null
fi

# Seeds, made by skinpack: skin files, unpacked archives and INI texts of the sample skin in its
# tiny and full sizes and of a skin that holds only its description. The decoder and the round
# trip get the small ones: a full skin costs milliseconds per execution under the sanitizers.
skinpack="$build/tools/skinpack/skinpack"
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{lzh_decode,skin_archive,skin_ini,lzh_roundtrip,bmp_reader,skin_elements,journal_reader,avi_repair}
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
# The journal reader and the repair: killed recordings (a journal and the head of its file, in
# the repair's input form: a 16-bit journal length, the journal, the file), their journals alone,
# and generated files for the built-in journal of a video and a sound stream (length 0xFFFF, a
# bad-spot byte, 64 bytes of records: 8 key frames of 4 bytes, the file).
cp "$root"/fuzz/seeds/*.seed "$seeds/avi_repair/"
for seed in "$root"/fuzz/seeds/*.seed; do
  n=$(od -An -tu2 -N2 "$seed" | tr -d ' ')
  tail -c +3 "$seed" | head -c "$n" >"$seeds/journal_reader/$(basename "$seed" .seed).journal"
done
generated() { # name bad-spot chunk-ids...
  local name=$1 bad=$2 id
  shift 2
  {
    printf '\xff\xff'
    printf "\\x$(printf %02x "$bad")"
    for _ in $(seq 8); do printf '\x10\x00\x00\x00\x04\x00\x00\x00'; done
    head -c 2048 /dev/zero
    for id in "$@"; do printf '%s\x04\x00\x00\x00abcd' "$id"; done
  } >"$seeds/avi_repair/$name"
}
generated picture-and-sound 255 00dc 01wb 00dc 01wb 00db 00pc 01wb
generated bad-spot 128 00dc 00dc 01wb 00dc 01wb 00dc

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
  program="$build/fuzz/$target/fuzz_$target" seed="$seeds/$target"
  [[ $target == *32 ]] && program="$build32/fuzz/${target%32}/fuzz_${target%32}" seed="$seeds/${target%32}"
  "$program" "$corpus" "$seed" \
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
