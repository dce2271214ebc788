#!/usr/bin/env bash
# A private PulseAudio server whose default sink is a null sink: it consumes sound in real time
# like a sound card, so PortAudio's default device (ALSA's "default", routed to PulseAudio)
# opens and plays on a machine without sound hardware.
#   null-sink.sh start DIR   starts the server with its socket in DIR; prints PULSE_SERVER's value
#   null-sink.sh stop DIR    stops it
# Exit 2 when PulseAudio is not installed.
set -euo pipefail
dir="$2"
command -v pulseaudio >/dev/null || exit 2
case "$1" in
  start)
    mkdir -p "$dir"
    export XDG_RUNTIME_DIR="$dir" HOME="$dir"
    pulseaudio --daemonize=yes -n --exit-idle-time=-1 --use-pid-file=yes --disallow-exit \
      --log-target=file:"$dir/pulse.log" \
      -L "module-null-sink sink_name=ravo_null rate=44100" \
      -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
      --load="module-default-device-restore" >/dev/null 2>&1 || true
    for _ in $(seq 50); do
      [ -S "$dir/native" ] && break
      sleep 0.1
    done
    [ -S "$dir/native" ] || exit 1
    echo "unix:$dir/native"
    ;;
  stop)
    XDG_RUNTIME_DIR="$dir" HOME="$dir" pulseaudio --kill >/dev/null 2>&1 || true
    ;;
esac
