// Small rules on plain text that several parts of the program share.
#pragma once

#include <QByteArray>
#include <QString>

namespace hearvex::text {

// The text without the spaces (U+0020 only) at both ends.
QString trimSpaces(const QString& text);
// The same for a name kept as the bytes it has on disk.
QByteArray trimSpaces(const QByteArray& bytes);

// The text up to its first line break, whichever form (CR LF, LF, CR) it has:
// the first line of a lesson is its sentence.
QString firstLineOf(const QString& text);

} // namespace hearvex::text
