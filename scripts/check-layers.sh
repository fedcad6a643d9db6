#!/usr/bin/env bash
# Keeps the layers one way. The code folders, lowest first; a folder includes only itself
# and the folders before it, never one after it, nor the other folder of its own level:
#
#   core, lang, model, sim, results, run, (check | chart), (cli | gui)
#
# where "|" joins the two folders of one level.
#
# The tests under tests/<folder>/ keep their folder's level. Two units (a .h and its .cpp)
# must not include each other's headers either; the evaluator and the number parser are
# the one pair allowed, since a bit select inside a number holds an expression.
#
# Prints every offending include as FILE:LINE and exits 1 when there is any.
set -euo pipefail
cd "$(dirname "$0")/.."

folders=(core lang model sim results run check chart cli gui)
files=()
for folder in "${folders[@]}"; do
    for root in "$folder" "tests/$folder"; do
        [ -d "$root" ] && while IFS= read -r f; do files+=("$f"); done < <(find "$root" -name '*.h' -o -name '*.cpp' | sort)
    done
done

awk '
BEGIN {
    split("core lang model sim results run check chart cli gui", names, " ")
    split("1 2 3 4 5 6 7 7 8 8", levels, " ")
    for (i in names) level[names[i]] = levels[i]
    order = "core, lang, model, sim, results, run, (check | chart), (cli | gui)"
    allowed["lang/evaluator lang/numbers"] = 1
    bad = 0
}
# The folder whose level a file keeps, and the unit (folder/name) it belongs to.
FNR == 1 {
    path = FILENAME
    folder = path; sub(/\/.*/, "", folder)
    tested = path ~ /^tests\//
    if (tested) { folder = path; sub(/^tests\//, "", folder); sub(/\/.*/, "", folder) }
    unit = path; sub(/\.(h|cpp)$/, "", unit)
}
/^[ \t]*#[ \t]*include[ \t]*"[a-z]+\/[^"]+"/ {
    header = $0
    sub(/^[^"]*"/, "", header); sub(/".*$/, "", header)
    target = header; sub(/\/.*/, "", target)
    if (!(target in level)) next
    where = FILENAME ":" FNR
    if (level[target] > level[folder]) {
        printf "%s: %s includes %s, a higher layer (%s)\n", where, folder, header, order
        bad = 1
    } else if (level[target] == level[folder] && target != folder) {
        printf "%s: %s includes %s, the other folder of its level\n", where, folder, header
        bad = 1
    }
    if (tested) next
    other = header; sub(/\.(h|cpp)$/, "", other)
    if (other != unit && !((unit SUBSEP other) in edge)) edge[unit, other] = where
}
END {
    for (key in edge) {
        split(key, pair, SUBSEP)
        a = pair[1]; b = pair[2]
        if (a >= b || !((b SUBSEP a) in edge)) continue
        if ((a " " b) in allowed) continue
        printf "%s and %s: %s and %s include each other\n", edge[a, b], edge[b, a], a, b
        bad = 1
    }
    if (bad) exit 1
}
' "${files[@]}" || { echo "check-layers: the layers are broken (see above)" >&2; exit 1; }
echo "check-layers: ${#files[@]} files, every include goes down; the one pair that includes each other is lang/evaluator and lang/numbers"
