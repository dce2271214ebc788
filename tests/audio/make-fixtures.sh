#!/usr/bin/env bash
# Makes the audio test fixtures in folder $1 and a manifest of their exact lengths.
# Manifest line: name rate channels samples samples-per-frame; samples is -1 for files without
# an info tag, whose length is whatever their frames hold.
set -euo pipefail
out="$1"
mkdir -p "$out"
cd "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

manifest=()
add() { manifest+=("$1 $2 $3 $4 $5"); }

# Tones and noise made by sox in repeatable mode; lame keeps the exact length in its info tag.
sox -R -n -r 22050 -c 1 -b 16 "$tmp/tone22.wav" synth 3.0 sine 440 vol 0.5
lame --quiet -b 64 "$tmp/tone22.wav" tone22m.mp3
lame --quiet -t -b 64 "$tmp/tone22.wav" tone22m_untagged.mp3
add tone22m.mp3 22050 1 66150 576
add tone22m_untagged.mp3 22050 1 -1 576

sox -R -n -r 44100 -c 2 -b 16 "$tmp/noise44.wav" synth 4.0 whitenoise vol 0.4
lame --quiet -V 2 "$tmp/noise44.wav" noise44s_vbr.mp3
lame --quiet -t -V 2 "$tmp/noise44.wav" noise44s_vbr_untagged.mp3
add noise44s_vbr.mp3 44100 2 176400 1152
add noise44s_vbr_untagged.mp3 44100 2 -1 1152

# Long enough to play on a sound device through a failure and its reopening, however slowly a
# loaded sound server takes it up.
sox -R -n -r 44100 -c 2 -b 16 "$tmp/tone44.wav" synth 60.0 sine 330 vol 0.4
lame --quiet -b 128 "$tmp/tone44.wav" tone44s_long.mp3
add tone44s_long.mp3 44100 2 2646000 1152

sox -R -n -r 48000 -c 2 -b 16 "$tmp/chirp48.wav" synth 2.0 sine 200-2000 vol 0.5
lame --quiet -b 128 "$tmp/chirp48.wav" chirp48s.mp3
add chirp48s.mp3 48000 2 96000 1152

sox -R -n -r 8000 -c 1 -b 16 "$tmp/tone8.wav" synth 2.5 sine 440 vol 0.5
lame --quiet -b 32 "$tmp/tone8.wav" tone8m.mp3
add tone8m.mp3 8000 1 20000 576

espeak-ng -w "$tmp/speech.wav" "The board follows the voice, every seventy two milliseconds." 2>/dev/null
sox "$tmp/speech.wav" -r 16000 -c 1 -b 16 "$tmp/speech16.wav"
lame --quiet -b 64 "$tmp/speech16.wav" speech16m.mp3
add speech16m.mp3 16000 1 "$(soxi -s "$tmp/speech16.wav")" 576

# Bad input.
printf 'This is a lecture note, not a sound.\n' > notaudio.mp3
: > empty.mp3
size=$(stat -c %s noise44s_vbr.mp3)
head -c $((size * 6 / 10)) noise44s_vbr.mp3 > truncated.mp3
size=$(stat -c %s tone22m.mp3)
sox -R -n -r 8000 -c 1 -b 8 -e unsigned -t raw "$tmp/junk.raw" synth 0.5 whitenoise
{ head -c $((size / 2)) tone22m.mp3; head -c 3000 "$tmp/junk.raw"; tail -c +$((size / 2 + 3001)) tone22m.mp3; } > garbage_middle.mp3
cp "$tmp/junk.raw" random.mp3

printf '%s\n' "${manifest[@]}" > manifest.txt
