#include "align_command.h"

#include "align_files.h"
#include "align_text.h"
#include "aligned_subtitles.h"
#include "safe_output.h"
#include "transcript_alignment.h"

extern "C" {
#include <libavutil/log.h>
}

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace hearvex::lessons {

namespace {

void say(FILE* to, const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), to);
}

int usage(const QString& problem) {
    say(stderr, AlignText::tr("hearvex-lesson align: %1\n"
                              "usage: hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt] "
                              "[--words OUT.tsv]")
                    .arg(problem));
    return 2;
}

// The media's path with its last extension replaced by .srt.
QByteArray besideMedia(const QByteArray& media) {
    const qsizetype slash = media.lastIndexOf('/');
    const qsizetype dot = media.lastIndexOf('.');
    return (dot > slash + 1 ? media.left(dot) : media) + ".srt";
}

// A bar redrawn in place on a terminal; nothing on a pipe or a file.
class StageBar {
public:
    StageBar()
        : m_shown(isatty(STDERR_FILENO) != 0) {}
    bool update(AlignmentStage stage, double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (!m_shown || (stage == m_stage && percent == m_percent))
            return true;
        m_stage = stage;
        m_percent = percent;
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::fprintf(stderr, "\r%s [%s%s] %3d%%",
                     stage == AlignmentStage::Sentences ? "sentences" : "aligning ",
                     QByteArray(filled, '#').constData(),
                     QByteArray(kWidth - filled, '-').constData(), percent);
        std::fflush(stderr);
        return true;
    }
    void end() {
        if (m_shown && m_percent >= 0)
            std::fputs("\n", stderr);
    }

private:
    bool m_shown;
    AlignmentStage m_stage = AlignmentStage::Sentences;
    int m_percent = -1;
};

// Every timed word of the said sentences, in the sidecars' format, times in the media.
QByteArray wordLines(const std::vector<AlignedSentence>& sentences) {
    WordTimes words;
    for (const AlignedSentence& sentence : sentences)
        for (const TimedWord& word : sentence.words)
            if (word.endMs > word.startMs)
                words.push_back(word);
    return formatWordTimes(words);
}

bool writeOutput(const QByteArray& path, const QByteArray& bytes) {
    QString error;
    if (writeFileSafely(path, bytes, &error))
        return true;
    say(stderr, AlignText::tr("hearvex-lesson align: cannot write %1: %2")
                    .arg(QFile::decodeName(path), error));
    return false;
}

// What was left out and what is uncertain, before anything is written.
void reportSentences(const TranscriptAlignment& aligned) {
    for (const QString& warning : aligned.warnings + aligned.leftOut)
        say(stderr, AlignText::tr("hearvex-lesson align: warning: %1").arg(warning));
    for (const QString& sentence : aligned.uncertain)
        say(stderr, AlignText::tr("hearvex-lesson align: %1: alignment uncertain").arg(sentence));
}

} // namespace

int runAlign(const QList<QByteArray>& args) {
    QList<QByteArray> files;
    QByteArray out, wordsOut;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == "-o" || args.at(i) == "--words") {
            if (i + 1 >= args.size() || args.at(i + 1).isEmpty())
                return usage(AlignText::tr("%1 needs a file name").arg(QLatin1String(args.at(i))));
            QByteArray& target = args.at(i) == "-o" ? out : wordsOut;
            target = args.at(++i);
        } else if (args.at(i).startsWith('-') && args.at(i).size() > 1) {
            return usage(AlignText::tr("unknown option %1").arg(QString::fromUtf8(args.at(i))));
        } else {
            files << args.at(i);
        }
    }
    if (files.size() != 2)
        return usage(files.size() < 2 ? AlignText::tr("give the media and its transcript")
                                      : AlignText::tr("too many files given"));
    const QByteArray media = files.at(0), transcript = files.at(1);
    if (const QString problem = transcriptProblem(transcript); !problem.isEmpty())
        return usage(problem);
    // An SRT already beside the media may be the learner's own: never replaced unasked.
    if (out.isEmpty()) {
        out = besideMedia(media);
        if (QFileInfo::exists(QFile::decodeName(out)))
            return usage(AlignText::tr("%1 exists; name the output with -o to replace it")
                             .arg(QFile::decodeName(out)));
    }
    if (const QString problem = outputProblem(out, media, transcript); !problem.isEmpty())
        return usage(problem);
    if (!wordsOut.isEmpty()) {
        if (const QString problem = outputProblem(wordsOut, media, transcript); !problem.isEmpty())
            return usage(problem);
        if (QFileInfo(QFile::decodeName(wordsOut)).absoluteFilePath() ==
            QFileInfo(QFile::decodeName(out)).absoluteFilePath())
            return usage(AlignText::tr("the subtitles and the word times need two files"));
    }
    av_log_set_level(AV_LOG_QUIET);
    StageBar bar;
    const TranscriptAlignment aligned = alignTranscriptFile(
        media, transcript, [&](AlignmentStage stage, double f) { return bar.update(stage, f); });
    bar.end();
    reportSentences(aligned);
    if (aligned.outcome != AlignmentOutcome::Done) {
        say(stderr, AlignText::tr("hearvex-lesson align: %1").arg(aligned.message));
        return 1;
    }
    if (!writeOutput(out, alignedSubtitles(aligned.sentences)) ||
        (!wordsOut.isEmpty() && !writeOutput(wordsOut, wordLines(aligned.sentences))))
        return 1;
    const qsizetype count = aligned.sentences.size();
    const QString srt = QFile::decodeName(out);
    say(stdout, count == 1
                    ? AlignText::tr("1 sentence aligned, written to %1").arg(srt)
                    : AlignText::tr("%1 sentences aligned, written to %2").arg(count).arg(srt));
    // Scripts must notice that part of the transcript is not in the subtitles.
    return aligned.partial() ? 4 : 0;
}

} // namespace hearvex::lessons
