#!/usr/bin/env bash
# Counts the instructions each export phase takes for 1,000 and 10,000 items under callgrind
# (repeatable whatever else the machine does) and prints the ratio: 10 means linear.
# Usage: bench/instructions.sh PATH/TO/kvo_phase
set -euo pipefail
phase=${1:?path of kvo_phase}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count() {  # mode file -> instructions
  valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" "$phase" "$1" "$2" 2>&1 |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p' | head -n 1
}

for n in 1000 10000; do
  mkdir -p "$work/$n"
  "$phase" generate "$n" "$work/$n/structure.xml"
done
printf '%-8s %16s %16s %8s\n' phase "1,000 items" "10,000 items" ratio
for mode in load parse export; do
  small=$(count "$mode" "$work/1000/structure.xml")
  large=$(count "$mode" "$work/10000/structure.xml")
  printf '%-8s %16s %16s %8.2f\n' "$mode" "$small" "$large" "$(echo "$large / $small" | bc -l)"
done
