// The lesson-text format: a bare byte stream, each byte XOR a letter of the
// fixed key "kqzv" in turn. Plain text is 7-bit; the key text may stand
// anywhere in it as filler and is dropped on reading. No Qt widgets here: the
// program and the hearvex-lesson tool read and write lessons through this file.
#pragma once

#include <QByteArray>
#include <QString>

namespace hearvex::lessons {

inline constexpr char kLessonKey[] = "kqzv";

// The byte counter of the format is 16-bit: longer files are refused.
inline constexpr qint64 kMaxLessonTextBytes = 32767;

// Enciphers or deciphers (the cipher is its own inverse): byte i XOR key
// letter i mod 4, counting from 0.
QByteArray xorWithKey(const QByteArray& bytes);

// Deciphered bytes as the text the exercise gets: ASCII as it is, bytes from
// 0x80 up read as GBK (an undecodable byte becomes U+FFFD), every "kqzv"
// removed, then the spaces (only) at both ends stripped.
QString lessonTextFromBytes(const QByteArray& enciphered);

// The plain text as the bytes of a lesson file: ASCII as it is, anything else
// as GBK. Empty when a character has no GBK form (see firstUnencodable).
QByteArray encipherLessonText(const QString& plain);
// The position of the first character that GBK cannot hold, or -1.
qsizetype firstUnencodable(const QString& plain);

// The text file of a listed recording: every "txt" of the name (case-
// sensitive, anywhere in it) becomes "kvx": unit3.txt -> unit3.kvx,
// txtunit.txt -> kvxunit.kvx, UNIT1.TXT stays UNIT1.TXT.
QString textFileName(const QString& listedName);
// The same on the bytes of a name as they are on disk. A name that is not
// UTF-8 is GBK, whose second bytes may be ASCII letters: "txt" is replaced
// only where it stands as three characters of its own.
QByteArray textFileNameBytes(const QByteArray& listedName);

enum class LessonTextStatus {
    Read,
    Missing,    // no such file, or not a regular file
    Unreadable, // it could not be opened or read
    TooLarge,   // over kMaxLessonTextBytes
};

struct LessonText {
    LessonTextStatus status = LessonTextStatus::Missing;
    QString text; // empty unless Read
};

// Reads and deciphers a lesson's text file. Never blocks on a special file:
// only regular files are opened.
LessonText readLessonText(const QString& path);
// The same for a path given by its bytes, which need not be UTF-8.
LessonText readLessonTextFile(const QByteArray& path);

} // namespace hearvex::lessons
