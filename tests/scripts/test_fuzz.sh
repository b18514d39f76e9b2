#!/bin/sh
# Runs each fuzz target a fixed, short number of times over its seed corpus, under
# AddressSanitizer and UndefinedBehaviorSanitizer; skipped where clang's libFuzzer is
# missing. Arguments: the folder of the built programs, the source folder, the build folder.
source=$2
build=$3
probe=$(mktemp -d "${TMPDIR:-/tmp}/fuzzprobe.XXXXXX")
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long)\n{ return 0; }\n' \
    >"$probe/probe.cpp"
if ! command -v clang++ >/dev/null || ! clang++ -fsanitize=fuzzer,address,undefined \
    "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
    echo "SKIP: no clang++ with libFuzzer"
    exit 77
fi

status=0
for target in gif_resolve png_frame gif_encoder; do
    if ! LUMORRA_FUZZ_BUILD="$build/fuzz" "$source/tools/fuzz.sh" "$target" 60 400 \
        >"$build/fuzz-$target.log" 2>&1; then
        echo "FAIL: fuzz target $target"
        tail -n 40 "$build/fuzz-$target.log"
        status=1
    else
        runs=$(grep -o 'number_of_executed_units: [0-9]*' "$build/fuzz-$target.log")
        echo "fuzz target $target: $runs"
    fi
done
exit $status
