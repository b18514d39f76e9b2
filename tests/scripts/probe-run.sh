# Sourced by the install and package tests.
# probe_run LAUNCHER PROBE FOLDER [LANGUAGE [ARG...]]: starts the launcher with the ARGs from
# FOLDER/elsewhere with its own home and settings (Language=LANGUAGE when not empty, else
# English) under the locale PROBE_LOCALE (C.UTF-8 when not set), lets the preloaded probe
# report the window's texts into FOLDER/report and close the window, and fails unless the
# program ends by itself with exit code 0.
probe_run() {
    local launcher=$1 probe=$2 dir=$3 language=${4:-}
    shift $(($# < 4 ? $# : 4))
    mkdir -p "$dir/elsewhere" "$dir/config/Tessmark"
    [ -n "$language" ] && printf '[General]\nLanguage=%s\n' "$language" >"$dir/config/Tessmark/Lumorra.conf"
    local rc=0
    (cd "$dir/elsewhere" && env -u LC_ALL -u LANGUAGE LANG="${PROBE_LOCALE:-C.UTF-8}" HOME="$dir" \
        XDG_CONFIG_HOME="$dir/config" QT_QPA_PLATFORM=offscreen LD_PRELOAD="$probe" \
        timeout 60 "$launcher" "$@") >"$dir/report" 2>"$dir/stderr" || rc=$?
    if [ "$rc" -ne 0 ]; then
        echo "FAIL: $launcher ended with $rc" >&2
        cat "$dir/stderr" >&2
        return 1
    fi
}

# expect_texts FOLDER LINE...: every LINE is in FOLDER/report.
expect_texts() {
    local dir=$1; shift
    local line
    for line in "$@"; do
        grep -qxF "$line" "$dir/report" || { echo "FAIL: '$line' not shown; the window showed:" >&2
                                              cat "$dir/report" >&2; return 1; }
    done
}

# expect_setting FOLDER VALUE: the stored Language after the run.
expect_setting() {
    grep -qx "Language=$2" "$1/config/Tessmark/Lumorra.conf" || {
        echo "FAIL: stored language is not $2:" >&2; cat "$1/config/Tessmark/Lumorra.conf" >&2; return 1; }
}
