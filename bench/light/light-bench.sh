#!/usr/bin/env bash
# The player against the lightest ways to play the demo lecture, side by side in one run, on a
# virtual screen (Xvfb) with a private sound server whose sink is a null sink:
#   - the player's peak resident memory (VmHWM) and CPU time (utime + stime) over the whole demo,
#     launched as a learner meets it (ravo-tool launch), sampled from /proc every 50 ms, with its
#     memory at the end of each page; the CPU share is the CPU time over the player's lifetime
#     from launch to exit;
#   - the CPU time of the same voices played alone by mpg123 on the same server;
#   - the time from the launch to the board's first pixel on screen, the player against a plain
#     window that shows the first page's board (as ravo-tool render makes it) full screen (RUNS runs each, alternating; medians).
# Prints the three ratios and the peak memory, and the load of the machine before and after.
#
# Usage: bench/light/light-bench.sh (after a build; it builds only its own targets and the player)
# Environment: BUILD_DIR (default build/), RUNS (first paints of each, default 5), SAMPLES (a
# folder to keep the /proc samples in: "ms rss_kB hwm_kB cpu_ticks" a line).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${BUILD_DIR:-$root/build}"
runs="${RUNS:-5}"
bin="$build/bin"

cmake --build "$build" --target ravo-player ravo-tool ravo_skin light_plain_window light_first_paint -j2 >/dev/null
for tool in Xvfb mpg123 pulseaudio; do
  command -v "$tool" >/dev/null || { echo "light-bench: $tool is missing (scripts/install-deps)" >&2; exit 2; }
done
poller="$bin/light_first_paint"
plain="$bin/light_plain_window"

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
  "$root/tests/audio/null-sink.sh" stop "$work/pulse" || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to the descriptor.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 10 -u "$display_fd" display_no
export DISPLAY=":$display_no"
PULSE_SERVER="$("$root/tests/audio/null-sink.sh" start "$work/pulse")"
export PULSE_SERVER
export XDG_DATA_HOME="$work/data"
scope="light-bench-$$"

QT_QPA_PLATFORM=offscreen "$bin/ravo-tool" make-demo >"$work/launch-text" 2>"$work/demo-summary"
launch_text="$(tail -n 1 "$work/launch-text")"
base="$(sed -n 's/^demo session in \(.*\): [0-9]* pages, .*/\1/p' "$work/demo-summary")"
QT_QPA_PLATFORM=offscreen "$bin/ravo-tool" info --text "$launch_text" | tail -n +2 | grep -P '^\d+\t' >"$work/pages"
voices=() page_ms=()
while IFS=$'\t' read -r _ name id _ _ ms; do
  voices+=("$base/Temp/$name/$id/sound.dat")
  page_ms+=("$ms")
done <"$work/pages"
# The plain window shows the first page's board as the player shows it first.
board_picture="$work/board.png"
QT_QPA_PLATFORM=offscreen "$bin/ravo-tool" render --text "$launch_text" --at 0 -o "$board_picture" >/dev/null

# sample PID OUT: a line "ms rss_kB hwm_kB cpu_ticks" every 50 ms while the process lives. Reads
# with the shell's builtins only, so the sampling starts no process of its own.
exec {sleep_fd}<> <(:)
ticks_per_second="$(getconf CLK_TCK)"
sample() {
  local pid="$1" out="$2" line rest key value _ rss=0 hwm=0 cpu=0
  local start="$EPOCHREALTIME"
  while [ -r "/proc/$pid/stat" ]; do
    read -r line <"/proc/$pid/stat" 2>/dev/null || break
    rest="${line##*) }"
    # shellcheck disable=SC2086
    set -- $rest
    [ "$1" = Z ] && { cpu=$(( ${12} + ${13} )); break; }
    cpu=$(( ${12} + ${13} ))
    while read -r key value _; do
      case "$key" in
        VmHWM:) hwm="$value" ;;
        VmRSS:) rss="$value" ;;
      esac
    done <"/proc/$pid/status" 2>/dev/null || true
    local now="$EPOCHREALTIME"
    local ms=$(( (${now/./} - ${start/./}) / 1000 ))
    echo "$ms $rss $hwm $cpu" >>"$out"
    read -r -t 0.05 -u "$sleep_fd" _ || true
  done
  echo "end $rss $hwm $cpu" >>"$out"
}

