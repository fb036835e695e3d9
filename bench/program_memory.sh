#!/bin/bash
# Peak memory (VmHWM) of the program playing its first lesson, started as a
# learner starts it (a double click on it in the lesson library), against mpv
# playing the same recording. Run by hand from the
# source folder after building (see README.md); prints figures, asserts nothing.
#   bench/program_memory.sh [build/bin/hearvex] [seconds]
set -eu
program=${1:-build/bin/hearvex}
seconds=${2:-12}
lesson="$(dirname "$program")/听力课文/lesson01.txt"
[ -x "$program" ] && [ -f "$lesson" ] || { echo "build the program first: $program" >&2; exit 1; }

# The peak of a process after it has run for $seconds (or at its end); with
# START set, that command runs after 4 s (the program is up by then).
peak_of() {
    "$@" >/dev/null 2>&1 &
    local pid=$! peak="" waited=0
    if [ -n "${START:-}" ]; then sleep 4; eval "$START"; fi
    while [ "$waited" -lt "$((seconds * 10))" ] && kill -0 "$pid" 2>/dev/null; do
        peak=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
        sleep 0.1
        waited=$((waited + 1))
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "${peak:-0}"
}

mb() { awk -v kb="$1" 'BEGIN { printf "%.1f MB", kb / 1024 }'; }

# The first lesson in the library docked beside the centred main window of a
# 1280 x 1024 screen.
run_program() {
    SDL_AUDIODRIVER=$1 SDL_DISKAUDIOFILE=/dev/null \
        START="xdotool mousemove 916 281 click --repeat 2 --delay 80 1" \
        xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash -c "$(declare -f peak_of); seconds=$seconds; peak_of '$program'"
}

echo "peak memory (VmHWM) over ${seconds} s playing $(basename "$lesson") ($(file -b "$lesson" | sed 's/.*layer III, //')):"
echo "  hearvex, SDL's disk driver (a device)    $(mb "$(run_program disk)")"
echo "  hearvex, no sound device (null output)   $(mb "$(run_program dummy)")"
echo "  mpv --no-video --ao=null                 $(mb "$(peak_of mpv --no-config --no-video --ao=null "$lesson")")"
