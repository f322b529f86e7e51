#!/usr/bin/env bash
# Regenerates every bundled asset of the game from scratch:
#   assets/gazou/*.jpg   the picture library (drawn by tools/gazou.py with ImageMagick)
#   assets/*.wav         sound effects and background music (synthesised by tools/oto.py)
# Needs python3 (standard library only) and ImageMagick's `convert` (developed with 6.9.11);
# sox is only used for the final check of the wave files.  The game itself needs none of these.
# The output is deterministic: fixed seeds, no time stamps.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
tools="$here/tools"

for cmd in python3 convert; do
    command -v "$cmd" >/dev/null 2>&1 || { echo "make_assets.sh: '$cmd' is missing (apt-get install python3 imagemagick sox)" >&2; exit 1; }
done

# Two drawing jobs run side by side; one ImageMagick thread each avoids OpenMP oversubscription.
export MAGICK_THREAD_LIMIT=1
export PYTHONDONTWRITEBYTECODE=1
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
start=$SECONDS
mkdir -p "$here/gazou"

echo "pictures:"
# The large picture takes about as long as all the others together: draw it alongside them.
python3 "$tools/gazou.py" "$here/gazou" "$tmp" mizuumi &
big=$!
python3 "$tools/gazou.py" "$here/gazou" "$tmp" -mizuumi
echo "sounds:"
python3 "$tools/oto.py" "$here"
wait "$big"

if command -v soxi >/dev/null 2>&1; then
    for f in gazou click kansei Tesselbgm; do
        printf '  %-14s %s s\n' "$f.wav" "$(soxi -D "$here/$f.wav")"
    done
fi
echo "done in $((SECONDS - start)) s"