# The first child of the process (the player under ravo-tool launch).
child_of() {
  local parent="$1" kids=""
  for _ in $(seq 500); do
    read -r kids _ <"/proc/$parent/task/$parent/children" 2>/dev/null || true
    [ -n "$kids" ] && { echo "$kids"; return 0; }
    read -r -t 0.01 -u "$sleep_fd" _ || true
  done
  return 1
}

load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "light-bench: load before: $(load) on $(nproc) cores"

# ---- The whole demo: the player, then the voices alone.
"$bin/ravo-tool" launch --text "$launch_text" --scope "$scope" --timeout 600 >"$work/result" &
launch_pid=$!
player_pid="$(child_of "$launch_pid")"
sample "$player_pid" "$work/player.samples"
wait "$launch_pid" || { echo "light-bench: the player handed off no result" >&2; exit 1; }

mpg123 -q -o pulse "${voices[@]}" &
mpg_pid=$!
sample "$mpg_pid" "$work/mpg123.samples"
wait "$mpg_pid"

# ---- First paint: the player through the launcher against the plain window, alternating.
player_ms=() plain_ms=()
for _ in $(seq "$runs"); do
  player_ms+=("$("$poller" --picture "$board_picture" -- "$bin/ravo-tool" launch --text "$launch_text" --scope "$scope" --timeout 30)")
  plain_ms+=("$("$poller" --picture "$board_picture" -- "$plain" "$board_picture")")
done

echo "light-bench: load after: $(load)"
if [ -n "${SAMPLES:-}" ]; then mkdir -p "$SAMPLES" && cp "$work"/*.samples "$SAMPLES"/; fi

# ---- Figures.
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
read -r _ _ player_hwm player_ticks < <(tail -n 1 "$work/player.samples")
read -r _ _ _ mpg_ticks < <(tail -n 1 "$work/mpg123.samples")
player_wall_ms="$(grep -v '^end' "$work/player.samples" | tail -n 1 | cut -d' ' -f1)"
session_ms=0
for ms in "${page_ms[@]}"; do session_ms=$((session_ms + ms)); done

# The page boundaries on the player's clock, about: each page after the first starts half a second
# after the end of the one before it, and the whole run's slack (start-up, loading) is spread evenly.
page_ends=() at=0
slack=$(( (player_wall_ms - session_ms) / ${#page_ms[@]} ))
for ms in "${page_ms[@]}"; do at=$((at + ms + slack)); page_ends+=("$at"); done
page_peaks="$(awk -v ends="${page_ends[*]}" '
  BEGIN { n = split(ends, e, " ") }
  $1 != "end" { p = 1; while (p < n && $1 > e[p]) p++; if ($2 > peak[p]) peak[p] = $2 }
  END { for (i = 1; i <= n; i++) printf "%s%.1f", (i > 1 ? " -> " : ""), peak[i] / 1024 }' "$work/player.samples")"

awk -v hwm="$player_hwm" -v pt="$player_ticks" -v mt="$mpg_ticks" -v hz="$ticks_per_second" \
    -v wall="$player_wall_ms" -v session="$session_ms" -v peaks="$page_peaks" \
    -v pm="$(median "${player_ms[@]}")" -v wm="$(median "${plain_ms[@]}")" \
    -v pall="${player_ms[*]}" -v wall_plain="${plain_ms[*]}" '
BEGIN {
  pcpu = pt / hz; mcpu = mt / hz
  printf "player: peak RSS (VmHWM) %.1f MB; RSS peak per page %s MB\n", hwm / 1024, peaks
  printf "player: CPU %.2f s over its lifetime from launch to exit, %.1f s (%.2f %% of a core); session %.1f s\n", pcpu, wall / 1000, 100 * pcpu / (wall / 1000), session / 1000
  printf "        (the lifetime is the session plus the start-up, the waits and loading between pages, and the close)\n"
  printf "mpg123: CPU %.2f s for the same voices\n", mcpu
  printf "first paint (ms): player %s; plain window %s\n", pall, wall_plain
  printf "RATIO cpu player/mpg123      %.2f   (goal <= 4)\n", (mcpu > 0 ? pcpu / mcpu : 0)
  printf "RATIO cpu share of a core    %.2f %% (goal < 1 %%)\n", 100 * pcpu / (wall / 1000)
  printf "RATIO first paint player/plain %.2f  (median %.0f ms / %.0f ms; goal <= 1.5)\n", pm / wm, pm, wm
  printf "PEAK memory                  %.1f MB (goal <= 85)\n", hwm / 1024
}'
