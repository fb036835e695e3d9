// hearvex-lesson compare [--tsv] SENTENCE TYPED: the main window's aligned
// compare (F9) of a typed text against a sentence, with the kind of each miss.
#pragma once

#include <QByteArray>
#include <QList>

namespace hearvex::tool {

// Without --tsv: the score, then each miss with its kind. With --tsv: one line
// per pair in the sentence's order, expected<TAB>typed<TAB>kind, '' for no
// word and "right" for a match. Returns the exit status.
int runCompareCommand(const QList<QByteArray>& args);

} // namespace hearvex::tool
