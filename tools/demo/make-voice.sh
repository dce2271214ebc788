#!/usr/bin/env bash
# Synthesises the demo's Korean narration once (the results are committed):
#   voice/<page>.mp3  one voice track per page, mono, 22.05 kHz, about 32 kbit/s
#   voice/chime.mp3   the short audio clip placed on the last page
#   voice/timing.json every page's length and the start and end of each phrase, in milliseconds
# Each phrase is spoken alone, trimmed of silence and measured, then the page is joined from a
# lead-in, the phrases with short gaps between them, and a tail, so the times are exact.
# Needs espeak-ng, sox and lame (scripts/install-deps).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out="$here/voice"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

RATE=22050
SPEED=${SPEED:-165}   # espeak-ng words per minute
LEAD=0.35             # seconds before the first phrase
GAP=0.30              # seconds between phrases
TAIL=1.30             # seconds after the last phrase: the board finishes before the page ends

silence() { sox -n -r "$RATE" -c 1 -b 16 "$2" trim 0 "$1"; }
samples() { soxi -s "$1"; }
ms() { awk -v s="$1" -v r="$RATE" 'BEGIN { printf "%.1f", s * 1000 / r }'; }
# Average bit rate rather than constant: at this rate a constant-rate frame is too small for the
# encoder's tag, and without the tag (encoder delay and padding) a decoder cannot trim the track
# to its exact length, which the phrase times rely on.
encode() { lame --quiet -m m --abr 32 --resample 22.05 "$1" "$2"; }

mkdir -p "$out"
silence "$LEAD" "$work/lead.wav"
silence "$GAP" "$work/gap.wav"
silence "$TAIL" "$work/tail.wav"
lead=$(samples "$work/lead.wav")
gap=$(samples "$work/gap.wav")
tail=$(samples "$work/tail.wav")

pages=$(grep -v '^#' "$here/narration.txt" | cut -f1 | awk 'NF && !seen[$0]++')
json="$out/timing.json"
{
  printf '{\n  "sampleRate": %d,\n  "pages": [\n' "$RATE"
  firstPage=1
  for page in $pages; do
    parts=("$work/lead.wav")
    pos=$lead
    phrases=""
    n=0
    pause=0
    while IFS=$'\t' read -r p key text extra; do
      [ "$p" = "$page" ] || continue
      n=$((n + 1))
      espeak-ng -v ko -s "$SPEED" -w "$work/raw.wav" "$text"
      sox "$work/raw.wav" -r "$RATE" -c 1 -b 16 "$work/$page-$n.wav" \
        silence 1 0.02 0.4% reverse silence 1 0.02 0.4% reverse
      len=$(samples "$work/$page-$n.wav")
      if [ $n -gt 1 ]; then
        parts+=("$work/gap.wav")
        pos=$((pos + gap))
        phrases+=$',\n'
        if [ "$pause" != 0 ]; then
          silence "$pause" "$work/pause-$n.wav"
          parts+=("$work/pause-$n.wav")
          pos=$((pos + $(samples "$work/pause-$n.wav")))
        fi
      fi
      parts+=("$work/$page-$n.wav")
      phrases+=$(printf '        {"key": "%s", "startMs": %s, "endMs": %s, "text": "%s"}' \
        "$key" "$(ms $pos)" "$(ms $((pos + len)))" "$text")
      pos=$((pos + len))
      pause=${extra:-0}
    done < <(grep -v '^#' "$here/narration.txt")
    if [ "$pause" != 0 ]; then
      silence "$pause" "$work/pause-end.wav"
      parts+=("$work/pause-end.wav")
      pos=$((pos + $(samples "$work/pause-end.wav")))
    fi
    parts+=("$work/tail.wav")
    pos=$((pos + tail))
    sox "${parts[@]}" "$work/$page.wav"
    encode "$work/$page.wav" "$out/$page.mp3"
    [ $firstPage -eq 1 ] || printf ',\n'
    firstPage=0
    printf '    {"id": "%s", "voice": "%s.mp3", "lengthMs": %s, "phrases": [\n%s\n    ]}' \
      "$page" "$page" "$(ms $pos)" "$phrases"
  done
  printf '\n  ]\n}\n'
} > "$json"

# A two-note chime for the audio clip resource.
sox -n -r "$RATE" -c 1 -b 16 "$work/chime.wav" synth 0.7 pluck E5 pluck B5 remix - fade 0 0.7 0.4 gain -4
encode "$work/chime.wav" "$out/chime.mp3"

du -b "$out"/*.mp3 | sort -k2
awk '/lengthMs/ { gsub(/[,"]/, ""); for (i = 1; i <= NF; i++) if ($i == "lengthMs:") t += $(i + 1) } END { printf "total %.1f s\n", t / 1000 }' "$json"
