#!/bin/bash
# Remakes the two pictures of the aligned compare (F9) from the built program:
# data/help_compare.png (the help page: lesson 6, the main window) and
# docs/compare.png (the README: lesson 7, with the library and the score's tooltip).
# Needs a build in build/ and xvfb, xdotool, imagemagick. Run from the source folder:
#   scripts/compare_pictures.sh
set -euo pipefail

if [ -z "${HEARVEX_SHOOTING:-}" ]; then
    exec env HEARVEX_SHOOTING=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The disk driver counts as a sound device, so the window does not say 无声音设备;
# the practice record goes to a throwaway folder.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null XDG_DATA_HOME="$work/data"

# shoot LESSON TYPED OUT.png WIDTHxHEIGHT [tip]: starts the lesson from the
# library, slows it to 0.8x, types (pieces between | typed one by one, as
# xdotool drops some full-width marks inside a longer text), checks, compares.
shoot() {
    ./build/bin/hearvex &
    local pid=$!
    sleep 4
    local win X Y WIDTH HEIGHT SCREEN
    win=$(xdotool search --onlyvisible --name '^Hearvex$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$win")"
    # The docked library's rows are 18 pixels apart, the first 9 below the top.
    xdotool mousemove $((X + 680)) $((Y + 9 + ($1 - 1) * 18)) click --repeat 2 --delay 80 1
    sleep 1
    xdotool key F6 F6
    xdotool mousemove $((X + 150)) $((Y + 350)) click 1
    sleep 0.5
    local parts part
    IFS='|' read -ra parts <<<"$2"
    for part in "${parts[@]}"; do
        xdotool type --delay 40 "$part"
        sleep 0.2
    done
    xdotool key ctrl+Return
    sleep 0.3
    xdotool key F9
    sleep 1
    if [ "${5:-}" = tip ]; then
        # Resting on the score (lbScore) shows the words missed.
        xdotool mousemove $((X + 405)) $((Y + 452))
        sleep 0.3
        xdotool mousemove $((X + 412)) $((Y + 454))
        sleep 2.5
    else
        xdotool mousemove 1270 1010
        sleep 0.5
    fi
    import -window root "$work/root.png"
    convert "$work/root.png" -crop "$4+$X+$Y" +repage "$3"
    kill "$pid"
    wait "$pid" || true
}

shoot 6 "We went to park last Sunday and play football." data/help_compare.png 640x480
shoot 7 "Excuse me|，|is there bank near here|？|Yes|，|its next to the the post office|。" \
    docs/compare.png 792x500 tip
