#include "shadow_command.h"

#include "lesson_file.h"
#include "lesson_list.h"
#include "plain_text.h"
#include "shadow_analyser.h"
#include "shadow_report.h"
#include "speech_audio.h"
#include "speech_pcm.h"

#include <QCoreApplication>
#include <cstdio>

namespace hearvex::shadow {

using lessons::fileNameText;

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(ShadowCommand)
};

struct ShadowArgs {
    QByteArray lesson, take;
    QString sentence;
    bool tsv = false, details = false;
};

void say(FILE* to, const QString& text) {
    const QByteArray line = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), to);
}

int fail(const QString& message, int status = 1) {
    say(stderr, Text::tr("hearvex-lesson shadow: %1").arg(message));
    return status;
}

std::optional<ShadowArgs> parseArgs(const QList<QByteArray>& args) {
    ShadowArgs parsed;
    QList<QByteArray> files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--tsv")
            parsed.tsv = true;
        else if (args[i] == "--details")
            parsed.details = true;
        else if (args[i] == "--sentence" && i + 1 < args.size())
            parsed.sentence = QString::fromUtf8(args[++i]).trimmed();
        else if (args[i].startsWith("--"))
            return std::nullopt;
        else
            files << args[i];
    }
    if (files.size() != 2)
        return std::nullopt;
    parsed.lesson = files[0];
    parsed.take = files[1];
    return parsed;
}

// The sentence the lesson asks for: the first line of its text.
QString lessonSentence(const QByteArray& recording, QString* error) {
    const QByteArray textPath = lessons::textFileNameBytes(recording);
    const lessons::LessonText text = lessons::readLessonTextFile(textPath);
    const QString sentence = text::firstLineOf(text.text).trimmed();
    if (text.status != lessons::LessonTextStatus::Read || sentence.isEmpty())
        *error = Text::tr("%1: no sentence to compare with (give it with --sentence)")
                     .arg(fileNameText(textPath));
    return sentence;
}

QString humanWord(const WordResult& word) {
    QString line = QStringLiteral("%1  %2").arg(verdictName(word.verdict), -8).arg(word.text);
    if (word.verdict != Verdict::Missed)
        line += QStringLiteral("  %1-%2 s")
                    .arg(double(word.startMs) / 1000, 0, 'f', 2)
                    .arg(double(word.endMs) / 1000, 0, 'f', 2);
    if (word.pace == Pace::Slow)
        line += Text::tr("  (much slower than the model)");
    if (word.pace == Pace::Fast)
        line += Text::tr("  (much faster than the model)");
    if (word.pauseBefore)
        line += Text::tr("  (a pause before it, inside a phrase)");
    return line;
}

void printHuman(const TakeAnalysis& analysis) {
    for (const WordResult& word : analysis.words)
        say(stdout, humanWord(word));
    say(stdout, Text::tr("score %1: %2 of %3 words said")
                    .arg(analysis.score)
                    .arg(analysis.said())
                    .arg(analysis.words.size()));
}

int analyse(const ShadowArgs& args) {
    std::vector<qint16> takePcm;
    QString error;
    if (!lessons::readSpeechPcm(args.take, &takePcm, &error) || takePcm.empty())
        return fail(Text::tr("cannot read %1: %2").arg(fileNameText(args.take), error));
    QString sentence = args.sentence;
    if (sentence.isEmpty() && (sentence = lessonSentence(args.lesson, &error)).isEmpty())
        return fail(error);
    std::vector<qint16> modelPcm;
    if (!lessons::readSpeechPcm(args.lesson, &modelPcm, &error))
        return fail(Text::tr("cannot read %1: %2").arg(fileNameText(args.lesson), error));
    ShadowAnalyser analyser;
    if (!analyser.isReady())
        return fail(analyser.error());
    const AlignedTake heard = analyser.hear(fromPcm16(takePcm), sentence);
    ShadowReport report;
    report.model = analyser.modelWords(args.lesson, fromPcm16(modelPcm), sentence);
    report.analysis = analyseTake(heard, report.model);
    if (!report.analysis.thisSentence)
        return fail(Text::tr("%1 is not the sentence \"%2\": another sentence, silence or noise")
                        .arg(fileNameText(args.take), sentence),
                    3);
    if (args.tsv || args.details) {
        const QByteArray out = formatReport(report, args.details);
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    } else {
        printHuman(report.analysis);
    }
    return 0;
}

} // namespace

int runShadow(const QList<QByteArray>& args) {
    const std::optional<ShadowArgs> parsed = parseArgs(args);
    if (!parsed)
        return fail(Text::tr("usage: hearvex-lesson shadow LESSON.txt TAKE [--sentence TEXT] "
                             "[--tsv] [--details]"),
                    2);
    return analyse(*parsed);
}

} // namespace hearvex::shadow
