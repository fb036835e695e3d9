#!/bin/bash
# CPU of the whole program playing a 128 kbit/s MP3 with the view running,
# against mpv playing the same file at the same time (so both see the same
# load). Run by hand from the source folder after building; prints figures,
# asserts nothing.
#   bench/program_cpu.sh [build/bin/hearvex] [seconds]
# PERF=1 also records a profile of the program (perf report -i /tmp/hearvex-play.perf).
set -eu
program=${1:-build/bin/hearvex}
seconds=${2:-30}
dir=${HEARVEX_BENCH_DIR:-/tmp/hearvex-bench}
track="$dir/play-cpu.mp3"
[ -x "$program" ] || { echo "build the program first: $program" >&2; exit 1; }
mkdir -p "$dir"
if [ ! -f "$track" ]; then
    # Two minutes of a voiced, wandering tone with pauses, as speech is for the decoder and the view.
    ffmpeg -v error -f lavfi -i "aevalsrc='0.4*sin(2*PI*(180+40*sin(2*PI*0.7*t))*t)*(0.5+0.5*sin(2*PI*2.5*t))*gt(mod(t,4),0.6)':s=44100:d=120" \
        -ac 2 -c:a libmp3lame -b:a 128k "$track"
fi

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() {
    SDL_AUDIODRIVER=dummy "$program" "$track" >/dev/null 2>&1 &
    local program_pid=$!
    sleep 5 # the splash, the main window and the start of playback
    mpv --no-config --no-video --ao=null "$track" >/dev/null 2>&1 &
    local mpv_pid=$!
    sleep 1
    local p0 m0 p1 m1
    p0=$(cpu_ticks "$program_pid") m0=$(cpu_ticks "$mpv_pid")
    if [ -n "${PERF:-}" ]; then
        perf record -q -g -p "$program_pid" -o /tmp/hearvex-play.perf -- sleep "$seconds" >/dev/null 2>&1
    else
        sleep "$seconds"
    fi
    p1=$(cpu_ticks "$program_pid") m1=$(cpu_ticks "$mpv_pid")
    kill "$program_pid" "$mpv_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    awk -v p=$((p1 - p0)) -v m=$((m1 - m0)) -v t="$ticks" -v s="$seconds" 'BEGIN {
        printf "over %d s of playback (128 kbit/s MP3, view running):\n", s
        printf "  hearvex  %.2f s CPU (%.1f%% of a core)\n", p / t, 100 * p / t / s
        printf "  mpv      %.2f s CPU (%.1f%% of a core)\n", m / t, 100 * m / t / s
        printf "  hearvex/mpv %.2f (target <= 0.5)\n", (m > 0 ? p / m : 0) }'
}

# xvfb-run is a POSIX shell script, which drops exported functions: pass them as text.
export program track seconds ticks PERF="${PERF:-}"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f measure cpu_ticks); measure"
