#!/bin/sh
# Runs one fuzz target, built with clang's libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of its own (build-fuzz/, or
# $LUMORRA_FUZZ_BUILD), starting from the seed corpus in tests/fuzz/corpus/TARGET.
#
#   tools/fuzz.sh TARGET SECONDS [RUNS]
#
# TARGET: gif_resolve, png_frame or gif_encoder. Without RUNS it runs for SECONDS and keeps
# what it finds new in build-fuzz/corpus/TARGET; with RUNS it stops after that many inputs
# (or SECONDS) and keeps nothing. A fault leaves its input in build-fuzz/artifacts/.
set -e
if [ $# -lt 2 ]; then
    sed -n '2,11s/^# \{0,1\}//p' "$0" >&2
    exit 2
fi
target=$1
seconds=$2
runs=${3:-}
source=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMORRA_FUZZ_BUILD:-$source/build-fuzz}
seeds=$source/tests/fuzz/corpus/$target
if [ ! -d "$seeds" ]; then
    echo "no fuzz target $target" >&2
    exit 2
fi

launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$source" -B "$build" -DLUMORRA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher >/dev/null
fi
cmake --build "$build" --target "fuzz_$target" -j2 >/dev/null

mkdir -p "$build/artifacts"
if [ -n "$runs" ]; then
    corpus=$(mktemp -d "${TMPDIR:-/tmp}/lumorra-fuzz.XXXXXX")
    trap 'rm -rf "$corpus"' EXIT
    limits="-runs=$runs"
else
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    limits=""
fi
# LeakSanitizer's thread tracer crashes now and then on the TLS of the image plugins that
# Qt loads at run time (clang 14 on glibc 2.36), so leaks are not looked for.
cd "$build"
nice -n 10 "$build/bin/fuzz_$target" "$corpus" "$seeds" -max_total_time="$seconds" \
    $limits -timeout=25 -rss_limit_mb=2560 -detect_leaks=0 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/${target}-"
