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

} // namespace hearvex::wordlists
