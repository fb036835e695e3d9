#!/bin/bash
# Makes takes of twelve everyday sentences in many synthetic voices (eSpeak
# NG's variants at 120-200 words a minute; Flite's five voices at three
# speeds, when flite is installed), some with a word left out, some of another
# sentence, plus the real readers of pocketsphinx-testdata, and runs
# shadow_voices_bench on them. Run by hand from the source folder after
# building; prints figures, asserts nothing.
#   bench/shadow_voices.sh [build/bin/shadow_voices_bench] [--words]
set -eu
bench=${1:-build/bin/shadow_voices_bench}
dir=${HEARVEX_BENCH_DIR:-/tmp/hearvex-bench}/voices
data=/usr/share/pocketsphinx/test/data
[ -x "$bench" ] || { echo "build the bench first: $bench" >&2; exit 1; }
command -v espeak-ng >/dev/null || { echo "needs espeak-ng (apt-get install espeak-ng)" >&2; exit 1; }
mkdir -p "$dir"
list="$dir/takes.tsv"
: >"$list"
sentences=("Could you tell me the way to the station?"
    "We usually have dinner at seven o'clock."
    "She left her keys on the kitchen table."
    "I have been learning English for three years."
    "The train to London leaves in ten minutes."
    "Please open the window, it is very hot in here."
    "My brother works at a hospital near the river."
    "What time does the museum close on Sundays?"
    "It was raining so we stayed at home all day."
    "He bought a new computer last week."
    "Would you like a cup of tea or coffee?"
    "The children are playing in the garden.")
espeak_voices=(en-us en en-029 en-gb-x-rp en-us+f1 en-us+f2 en+f4 en-us+f5 en+m1 en-us+m2 en+m4
    en-us+m5 en+m7 en-us+klatt en-gb-scotland en-us+m3)
flite_voices=(kal kal16 awb rms slt)
speeds=(120 140 160 180 200)
stretches=(0.8 1.0 1.25)
n=0

# say GROUP KIND SENTENCE-SAID SENTENCE-MEANT LEFT-OUT ENGINE VOICE SPEED
say() {
    local file="$dir/$n.wav"
    if [ ! -f "$file" ]; then
        if [ "$6" = espeak ]; then
            espeak-ng -v "$7" -s "$8" -w "$file" "$3"
        else
            flite -voice "$7" --setf duration_stretch="$8" -t "$3" -o "$file"
        fi
    fi
    printf '%s\t%s\t%s\t%s\t%s\t%d\n' "$1" "$2" "$file" "$4" "$5" $((n % 2)) >>"$list"
    n=$((n + 1))
}

# without the word at index $2 of sentence $1
left_out() {
    local -a words
    read -r -a words <<<"${sentences[$1]}"
    unset "words[$2]"
    echo "${words[*]}"
}

for s in "${!sentences[@]}"; do
    for v in "${!espeak_voices[@]}"; do
        ((s < 2 || (s + v) % 3 == 0)) || continue
        say "${espeak_voices[$v]}" right "${sentences[$s]}" "${sentences[$s]}" "" espeak \
            "${espeak_voices[$v]}" "${speeds[$(((s * 7 + v) % 5))]}"
    done
done
cut_words=("2 6" "2 3" "2 2" "3 4" "4 3" "6 1" "10 5" "7 2")
for c in "${cut_words[@]}"; do
    read -r s w <<<"$c"
    for v in en-us+m3 en+f2 en-029 en-us+f5; do
        say espeak left "$(left_out "$s" "$w")" "${sentences[$s]}" "$w" espeak "$v" 150
    done
done
others=("The weather is lovely today.:2" "0:1" "4:9" "5:11" "10:3")
for o in "${others[@]}"; do
    said=${o%%:*} meant=${sentences[${o##*:}]}
    [[ $said =~ ^[0-9]+$ ]] && said=${sentences[$said]}
    for v in en en-us+f3; do say espeak other "$said" "$meant" "" espeak "$v" 150; done
done
if command -v flite >/dev/null; then
    for s in "${!sentences[@]}"; do
        for v in "${!flite_voices[@]}"; do
            say "${flite_voices[$v]}" right "${sentences[$s]}" "${sentences[$s]}" "" flite \
                "${flite_voices[$v]}" "${stretches[$(((s + v) % 3))]}"
        done
    done
    for c in "${cut_words[@]}"; do
        read -r s w <<<"$c"
        for v in kal16 slt awb; do
            say flite left "$(left_out "$s" "$w")" "${sentences[$s]}" "$w" flite "$v" 1.0
        done
    done
    for o in "${others[@]}"; do
        said=${o%%:*} meant=${sentences[${o##*:}]}
        [[ $said =~ ^[0-9]+$ ]] && said=${sentences[$said]}
        for v in kal16 slt; do say flite other "$said" "$meant" "" flite "$v" 1.0; done
    done
fi
if [ -d "$data" ]; then
    r=0
    for part in librivox/transcription cards/cards.transcription; do
        while read -r line; do
            id=${line##*(} id=${id%)}
            text=${line#<s> } text=${text%% </s>*} text=$(tr -s " " <<<"$text")
            text="${text^}."
            for room in 0 1; do
                ((room == 0 || r % 2 == 0)) || continue
                printf 'people\tright\t%s\t%s\t\t%d\n' "$data/${part%%/*}/$id.wav" "$text" $room >>"$list"
            done
            r=$((r + 1))
        done <"$data/$part"
    done
fi
"$bench" "$list" "${@:2}"
