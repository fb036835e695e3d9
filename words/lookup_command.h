// hearvex-lesson lookup [--tsv] WORD...: what the look-up panel shows of each
// word, from the dictionary beside the tool.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdio>

namespace hearvex::words {

// Each word in the order given: with --tsv one line word<TAB>lemma<TAB>ipa<TAB>
// band<TAB>glosses, else a few lines of text. A word the dictionary lacks
// still gets its line (eSpeak NG's pronunciation, band 5, no glosses) and a
// message on err. Returns the exit status: 0, 1 when a word was unknown or the
// dictionary cannot be read, 2 for a wrong command line.
int runLookupCommand(const QList<QByteArray>& args, const QString& dictionaryPath, FILE* out,
                     FILE* err);

} // namespace hearvex::words
