#!/usr/bin/env python3
"""Writes the four word lists of the word-list window into data/.

word1.txt  RTF, Chinese as GBK bytes (\\'hh) in a charset-134 font, as a Chinese WordPad writes it
word2.txt  RTF, Chinese as \\uN escapes with '?' fallbacks, in coloured sections
word3.txt  plain text in GBK (code page 936)
word4.txt  RTF, \\uc2: \\uN escapes followed by their two GBK fallback bytes, as Word writes them

Run from the project root: python3 scripts/make_word_lists.py
"""
import os

from word_list_entries import BROADCAST, NEWSPAPER, SPOKEN, TOEFL

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")


def rtf_ascii(text):
    return text.replace("\\", "\\\\").replace("{", "\\{").replace("}", "\\}")


def rtf_gbk(text):
    """Chinese as \\'hh bytes of code page 936."""
    out = []
    for ch in text:
        if ord(ch) < 0x80:
            out.append(rtf_ascii(ch))
        else:
            out.extend("\\'%02x" % b for b in ch.encode("gbk"))
    return "".join(out)


def rtf_unicode(text, fallback_gbk=False):
    """Chinese as \\uN, followed by '?' (\\uc1) or by its GBK bytes (\\uc2)."""
    out = []
    for ch in text:
        if ord(ch) < 0x80:
            out.append(rtf_ascii(ch))
            continue
        code = ord(ch)
        signed = code - 65536 if code > 32767 else code
        if fallback_gbk:
            out.append("\\u%d" % signed + "".join("\\'%02x" % b for b in ch.encode("gbk")))
        else:
            out.append("\\u%d?" % signed)
    return "".join(out)


def write(name, data):
    with open(os.path.join(DATA, name), "wb") as f:
        f.write(data)


def word1():
    head = (
        "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
        "{\\fonttbl{\\f0\\fnil\\fcharset134 " + rtf_gbk("宋体") + ";}"
        "{\\f1\\froman\\fcharset0 Times New Roman;}}\r\n"
        "{\\colortbl ;\\red128\\green0\\blue0;\\red0\\green0\\blue128;\\red96\\green96\\blue96;}\r\n"
        "{\\*\\generator Hearvex word lists;}\\viewkind4\\uc1\r\n"
    )
    body = [
        "\\pard\\qc\\b\\f0\\fs28\\cf1 " + rtf_gbk("广播常用单词") + "\\b0\\cf0\\fs18\\par\r\n",
        "\\pard\\qc\\f0\\fs18\\cf3 " + rtf_gbk("（英语新闻广播中最常听到的词）") + "\\cf0\\par\r\n",
        "\\pard\\par\r\n",
    ]
    for word, pos, gloss in BROADCAST:
        body.append(
            "\\b\\f1\\fs20\\cf2 " + rtf_ascii(word) + "\\b0\\cf0  \\i\\cf3 " + rtf_ascii(pos)
            + "\\i0\\cf0  \\f0\\fs18 " + rtf_gbk(gloss) + "\\par\r\n"
        )
    write("word1.txt", (head + "".join(body) + "}\r\n").encode("ascii"))


def word2():
    head = (
        "{\\rtf1\\ansi\\ansicpg1252\\deff0"
        "{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
        "{\\colortbl;\\red0\\green96\\blue0;\\red0\\green0\\blue160;\\red160\\green80\\blue0;}\r\n"
        "\\uc1\\pard\\qc\\b\\f0\\fs28\\cf2 " + rtf_unicode("英文报刊常用术语") + "\\b0\\cf0\\fs18\\par\\par\r\n"
    )
    body = []
    for section, entries in NEWSPAPER:
        body.append("\\pard\\ul\\b\\f0\\fs20\\cf3 " + rtf_unicode(section) + "\\ulnone\\b0\\cf0\\par\r\n")
        for term, gloss in entries:
            body.append(
                "\\pard{\\b\\f1\\fs18\\cf1 " + rtf_ascii(term) + "}\\f0\\fs18  "
                + rtf_unicode(gloss) + "\\par\r\n"
            )
        body.append("\\par\r\n")
    write("word2.txt", (head + "".join(body) + "}\r\n").encode("ascii"))


def word3():
    lines = ["常用口语900句（节选）", ""]
    for i, (english, chinese) in enumerate(SPOKEN, 1):
        lines.append("%d. %s  %s" % (i, english, chinese))
    write("word3.txt", ("\r\n".join(lines) + "\r\n").encode("gbk"))


def word4():
    head = (
        "{\\rtf1\\ansi\\ansicpg936\\deff0"
        "{\\fonttbl{\\f0\\fnil\\fcharset134 " + rtf_gbk("宋体") + ";}"
        "{\\f1\\froman\\fcharset0 Times New Roman;}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue200;\\red200\\green0\\blue0;}\r\n"
        "{\\info{\\title TOEFL phrases}}\\uc2\r\n"
        "\\pard\\qc\\b\\f0\\fs28\\cf2 " + rtf_unicode("托福常用短语", True) + "\\b0\\cf0\\fs18\\par\\par\r\n"
    )
    body = []
    for i, (phrase, gloss) in enumerate(TOEFL, 1):
        body.append(
            "\\pard %d. {\\b\\i\\f1\\fs20\\cf1 %s}  " % (i, rtf_ascii(phrase))
            + rtf_unicode(gloss, True) + "\\par\r\n"
        )
    write("word4.txt", (head + "".join(body) + "}\r\n").encode("ascii"))


if __name__ == "__main__":
    word1()
    word2()
    word3()
    word4()
