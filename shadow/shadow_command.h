// hearvex-lesson shadow LESSON.txt TAKE [--sentence TEXT] [--tsv] [--details]
#pragma once

#include <QByteArray>
#include <QList>

namespace hearvex::shadow {

// Runs the shadow subcommand on its arguments (those after "shadow"), file
// names as bytes. Exit status: 0 analysed, 3 the take is not this sentence
// (another sentence, silence, noise), 1 a file cannot be read or the speech
// model is missing, 2 a usage error.
int runShadow(const QList<QByteArray>& args);

} // namespace hearvex::shadow
