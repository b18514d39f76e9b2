#!/bin/bash
# The compiled languages beside the program: both compile cleanly, offer the same texts,
# English shows each text as written except "Backup", which reads "Back", Chinese translates
# every one of them, and no text that the code passes through tr() is missing from either.
# Arguments: bin folder, source folder, build folder.
set -euo pipefail
bin=$1 src=$2
lang=$bin/Lang
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The language list: English first, then Chinese, nothing else.
printf 'EN=English\nZH=中文\n' | cmp -s - "$lang/Lang_config" || fail "Lang_config: $(cat "$lang/Lang_config")"

for code in EN ZH; do
    out=$(lrelease "$src/translations/Lang_$code.ts" -qm "$work/$code.qm" 2>&1)
    grep -qi 'warning\|error' <<<"$out" && fail "lrelease $code: $out"
    grep -q ' 0 unfinished' <<<"$out" || fail "unfinished texts in $code: $out"
    cmp -s "$work/$code.qm" "$lang/Lang_$code.qm" || fail "build/bin/Lang/Lang_$code.qm is stale"
done

# One line per text: context <TAB> source <TAB> translation, sorted.
entries() {
    lconvert -i "$1" -of po -o - | awk '
        /^msgctxt / { ctx = substr($0, 10, length($0) - 11); sub(/\|$/, "", ctx) }
        /^msgid /   { id = substr($0, 8, length($0) - 8) }
        /^msgstr /  { if (id != "") print ctx "\t" id "\t" substr($0, 9, length($0) - 9) }' | sort
}
entries "$lang/Lang_EN.qm" >"$work/en"
entries "$lang/Lang_ZH.qm" >"$work/zh"
[ "$(wc -l <"$work/en")" -ge 40 ] || fail "only $(wc -l <"$work/en") English texts"

cut -f1,2 "$work/en" >"$work/en.keys"
cut -f1,2 "$work/zh" >"$work/zh.keys"
diff "$work/en.keys" "$work/zh.keys" || fail "English and Chinese offer different texts"
awk -F'\t' '$2 != $3 && !($2 == "Backup" && $3 == "Back")' "$work/en" | grep . \
    && fail "English texts that do not read as written"
awk -F'\t' '$2 == "Backup" && $3 != "Back"' "$work/en" | grep . \
    && fail "\"Backup\" does not read \"Back\""
awk -F'\t' '$3 == "" || $3 == $2 || $3 !~ /[^ -~]/' "$work/zh" | grep . \
    && fail "Chinese texts left untranslated"

# Every tr() text of the program's code must be in the files (the program name, the
# version and format strings are never passed to tr()).
dirs=()
for d in app pages widgets; do [ -d "$src/$d" ] && dirs+=("$src/$d"); done
lupdate -silent -locations none "${dirs[@]}" -ts "$work/code.ts" >/dev/null 2>&1
if [ -s "$work/code.ts" ]; then
    lconvert -i "$work/code.ts" -of po -o - | awk '
        /^msgctxt / { ctx = substr($0, 10, length($0) - 11); sub(/\|$/, "", ctx) }
        /^msgid /   { id = substr($0, 8, length($0) - 8); if (id != "") print ctx "\t" id }' \
        | sort -u >"$work/code.keys"
    missing=$(comm -23 "$work/code.keys" "$work/en.keys")
    [ -z "$missing" ] || fail "texts of the code missing from the translations:
$missing"
fi
echo "translations: $(wc -l <"$work/en") texts in each language"
