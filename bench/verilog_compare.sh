#!/usr/bin/env bash
# Batch runs against Icarus Verilog on the same designs written in Verilog: the bundled
# counter example and simulation_bench's 300-box design, each beside its twin in bench/.
# For each: the twin's own report is checked against the batch run's; wall times are the
# median of interleaved rounds (asmsim-cli without --process, as users and CI run it,
# and with it; iverilog + vvp; vvp alone on the compiled twin); instruction counts under
# callgrind when valgrind is installed; peak memory. Then the whole-run fuzz target's
# executions per second when it has been built with clang (make fuzz).
# Usage: bench/verilog_compare.sh [path/to/asmsim-cli] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/asmsim-cli}")
rounds=${2:-11}
build=$(dirname "$cli")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! command -v iverilog >/dev/null || ! command -v vvp >/dev/null; then
    echo "verilog_compare: iverilog and vvp are needed (scripts/install-deps.sh installs them)" >&2
    exit 1
fi

now() { date +%s%N; }

# Median of the numbers given, one per argument.
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Wall time of one command, in nanoseconds.
timed() {
    local start
    start=$(now)
    "$@" > /dev/null 2>&1 || true
    echo $(( $(now) - start ))
}

asmsimPlain() { "$cli" --quiet --out "$work/out.txt" "$1"; }
asmsimTraced() { "$cli" --quiet --out "$work/out.txt" --process "$work/process.txt" "$1"; }
icarus() { iverilog -o "$work/twin-fresh" "$1" && vvp -n "$work/twin-fresh"; }
vvpAlone() { vvp -n "$work/twin"; }

# Instructions of one command under callgrind.
instructions() {
    { valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$@" 2>&1 >/dev/null || true; } \
        | awk '/Collected :/ { print $NF }'
}

peakKilobytes() {
    if [ -x /usr/bin/time ]; then
        { /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null || true; } | tail -1
    else
        echo "?"
    fi
}

# The two verification totals a report ends with.
totals() { grep -E '^Verificaciones (correctas|erroneas):' | tail -2; }

compare() {
    local name=$1 design=$2 twin=$3
    iverilog -o "$work/twin" "$twin"
    asmsimPlain "$design" || true
    if ! diff <(totals < "$work/out.txt") <(vvp -n "$work/twin" | totals) > /dev/null; then
        echo "$name: the twin's verification totals differ from the batch run's" >&2
        exit 1
    fi

    local plain=() traced=() both=() alone=()
    for ((i = 0; i < rounds; i++)); do
        plain+=("$(timed asmsimPlain "$design")")
        traced+=("$(timed asmsimTraced "$design")")
        both+=("$(timed icarus "$twin")")
        alone+=("$(timed vvpAlone)")
    done
    local p t b a
    p=$(median "${plain[@]}"); t=$(median "${traced[@]}"); b=$(median "${both[@]}"); a=$(median "${alone[@]}")
    awk -v name="$name" -v n="$rounds" -v p="$p" -v t="$t" -v b="$b" -v a="$a" 'BEGIN {
        printf "%s, median of %d interleaved rounds:\n", name, n
        printf "  asmsim-cli %.1f ms (with --process %.1f ms); iverilog + vvp %.1f ms; vvp alone %.1f ms\n",
               p / 1e6, t / 1e6, b / 1e6, a / 1e6
        printf "  ratio to iverilog + vvp %.2f (with --process %.2f); to vvp alone %.2f (with --process %.2f)\n",
               p / b, t / b, p / a, t / a
    }'

    if command -v valgrind >/dev/null; then
        local ip it iv
        ip=$(instructions "$cli" --quiet --out "$work/out.txt" "$design")
        it=$(instructions "$cli" --quiet --out "$work/out.txt" --process "$work/process.txt" "$design")
        iv=$(instructions vvp -n "$work/twin")
        awk -v p="$ip" -v t="$it" -v v="$iv" 'BEGIN {
            printf "  instructions: asmsim-cli %.3f G (with --process %.3f G); vvp alone %.3f G; ratio %.2f (with --process %.2f)\n",
                   p / 1e9, t / 1e9, v / 1e9, p / v, t / v
        }'
    else
        echo "  instructions: skipped (valgrind is not installed)"
    fi
    echo "  peak memory: asmsim-cli $(peakKilobytes "$cli" --quiet --out "$work/out.txt" "$design") kB" \
         "(with --process $(peakKilobytes "$cli" --quiet --out "$work/out.txt" --process "$work/process.txt" "$design") kB);" \
         "vvp alone $(peakKilobytes vvp -n "$work/twin") kB"
}

compare "counter example" examples/counter.vdo bench/counter_twin.v
if [ -x "$build/simulation_bench" ]; then
    "$build/simulation_bench" --write-design "$work/large.vdo"
    compare "300-box design" "$work/large.vdo" bench/large_twin.v
else
    echo "300-box design: skipped ($build/simulation_bench is not built)"
fi

# The whole-run fuzz target from the test designs and the example (the designs it starts
# from stay the same from version to version): its executions per second, timed here
# (libFuzzer counts whole seconds), over 3000 executions or a minute, whichever ends first.
# A fuzzer that stops early has found something; that is said, not hidden.
fuzzer=build-fuzz/run_fuzz
fuzzRuns=3000
if ! command -v clang++ >/dev/null; then
    echo "whole-run fuzzing: skipped (clang is not installed)"
elif [ ! -x "$fuzzer" ]; then
    echo "whole-run fuzzing: skipped ($fuzzer is not built; make fuzz builds it, or:"
    echo "  cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DASMSIM_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++"
    echo "  cmake --build build-fuzz -j2 --target run_fuzz)"
else
    mkdir -p "$work/corpus"
    start=$(now)
    fuzzLog=$("$fuzzer" -runs=$fuzzRuns -max_total_time=60 -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$work/" \
                        "$work/corpus" tests/data examples 2>&1) || true
    elapsed=$(( $(now) - start ))
    executed=$(awk '/^Done/ { print $2 }' <<< "$fuzzLog")
    if [ -n "$executed" ]; then
        awk -v n="$executed" -v t="$elapsed" 'BEGIN {
            printf "whole-run fuzzing: %d executions in %.1f s, %.0f a second\n", n, t / 1e9, n / (t / 1e9)
        }'
    else
        echo "whole-run fuzzing: the fuzzer stopped on a finding; its last lines:"
        tail -n 5 <<< "$fuzzLog" | sed 's/^/  /'
    fi
fi
