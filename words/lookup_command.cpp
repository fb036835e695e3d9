#include "lookup_command.h"
#include "lookup_text.h"

#include <QCoreApplication>

namespace hearvex::words {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(LookupCommand)
};

void say(FILE* to, const QString& text) {
    const QByteArray line = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), to);
}

int usage(FILE* err) {
    say(err, Text::tr("usage: hearvex-lesson lookup [--tsv] WORD..."));
    return 2;
}

} // namespace

int runLookupCommand(const QList<QByteArray>& args, const QString& dictionaryPath, FILE* out,
                     FILE* err) {
    QStringList words;
    bool tsv = false;
    for (const QByteArray& arg : args) {
        if (arg == "--tsv")
            tsv = true;
        else if (arg.startsWith("--"))
            return usage(err);
        else
            words << QString::fromUtf8(arg);
    }
    if (words.isEmpty())
        return usage(err);
    Dictionary dictionary;
    QString error;
    if (!dictionary.open(dictionaryPath, &error)) {
        say(err, Text::tr("hearvex-lesson: %1").arg(error));
        return 1;
    }
    int status = 0;
    for (const QString& word : words) {
        const WordEntry entry = dictionary.lookup(word);
        if (!entry.found) {
            say(err, Text::tr("hearvex-lesson: \"%1\" is not in the dictionary").arg(word));
            status = 1;
        }
        if (tsv)
            say(out, lookupTsvLine(word, entry));
        else
            say(out, lookupReport(entry).join(QLatin1Char('\n')));
    }
    return status;
}

} // namespace hearvex::words
