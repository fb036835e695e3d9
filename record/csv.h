// CSV as RFC 4180 writes it: fields with a comma, a double quote or a line
// break are quoted, quotes inside doubled; records end with CR LF.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace hearvex::record {

QString csvField(const QString& value);
QString csvRecord(const QStringList& fields);

// ISO 8601 to the second with the offset from UTC written out: 2026-12-07T15:13:46+08:00.
QString isoTime(const QDateTime& time);

} // namespace hearvex::record
