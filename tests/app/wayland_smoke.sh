#!/bin/sh
# Starts a headless weston of its own, runs the Wayland player in it and passes when the player
# ends with 0 and neither Qt nor the game warned about anything on the way.
# Usage: wayland_smoke.sh <wayland_player>
set -u
player=$1

command -v weston >/dev/null || { echo "weston is not installed"; exit 1; }

# A session of our own: no desktop, maybe root, nothing inherited.
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill "$weston" 2>/dev/null; wait "$weston" 2>/dev/null; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
export HOME="$runtime/home"
mkdir -p "$HOME"
unset DISPLAY WAYLAND_SOCKET QT_QPA_PLATFORMTHEME

weston --backend=headless-backend.so --socket=wayland-smoke --width=1600 --height=900 \
    --idle-time=0 --no-config >"$runtime/weston.log" 2>&1 &
weston=$!
tries=0
until [ -S "$runtime/wayland-smoke" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 "$weston" 2>/dev/null; then
        echo "weston did not start:"; cat "$runtime/weston.log"; exit 1
    fi
    sleep 0.1
done

QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-smoke SDL_AUDIODRIVER=dummy \
    "$player" >"$runtime/out.log" 2>"$runtime/err.log"
code=$?
cat "$runtime/out.log" "$runtime/err.log"
if [ $code -ne 0 ]; then
    echo "the player ended with $code"; exit 1
fi
if [ -s "$runtime/err.log" ]; then
    echo "the game or Qt warned under Wayland"; exit 1
fi
echo "played under Wayland and ended cleanly"
