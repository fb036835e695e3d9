#!/usr/bin/env python3
"""Makes data/dictionary/words.dict, the dictionary the program looks words up in.

Sources: ECDICT's glosses and lemma list (ecdict-zh.tsv.xz, lemma.en.txt.xz,
MIT, "Copyright (c) 2025 Linwei") and the CMU Pronouncing Dictionary of
Debian's pocketsphinx-en-us. Run by hand when the sources change:

    scripts/make_dictionary.py [--source ../shared/dictionary] [--out data/dictionary/words.dict]

The file is read from disk a block at a time, never loaded whole:

    header   "HVXDICT1", u32 block count, u32 record count, u32 index offset,
             u32 key pool offset (all little-endian)
    blocks   each a zlib stream behind its 4-byte big-endian plain size (the
             form Qt's qUncompress reads); plain text, one record a line:
             key TAB word TAB lemma TAB rank TAB arpabet TAB forms TAB glosses
    index    per block: u32 offset, u32 size, u32 first key's offset in the
             key pool, u32 its length
    key pool the first key of every block

The key is the word with A-Z folded to a-z; lines are sorted by the key's
UTF-8 bytes, then by the word, and the lines of one key never straddle two
blocks. lemma is empty when the word is its own lemma; rank is the lemma's
line in the lemma list (1 = most frequent, 0 = not listed); arpabet is the CMU
pronunciation, phones separated by spaces, its stress digits from eSpeak NG
(Debian's copy of the CMU dictionary has none); forms are the lemma's forms
separated by commas (only on a lemma's own line); glosses keep ECDICT's
literal backslash-n between lines.
"""
import argparse
import ctypes
import lzma
import pathlib
import re
import struct
import sys
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
CMU_DICT = pathlib.Path("/usr/share/pocketsphinx/model/en-us/cmudict-en-us.dict")
BLOCK_BYTES = 16384  # plain bytes per block: one look-up inflates one block
MAGIC = b"HVXDICT1"


def fold(word):
    return re.sub(r"[A-Z]", lambda m: m.group(0).lower(), word)


def read_lemmas(path):
    """lemma -> (rank, forms) and form -> lemma, the most frequent lemma first."""
    lemmas, lemma_of = {}, {}
    rank = 0
    with lzma.open(path, "rt", encoding="utf-8") as lines:
        for line in lines:
            line = line.strip()
            if not line or line.startswith(";") or " -> " not in line:
                continue
            head, forms = line.split(" -> ", 1)
            lemma = fold(head.split("/", 1)[0].strip())
            rank += 1
            forms = [f.strip() for f in forms.split(",") if f.strip() and fold(f.strip()) != lemma]
            if lemma not in lemmas:
                lemmas[lemma] = (rank, forms)
            lemma_of.setdefault(lemma, lemma)
            for form in forms:
                lemma_of.setdefault(fold(form), lemma)
    return lemmas, lemma_of


class Espeak:
    """eSpeak NG's IPA for a word, through its library (Debian's libespeak-ng1)."""

    def __init__(self):
        try:
            self.lib = ctypes.CDLL("libespeak-ng.so.1")
        except OSError:
            sys.exit("make_dictionary: eSpeak NG is missing (apt-get install libespeak-ng1)")
        self.lib.espeak_Initialize.argtypes = [ctypes.c_int, ctypes.c_int, ctypes.c_char_p, ctypes.c_int]
        self.lib.espeak_SetVoiceByName.argtypes = [ctypes.c_char_p]
        self.lib.espeak_TextToPhonemes.restype = ctypes.c_char_p
        self.lib.espeak_TextToPhonemes.argtypes = [ctypes.POINTER(ctypes.c_void_p), ctypes.c_int, ctypes.c_int]
        synchronous, dont_exit = 2, 0x8000
        if self.lib.espeak_Initialize(synchronous, 0, None, dont_exit) <= 0 or \
                self.lib.espeak_SetVoiceByName(b"en-us") != 0:
            sys.exit("make_dictionary: eSpeak NG has no US-English voice (apt-get install espeak-ng-data)")

    def ipa(self, word):
        text = ctypes.create_string_buffer(word.encode("utf-8"))
        position = ctypes.c_void_p(ctypes.addressof(text))
        parts = []
        while position.value:
            phonemes = self.lib.espeak_TextToPhonemes(ctypes.byref(position), 0, 2)  # UTF-8 in, IPA out
            if not phonemes:
                break
            parts.append(phonemes.decode("utf-8"))
        return "".join(parts)


IPA_VOWELS = set("aeiouæɑɒɔəɛɜɝɚɪʊʌᵻɐɘɵɤɯʏyøœ")
IPA_DIPHTHONGS = ("aɪ", "aʊ", "eɪ", "oʊ", "ɔɪ", "əʊ")


