#!/usr/bin/env python3
"""Makes the sample lessons of data/听力课文 from data/lesson-source/lessons.txt.

Each lesson is a recording NAME.txt (MP3: the sentence spoken by espeak-ng,
encoded by lame), its text NAME.kvx (written by hearvex-lesson, the tool
built beside the program) and its words' times NAME.words (found by the same
tool in the recording). Needs, besides a build of Hearvex:

    apt-get install espeak-ng lame

Usage:
    scripts/make_lessons.py [--source FILE] [--out DIR] [--tool PATH] [NAME ...]

With NAMEs only those lessons are made. Lessons of the folder that the source
does not name are left alone, so a teacher's own recordings stay.
"""
import argparse
import pathlib
import shutil
import subprocess
import sys
import tempfile
import wave

ROOT = pathlib.Path(__file__).resolve().parent.parent
VOICE = "en-us"   # espeak-ng voice
# The sentence is read three times, as in a dictation class: at speaking
# speed, slowly, and at speaking speed again, with time to write between.
READINGS = ((140, 3), (105, 8), (140, 3))  # (words per minute, extra gap between words in 10 ms)
SILENCE_SEC = 0.5   # at both ends of a recording
PAUSE_SEC = 2.5     # between two readings
# Longer than 14 s, so the position bar can seek in every lesson and A-B repeat can jump back.
MIN_LENGTH_SEC = 16
BITRATE_KBPS = 64


def fail(message):
    sys.exit(f"make_lessons: {message}")


def parse_lessons(source):
    lessons, current = [], None
    for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
        if line.startswith("#"):
            continue
        if line.startswith("=="):
            name, sep, title = line[2:].partition("|")
            name, title = name.strip(), title.strip()
            if not sep or not name or not title:
                fail(f"{source}:{number}: expected '== NAME | TITLE'")
            if not name.isascii() or not title.isascii() or "/" in name:
                fail(f"{source}:{number}: NAME and TITLE must be plain ASCII")
            current = {"name": name, "title": title, "lines": [], "line": number}
            lessons.append(current)
        elif current is not None:
            current["lines"].append(line.rstrip())
        elif line.strip():
            fail(f"{source}:{number}: text before the first '== NAME | TITLE' line")
    for lesson in lessons:
        while lesson["lines"] and not lesson["lines"][-1]:
            lesson["lines"].pop()
        if not lesson["lines"] or not lesson["lines"][0].strip():
            fail(f"{source}:{lesson['line']}: lesson {lesson['name']} has no sentence")
        if not all(line.isascii() for line in lesson["lines"]):
            fail(f"{source}:{lesson['line']}: lesson {lesson['name']} is not plain ASCII")
    return lessons


def find_tool(given):
    if given:
        return pathlib.Path(given)
    built = sorted(ROOT.glob("build*/bin/hearvex-lesson"), key=lambda p: p.stat().st_mtime)
    if not built:
        fail("hearvex-lesson not found: build Hearvex first (cmake --build build) or give --tool")
    return built[-1]


def speak(sentence, work):
    """Each reading of the sentence as (wave parameters, frames)."""
    readings = []
    for number, (speed, gap) in enumerate(READINGS):
        spoken = work / f"reading{number}.wav"
        subprocess.run(["espeak-ng", "-v", VOICE, "-s", str(speed), "-g", str(gap),
                        "-w", str(spoken), sentence], check=True)
        with wave.open(str(spoken), "rb") as w:
            readings.append((w.getparams(), w.readframes(w.getnframes())))
    return readings


def join_readings(readings, target):
    params = readings[0][0]
    frame_bytes = params.sampwidth * params.nchannels
    silence = lambda seconds: b"\0" * (int(params.framerate * seconds) * frame_bytes)
    body = silence(PAUSE_SEC).join(frames for _, frames in readings)
    audio = silence(SILENCE_SEC) + body + silence(SILENCE_SEC)
    short = MIN_LENGTH_SEC * params.framerate * frame_bytes - len(audio)
    if short > 0:
        audio += b"\0" * (short - short % frame_bytes)
    with wave.open(str(target), "wb") as w:
        w.setparams(params)
        w.writeframes(audio)


def make(lesson, out, tool, work):
    sentence = lesson["lines"][0].strip()
    padded = work / "padded.wav"
    join_readings(speak(sentence, work), padded)
    recording = out / f"{lesson['name']}.txt"
    subprocess.run(["lame", "--quiet", "-b", str(BITRATE_KBPS), "-m", "m", "--id3v2-only",
                    "--tt", lesson["title"], "--ta", "Hearvex", str(padded), str(recording)],
                   check=True)
    plain = work / "plain.txt"
    plain.write_text("\n".join(lesson["lines"]) + "\n", encoding="utf-8")
    subprocess.run([str(tool), "encode", str(plain), str(out / f"{lesson['name']}.kvx")], check=True)
    print(f"{lesson['name']}: {sentence}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=ROOT / "data" / "lesson-source" / "lessons.txt")
    parser.add_argument("--out", default=ROOT / "data" / "听力课文")
    parser.add_argument("--tool", help="path of hearvex-lesson (default: the newest build)")
    parser.add_argument("names", nargs="*", help="make only these lessons")
    args = parser.parse_args()

    for program in ("espeak-ng", "lame"):
        if not shutil.which(program):
            fail(f"{program} is missing: apt-get install espeak-ng lame")
    tool = find_tool(args.tool)
    lessons = parse_lessons(pathlib.Path(args.source))
    unknown = set(args.names) - {lesson["name"] for lesson in lessons}
    if unknown:
        fail(f"no such lesson in the source: {', '.join(sorted(unknown))}")
    out = pathlib.Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for lesson in lessons:
            if not args.names or lesson["name"] in args.names:
                (out / f"{lesson['name']}.words").unlink(missing_ok=True)  # the old speech's
                make(lesson, out, tool, pathlib.Path(work))
    subprocess.run([str(tool), "check", str(out)], check=True)
    # Each lesson's word times (NAME.words), for hearing a word alone and for shadowing.
    subprocess.run([str(tool), "import", "--words-only", str(out)], check=True)


if __name__ == "__main__":
    main()
