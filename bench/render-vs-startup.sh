#!/usr/bin/env bash
# `qyshot render` of the messenger demo scene against the program's start-up
# (`qyshot --version`): median CPU time (user + system) of several runs of each,
# and their ratio. The goal is at most 5.
#   bench/render-vs-startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-build}"
runs="${2:-5}"
qyshot="$build/src/shell/qyshot"
scene="$build/resources/scenes/chat-messenger-iphone6.json"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
export QYSHOT_RESOURCES="${QYSHOT_RESOURCES:-$build/resources}"

# Median CPU seconds of RUNS runs of the command.
median_cpu() {
  local times=()
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f '%U %S' -o "$out/time" "$@" >/dev/null 2>&1
    times+=("$(awk '{ print $1 + $2 }' "$out/time")")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

startup=$(median_cpu "$qyshot" --version)
render=$(median_cpu "$qyshot" render "$scene" -o "$out/chat.png")
awk -v s="$startup" -v r="$render" 'BEGIN {
  printf "start-up %.3f s, chat demo render %.3f s CPU: %.1fx start-up (goal <= 5)\n", s, r, (s > 0 ? r / s : 0)
}'
