#include "record_command.h"

#include "csv.h"
#include "practice_record.h"
#include "record_text.h"

#include <QFile>
#include <cstdio>

namespace hearvex::record {

namespace {

struct Options {
    bool due = false;
    bool all = false;
    bool csv = false;
    QString db;
};

void say(FILE* to, const QString& text) {
    const QByteArray line = text.toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), to);
}

int fail(const QString& message) {
    say(stderr, RecordText::tr("hearvex-lesson: %1").arg(message) + QLatin1Char('\n'));
    return 1;
}

int usage() {
    say(stderr, RecordText::tr("usage:\n"
                               "  hearvex-lesson record [--db FILE] [--csv]       every attempt, "
                               "oldest first\n"
                               "  hearvex-lesson record due [--db FILE] [--csv]   the sentences "
                               "due now\n"
                               "  hearvex-lesson record due --all [--db FILE] [--csv]   every "
                               "sentence with a review, with its next due time\n"));
    return 2;
}

bool parse(const QList<QByteArray>& args, Options* options) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "due" && !options->due)
            options->due = true;
        else if (args[i] == "--all" && options->due)
            options->all = true;
        else if (args[i] == "--csv")
            options->csv = true;
        else if (args[i] == "--db" && i + 1 < args.size() && options->db.isEmpty())
            options->db = QFile::decodeName(args[++i]);
        else
            return false;
    }
    if (options->db.isEmpty())
        options->db = defaultRecordPath();
    return true;
}

QString kindName(AttemptKind kind) {
    return attemptKindName(kind);
}

// Row by row, as the CSV: a long record is never held whole.
bool listAttempts(const PracticeRecord& record) {
    return record.forEachAttempt([](const Attempt& a) {
        QString line = QStringLiteral("%1  %2  %3/%4  %5%  %6")
                           .arg(isoTime(a.time), kindName(a.kind).leftJustified(7))
                           .arg(a.wordsRight)
                           .arg(a.wordsTotal)
                           .arg(a.speedPercent)
                           .arg(a.lesson.recordingName);
        if (!a.missedWords.isEmpty())
            line += RecordText::tr("  missed: ") + a.missedWords.join(QLatin1Char(' '));
        say(stdout, line + QLatin1Char('\n'));
        return true;
    });
}

void listDue(const PracticeRecord& record, bool all, bool csv) {
    const std::vector<DueItem> items =
        all ? record.schedule() : record.due(QDateTime::currentDateTime());
    if (csv)
        say(stdout, csvRecord({QStringLiteral("lesson"), QStringLiteral("sentence"),
                               QStringLiteral("due"), QStringLiteral("reviews")}));
    for (const DueItem& item : items) {
        const QString due = isoTime(item.due.toLocalTime());
        if (csv)
            say(stdout, csvRecord({item.lesson.recordingName, item.lesson.sentence, due,
                                   QString::number(item.reviews)}));
        else
            say(stdout, RecordText::tr("%1  reviews %2  %3  %4\n")
                            .arg(due)
                            .arg(item.reviews)
                            .arg(item.lesson.recordingName, item.lesson.sentence));
    }
}

} // namespace

int runRecordCommand(const QList<QByteArray>& args) {
    Options options;
    if (!parse(args, &options))
        return usage();
    OpenOutcome outcome;
    const std::unique_ptr<PracticeRecord> record =
        PracticeRecord::open(options.db, &outcome, false);
    if (!record && outcome.status == OpenOutcome::Status::Unwritable)
        return fail(RecordText::tr("%1: cannot be read: %2").arg(options.db, outcome.reason));
    if (!record)
        return fail(outcome.reason);
    if (options.due) {
        listDue(*record, options.all, options.csv);
    } else if (options.csv) {
        std::fflush(stdout);
        QFile out;
        // Unbuffered: stdio buffers already; Qt's own buffer grew with the whole
        // CSV when the output was a pipe or /dev/null.
        if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered) ||
            !record->writeCsv(out))
            return fail(RecordText::tr("the CSV could not be written"));
    } else if (!listAttempts(*record)) {
        return fail(RecordText::tr("the record could not be read to its end"));
    }
    return std::fflush(stdout) == 0 ? 0 : fail(RecordText::tr("the output could not be written"));
}

} // namespace hearvex::record