def espeak_stresses(ipa):
    """The stress (0, 1 primary, 2 secondary) of each syllable nucleus of eSpeak's IPA."""
    stresses, pending, i = [], 0, 0
    while i < len(ipa):
        c = ipa[i]
        if c in "ˈˌ":
            pending = 1 if c == "ˈ" else 2
            i += 1
        elif ipa.startswith(IPA_DIPHTHONGS, i) or c in IPA_VOWELS or ipa[i + 1:i + 2] == "\u0329":
            stresses.append(pending)
            pending = 0
            i += 2 if ipa.startswith(IPA_DIPHTHONGS, i) or ipa[i + 1:i + 2] == "\u0329" else 1
        else:
            i += 1
    return stresses


def with_stress(word, phones, espeak):
    """The CMU phones with ARPAbet stress digits on their vowels, taken from eSpeak
    where it finds as many syllables; otherwise a word of one syllable is
    stressed and a longer one left unmarked."""
    vowels = [i for i, phone in enumerate(phones) if phone in ARPABET_VOWELS]
    stresses = espeak_stresses(espeak.ipa(word))
    if len(stresses) != len(vowels):
        stresses = [1] if len(vowels) == 1 else [0] * len(vowels)
    marked = list(phones)
    for i, stress in zip(vowels, stresses):
        marked[i] = phones[i] + str(stress)
    return " ".join(marked)


ARPABET_VOWELS = {"AA", "AE", "AH", "AO", "AW", "AY", "EH", "ER", "EY", "IH", "IY", "OW", "OY", "UH", "UW"}


def read_pronunciations(path, espeak):
    """word -> ARPAbet of its first pronunciation, with stress digits."""
    result = {}
    if not path.exists():
        sys.exit(f"make_dictionary: {path} is missing (apt-get install pocketsphinx-en-us)")
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            parts = line.split()
            if len(parts) < 2 or "(" in parts[0]:
                continue
            if fold(parts[0]) not in result:
                result[fold(parts[0])] = with_stress(parts[0], parts[1:], espeak)
    return result


def read_glosses(path):
    """word -> glosses for every single-word entry (phrases and names of several words are left out)."""
    result = {}
    with lzma.open(path, "rt", encoding="utf-8") as lines:
        for line in lines:
            word, _, glosses = line.rstrip("\n").partition("\t")
            if not word or " " in word or "\t" in glosses:
                continue
            result.setdefault(word, glosses.strip())
    return result


def build_records(glosses, lemmas, lemma_of, sounds):
    words = set(glosses)
    words.update(lemma_of)
    for lemma, (_, forms) in lemmas.items():
        words.update(forms)
    records = []
    for word in words:
        key = fold(word)
        lemma = lemma_of.get(key, "")
        rank = lemmas[lemma][0] if lemma in lemmas else 0
        forms = ",".join(lemmas[key][1]) if lemma == key and key in lemmas else ""
        fields = [key, word, "" if lemma == key else lemma, str(rank), sounds.get(key, ""), forms,
                  glosses.get(word, "")]
        records.append(fields)
    records.sort(key=lambda r: (r[0].encode("utf-8"), r[1].encode("utf-8")))
    return records


def pack_blocks(records):
    """(compressed block, first key) per block, keeping each key's lines together."""
    blocks, lines, size = [], [], 0
    for i, fields in enumerate(records):
        line = ("\t".join(fields) + "\n").encode("utf-8")
        starts_key = i == 0 or records[i - 1][0] != fields[0]
        if lines and size >= BLOCK_BYTES and starts_key:
            blocks.append(lines)
            lines, size = [], 0
        lines.append((fields[0], line))
        size += len(line)
    if lines:
        blocks.append(lines)
    packed = []
    for block in blocks:
        plain = b"".join(line for _, line in block)
        packed.append((struct.pack(">I", len(plain)) + zlib.compress(plain, 9), block[0][0].encode("utf-8")))
    return packed


def write_file(out, packed, record_count):
    header_size = len(MAGIC) + 16
    offset = header_size
    index, pool = [], b""
    body = b""
    for data, key in packed:
        index.append(struct.pack("<IIII", offset, len(data), len(pool), len(key)))
        pool += key
        body += data
        offset += len(data)
    index_offset = offset
    pool_offset = index_offset + 16 * len(index)
    out.parent.mkdir(parents=True, exist_ok=True)
    with open(out, "wb") as f:
        f.write(MAGIC + struct.pack("<IIII", len(packed), record_count, index_offset, pool_offset))
        f.write(body)
        f.write(b"".join(index))
        f.write(pool)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=str(ROOT.parent / "shared" / "dictionary"))
    parser.add_argument("--out", default=str(ROOT / "data" / "dictionary" / "words.dict"))
    args = parser.parse_args()
    source = pathlib.Path(args.source)
    lemmas, lemma_of = read_lemmas(source / "lemma.en.txt.xz")
    glosses = read_glosses(source / "ecdict-zh.tsv.xz")
    sounds = read_pronunciations(CMU_DICT, Espeak())
    records = build_records(glosses, lemmas, lemma_of, sounds)
    packed = pack_blocks(records)
    out = pathlib.Path(args.out)
    write_file(out, packed, len(records))
    print(f"{out}: {len(records)} words in {len(packed)} blocks, {out.stat().st_size} bytes")


if __name__ == "__main__":
    main()
