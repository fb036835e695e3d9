// The four word lists of the word-list window: their names in the drop-down
// and their files beside the program.
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex::wordlists {

// The drop-down's items, in order.
QStringList wordListNames();

// The file of the list at a 0-based drop-down position: word1.txt for the
// first, in the program's own directory.
QString wordListPath(const QString& programDir, int position);

// No word list comes near this size; a bigger file would hold the window for
// seconds and take hundreds of megabytes, so it is not opened.
inline constexpr qint64 kMaxWordListBytes = 8 * 1024 * 1024;

// What the box says instead of a list too big to open.
QString tooLargeNote();

} // namespace hearvex::wordlists
