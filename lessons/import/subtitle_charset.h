// Subtitle files as learners get them: UTF-8 (with or without a byte-order
// mark), UTF-16 or UTF-32 with a byte-order mark, or a legacy code page found
// by uchardet from the bytes themselves: GB18030/GBK as Chinese subtitle sites
// serve them, Big5, Windows-1252 and the other common code pages.
#pragma once

#include <QByteArray>

namespace hearvex::lessons {

// The file's text as UTF-8 without a byte-order mark.
QByteArray subtitleTextAsUtf8(const QByteArray& bytes);

// The code page of bytes that are not UTF-8, as a QStringDecoder name. Text
// whose every non-ASCII byte pairs up as GB2312 Chinese is GB18030 whatever
// uchardet guesses (short GBK texts fool it); unknown: GB18030.
QByteArray legacyCodePage(const QByteArray& bytes);

} // namespace hearvex::lessons
