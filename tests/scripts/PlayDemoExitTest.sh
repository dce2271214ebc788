#!/usr/bin/env bash
# scripts/play-demo's exit status, with stand-ins for what it starts (install-deps, cmake,
# ravo-tool, xvfb-run), so that the script itself runs whole in a second: 0 after a result
# handed off, non-zero when the build fails, no display can be had or no result comes.
#   PlayDemoExitTest.sh PATH_OF_PLAY_DEMO
set -uo pipefail
script="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/root/scripts" "$work/build/bin" "$work/stand-ins"
cp "$script" "$work/root/scripts/play-demo"
printf '#!/bin/sh\nexit 0\n' >"$work/root/scripts/install-deps"
cat >"$work/stand-ins/cmake" <<'STAND_IN'
#!/bin/sh
[ "${FAKE_BUILD:-ok}" = ok ] && exit 0
echo "ninja: build stopped: subcommand failed." >&2
exit 1
STAND_IN
cat >"$work/stand-ins/xvfb-run" <<'STAND_IN'
#!/bin/sh
echo "xvfb-run: error: Xvfb failed to start" >&2
exit 1
STAND_IN
# The progress ticker's 10 s sleep fails, so the ticker has ended before the script does (as it
# has whenever the shell reaped it early), and the script must not stumble over it.
cat >"$work/stand-ins/sleep" <<'STAND_IN'
#!/bin/sh
[ "$1" = 10 ] && exit 1
exec /bin/sleep "$@"
STAND_IN
cat >"$work/build/bin/ravo-tool" <<'STAND_IN'
#!/bin/sh
case "$1" in
  make-demo)
    echo "make-demo: 3 pages, 2.0 s" >&2
    echo "C|T|A0001|1|D"
    ;;
  launch)
    sleep 0.3
    if [ "${FAKE_RESULT:-yes}" != yes ]; then
      echo "ravo-tool launch: the player ended without a result" >&2
      exit 2
    fi
    echo "RESULT|A0001|1"
    ;;
esac
STAND_IN
chmod +x "$work/root/scripts/"* "$work/stand-ins/"* "$work/build/bin/ravo-tool"

failures=0
# name | environment | status expected (0 or "non-zero") | text the output must hold
while IFS='|' read -r name environment expected text; do
  out="$work/$name.out"
  env -u DISPLAY PATH="$work/stand-ins:$PATH" BUILD_DIR="$work/build" $environment \
    bash "$work/root/scripts/play-demo" >"$out" 2>&1 </dev/null
  status=$?
  if { [ "$expected" = 0 ] && [ "$status" -ne 0 ]; } || { [ "$expected" != 0 ] && [ "$status" -eq 0 ]; }; then
    echo "FAIL $name: exit status $status, expected $expected"; sed 's/^/  | /' "$out"; failures=$((failures + 1))
  elif ! grep -qF -- "$text" "$out"; then
    echo "FAIL $name: output lacks \"$text\""; sed 's/^/  | /' "$out"; failures=$((failures + 1))
  else
    echo "ok   $name: exit status $status"
  fi
done <<'CASES'
result_handed_off|DISPLAY=:99|0|RESULT|A0001|1
no_result|DISPLAY=:99 FAKE_RESULT=no|non-zero|handed off no result
build_error|DISPLAY=:99 FAKE_BUILD=fails|non-zero|subcommand failed
no_display|FAKE_RESULT=yes|non-zero|Xvfb failed to start
CASES
[ "$failures" -eq 0 ]
