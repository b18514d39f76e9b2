# What the command-line tests share, sourced with the test's own arguments (bin folder,
# source folder, build folder): a fresh working folder removed at the end, no display, and
# the check of a run that must fail.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
lumorra=$bin/lumorra
cd "$work"

# Every name in the folder and every file's content.
snapshot() { { find . -path ./page -prune -o -print; find . -type f -exec md5sum {} +; } | sort; }
# expect_failure STATUS MESSAGE ARG...: lumorra ARG... ends with STATUS and the one line
# "lumorra: ...MESSAGE..." or, after a command, "lumorra COMMAND: ...MESSAGE..." (libpng
# reports a damaged file on a line of its own first), and the folder is as it was.
expect_failure() {
    local status=$1 message=$2 rc=0 prefix=lumorra; shift 2
    case ${1:-} in create | resolve | video) prefix="lumorra $1" ;; esac
    local before; before=$(snapshot)
    $lumorra "$@" >out 2>err || rc=$?
    [ "$rc" -eq "$status" ] || fail "lumorra $*: status $rc, not $status"
    [ "$(grep -vc '^libpng error: ' err)" -eq 1 ] && grep -q "^$prefix: .*$message" err \
        || fail "lumorra $*: $(cat err)"
    rm out err
    [ "$(snapshot)" = "$before" ] || fail "lumorra $* changed the folder"
}
