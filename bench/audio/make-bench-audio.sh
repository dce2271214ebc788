#!/usr/bin/env bash
# Five minutes of a voice-like signal (a tone gliding under noise) as MP3, with and without the
# encoder's info tag, in two formats: 44.1 kHz stereo at 128 kbit/s (the heaviest voice track)
# and 22.05 kHz mono VBR (a typical recorded voice).
set -euo pipefail
out="$1"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sox -R -n -r 44100 -c 2 -b 16 "$tmp/voice44.wav" synth 300 sine 120-900 synth 300 whitenoise amod 0.3 vol 0.4
lame --quiet -b 128 "$tmp/voice44.wav" "$out/voice_untagged.mp3.tmp" -t
lame --quiet -b 128 "$tmp/voice44.wav" "$out/voice_tagged.mp3.tmp"
sox "$tmp/voice44.wav" -r 22050 -c 1 "$tmp/voice22.wav"
lame --quiet -V 6 "$tmp/voice22.wav" "$out/voice22_vbr_untagged.mp3" -t
lame --quiet -V 6 "$tmp/voice22.wav" "$out/voice22_vbr_tagged.mp3"
mv "$out/voice_untagged.mp3.tmp" "$out/voice_untagged.mp3"
mv "$out/voice_tagged.mp3.tmp" "$out/voice_tagged.mp3"
