#include "word_book_command.h"

#include "dictionary.h"
#include "practice_record.h"
#include "word_book.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

namespace hearvex::tool {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(WordBookCommand)
};

void say(FILE* to, const QString& text) {
    const QByteArray line = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), to);
}

int usage() {
    say(stderr, Text::tr("usage: hearvex-lesson record words [--db FILE] [--csv]"));
    return 2;
}

// A word's glosses on one line: the dictionary keeps them a line each.
std::function<QString(const QString&)> glossesFrom(const words::Dictionary& dictionary) {
    return [&dictionary](const QString& word) {
        if (!dictionary.isOpen())
            return QString();
        const words::WordEntry entry = dictionary.lookup(word);
        QStringList glosses = entry.glosses;
        if (glosses.isEmpty())
            glosses = entry.lemmaGlosses;
        return glosses.join(QStringLiteral("; "));
    };
}

QString kindsText(const std::vector<record::KindCount>& kinds) {
    QStringList parts;
    for (const record::KindCount& kind : kinds)
        parts << QStringLiteral("%1 %2").arg(kind.kind).arg(kind.count);
    return parts.join(QStringLiteral(", "));
}

void listWords(const std::vector<record::WordBookWord>& words,
               const std::function<QString(const QString&)>& glossesOf) {
    for (const record::WordBookWord& word : words) {
        QString line = Text::tr("%1  missed %2").arg(word.word).arg(word.timesMissed);
        if (!word.kinds.empty())
            line += QStringLiteral(" (%1)").arg(kindsText(word.kinds));
        const QString glosses = glossesOf(word.word);
        if (!glosses.isEmpty())
            line += QStringLiteral("  ") + glosses;
        say(stdout, line);
        for (const record::KeptWord& kept : word.kept)
            say(stdout, QStringLiteral("    %1  (%2)")
                            .arg(kept.lesson.sentence, kept.lesson.recordingName));
    }
}

} // namespace

int runWordBookCommand(const QList<QByteArray>& args) {
    bool csv = false;
    QString db;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--csv")
            csv = true;
        else if (args[i] == "--db" && i + 1 < args.size() && db.isEmpty())
            db = QFile::decodeName(args[++i]);
        else
            return usage();
    }
    if (db.isEmpty())
        db = record::defaultRecordPath();
    QString reason;
    const std::unique_ptr<record::WordBook> book = record::WordBook::open(db, &reason);
    if (!book) {
        say(stderr, Text::tr("hearvex-lesson: %1").arg(reason));
        return 1;
    }
    words::Dictionary dictionary;
    QString ignored;
    dictionary.open(words::Dictionary::defaultPath(QCoreApplication::applicationDirPath()),
                    &ignored);
    const auto glossesOf = glossesFrom(dictionary);
    const std::vector<record::WordBookWord> words = book->words();
    if (csv) {
        std::fflush(stdout);
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) ||
            !record::writeWordBookCsv(words, glossesOf, out)) {
            say(stderr, Text::tr("hearvex-lesson: the CSV could not be written"));
            return 1;
        }
        return out.flush() ? 0 : 1;
    }
    if (words.empty())
        say(stderr, Text::tr("the word book is empty: keep a word from the look-up panel (F2)"));
    listWords(words, glossesOf);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace hearvex::tool
