#!/usr/bin/env bash
# The whole program for an hour's session: bench_soak_session writes an hour of dense board work
# with pictures, ravo-tool launch plays it in the real window on a virtual display (Xvfb) and a
# private PulseAudio null sink, at 200 % speed (Up pressed ten times), while xdotool presses a key
# now and then: Space to pause and Space again 10 s later, Right for a 10 s jump, keypad + and -
# in turn for a zoom step. Every wall minute a line: the player's resident memory, its streams on
# the sound server, and the session position (the player's opt-in RAVO_POSITION_LOG lines) against
# where wall time and the speed put it since the last anchor (the first position a second after
# the start, a key or a page change). At the end, the result handed off against the expected one.
# Goals: memory after minute 5 within 5 MB, the stream present at every minute, the position
# within 100 ms at every minute, the exact result. Not part of CI: it takes about 35 minutes.
#
# usage: bench/soak/whole-program-soak.sh [BUILD_DIR]   (default build; needs ravo-player,
#        ravo-tool, ravo_skin and bench_soak_session built)
#   SOAK_MINUTES (session minutes, default 60), SOAK_PAGES (default 12), SOAK_LOG (keeps the logs
#   and a screenshot of the third minute there)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
bin="$build/bin"
minutes="${SOAK_MINUTES:-60}"
pages="${SOAK_PAGES:-12}"
work="$(mktemp -d)"
logs="${SOAK_LOG:-$work}"
mkdir -p "$logs"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  "$root/tests/audio/null-sink.sh" stop "$work/pulse"
  [ -n "${SOAK_LOG:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

now_ms() { date +%s%3N; }
say() { echo "soak: $*"; }

pulse="$("$root/tests/audio/null-sink.sh" start "$work/pulse")" || { say "no PulseAudio server"; exit 1; }
export PULSE_SERVER="$pulse"
Xvfb -displayfd 3 -screen 0 1280x800x24 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { say "no virtual display"; exit 1; }
export DISPLAY=":$(cat "$work/display")"

export XDG_DATA_HOME="$work/data"
QT_QPA_PLATFORM=offscreen "$bin/bench_soak_session" --roaming "$XDG_DATA_HOME" --minutes "$minutes" --pages "$pages" \
  >"$work/session.txt" || { say "cannot write the session"; exit 1; }
launch_text="$(sed -n 1p "$work/session.txt")"
expected_result="$(sed -n 2p "$work/session.txt")"

events="$logs/keys.txt"    # wall ms of each key sent
positions="$logs/player-stderr.txt"
: >"$events"
: >"$logs/table.txt"
QT_QPA_PLATFORM=xcb RAVO_POSITION_LOG=1 "$bin/ravo-tool" launch --text "$launch_text" --timeout 7200 \
  >"$logs/result.txt" 2>"$positions" &
launch=$!
pids+=("$launch")

window="$(xdotool search --sync --onlyvisible --name "강의 플레이어" | head -n 1)"
player=""
for _ in $(seq 50); do player="$(ps -o pid= --ppid "$launch" | tr -d ' ' | head -n 1)"; [ -n "$player" ] && break; sleep 0.1; done
[ -n "$window" ] && [ -n "$player" ] || { say "the player's window never came"; exit 1; }
xdotool windowfocus --sync "$window"
key() { now_ms >>"$events"; xdotool key --window "$window" "$1"; }
for _ in $(seq 10); do key Up; sleep 0.2; done
start="$(now_ms)"

# The session position at the last line against where the speed and the wall time put it since
# the anchor: the first line a second or more after the latest key or page change. Prints
# "<position ms> <deviation ms>", or "<position ms> settling" when no such line has come yet.
position_check() {
  awk -v keys="$events" '
    BEGIN { while ((getline k < keys) > 0) key[++nk] = k }
    $1 == "ravo-position:" {
      pos = $2; page = $4; speed = $8; at = $10
      if (page != lastPage) { eventAt = at; lastPage = page }
      while (ki < nk && key[ki + 1] <= at) { ki++; if (key[ki] > eventAt) eventAt = key[ki] }
      if (eventAt != anchoredFor && at >= eventAt + 1000) { anchorPos = pos; anchorAt = at; anchoredFor = eventAt }
      lastPos = pos; lastAt = at; lastSpeed = speed; settled = (anchoredFor == eventAt)
    }
    END {
      if (!settled) { printf "%d settling\n", lastPos; exit }
      expected = anchorPos + (1 + lastSpeed / 100) * (lastAt - anchorAt)
      printf "%d %+d\n", lastPos, lastPos - expected
    }' "$positions"
}

# Underruns the sound library reported on the player's standard error so far (a starved player or
# sound server: the voice, and with it the position, falls behind the wall clock).
underruns() { grep -c "underrun occurred" "$positions"; }
rss_mb() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$player/status" 2>/dev/null; }
streams() { pactl list sink-inputs 2>/dev/null | grep -c "application.process.id = \"$player\""; }

say "session of $minutes min in $pages pages, played at 200 % from $(date -d "@$((start / 1000))" +%T)"
printf "%6s %8s %8s %12s %10s %10s %10s\n" minute "RSS MB" streams position "off, ms" underruns "last key"
# Keys at 20 s and 30 s into each wall minute, away from the minute's reading: in a minute of
# three a pause from 20 s to 30 s, then a jump at 30 s, then a zoom step at 30 s.
key_due() {   # $1: wall seconds; the key due by then in this minute, if not yet sent
  local m=$(( $1 / 60 )) s=$(( $1 % 60 ))
  [ "$m" -ge 1 ] || return 1
  case $(( m % 3 )) in
    1) if [ "$s" -ge 30 ] && [ "$sent" != "$m.play" ]; then echo "$m.play space"
       elif [ "$s" -ge 20 ] && [ "$sent" != "$m.pause" ] && [ "$sent" != "$m.play" ]; then echo "$m.pause space"
       else return 1; fi ;;
    2) [ "$s" -ge 30 ] && [ "$sent" != "$m.jump" ] && echo "$m.jump Right" || return 1 ;;
    0) [ "$s" -ge 30 ] && [ "$sent" != "$m.zoom" ] && echo "$m.zoom $zoom" || return 1 ;;
  esac
}
minute=0
heard=0
zoom=KP_Add
sent="-"
while kill -0 "$launch" 2>/dev/null; do
  sleep 0.5
  elapsed=$(( ($(now_ms) - start) / 1000 ))
  if due="$(key_due "$elapsed")"; then
    sent="${due% *}"
    key "${due#* }"
    if [ "${due#* }" = KP_Add ]; then zoom=KP_Subtract; elif [ "${due#* }" = KP_Subtract ]; then zoom=KP_Add; fi
  fi
  if [ "$elapsed" -ge $(( (minute + 1) * 60 )) ]; then
    minute=$((minute + 1))
    read -r position deviation <<<"$(position_check)"
    rss="$(rss_mb)"
    [ -n "$rss" ] || break
    count="$(streams)"
    total="$(underruns)"
    printf "%6d %8s %8s %12s %10s %10s %10s\n" "$minute" "$rss" "$count" \
      "$(printf "%d:%02d.%03d" $((position / 60000)) $((position / 1000 % 60)) $((position % 1000)))" \
      "$deviation" "$((total - heard))" "${sent#*.}"
    heard="$total"
    if [ "$minute" = 3 ] && command -v import >/dev/null; then
      import -window root "$logs/screen-minute-3.png" 2>/dev/null || true
    fi
    echo "$minute $rss $count $deviation" >>"$logs/table.txt"
  fi
done
wait "$launch"
status=$?
result="$(cat "$logs/result.txt")"
say "ravo-tool launch exit status $status after $(( ($(now_ms) - start) / 1000 )) s"
say "result handed off: $result"
if [ "$result" = "$expected_result" ]; then say "result: exactly as expected"; else say "result: expected $expected_result"; fi
awk '
  $1 == 5 { base = $2 }
  $1 >= 5 && base != "" { d = $2 - base; if (d > growth) growth = d }
  $3 < 1 { missing++ }
  $4 != "settling" { v = $4 < 0 ? -$4 : $4; if (v > worst) worst = v; if (v > 100) over++ }
  END {
    printf "soak: memory after minute 5: highest %+.1f MB (goal within 5 MB)\n", growth
    printf "soak: minutes without the stream: %d (goal 0)\n", missing
    printf "soak: position: worst %d ms off, %d minutes beyond 100 ms (goal 0)\n", worst, over
  }' "$logs/table.txt"
