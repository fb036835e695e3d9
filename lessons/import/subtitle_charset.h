// Subtitle files as Chinese learners get them: UTF-8 (with or without a
// byte-order mark), UTF-16 with a byte-order mark, or GB18030.
#pragma once

#include <QByteArray>

namespace hearvex::lessons {

// The file's text as UTF-8 without a byte-order mark. Bytes that are not valid
// UTF-8 and carry no UTF-16 mark are read as GB18030 (a superset of GBK and GB2312).
QByteArray subtitleTextAsUtf8(const QByteArray& bytes);

} // namespace hearvex::lessons
