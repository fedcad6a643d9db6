#!/usr/bin/env bash
# Times a small design's batch run, start to exit, against compiling and running its
# Verilog twin with Icarus Verilog, over the same number of rounds, and prints the ratio.
# Usage: bench/verilog_compare.sh [path/to/asmsim-cli] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/asmsim-cli}
rounds=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! command -v iverilog >/dev/null || ! command -v vvp >/dev/null; then
    echo "verilog_compare: iverilog and vvp are needed (scripts/install-deps.sh installs them)" >&2
    exit 1
fi

now() { date +%s%N; }

start=$(now)
for ((i = 0; i < rounds; i++)); do
    "$cli" --quiet --out "$work/out.txt" --process "$work/process.txt" examples/counter.vdo || true
done
asmsim=$(( $(now) - start ))

start=$(now)
for ((i = 0; i < rounds; i++)); do
    iverilog -o "$work/twin" bench/counter_twin.v
    vvp -n "$work/twin" > "$work/twin.txt"
done
verilog=$(( $(now) - start ))

awk -v a="$asmsim" -v v="$verilog" -v n="$rounds" 'BEGIN {
    printf "counter, %d rounds: asmsim-cli %.1f ms a run, iverilog + vvp %.1f ms a run, ratio %.2f\n",
           n, a / n / 1e6, v / n / 1e6, a / v
}'
