// hearvex-lesson: writes, reads and checks the lessons of the Hearvex lesson folder.
//
//   hearvex-lesson encode PLAIN.txt OUT.kvx   plain text (UTF-8) -> lesson text file
//   hearvex-lesson decode IN.kvx [OUT.txt]    lesson text file -> plain text (UTF-8)
//   hearvex-lesson check FOLDER               each lesson in the program's order, and its faults
//   hearvex-lesson import MEDIA [SUBTITLES]   one lesson per subtitle cue (see import_command.h)
//   hearvex-lesson words LESSON.txt           a lesson's word times (see words_command.h)
//   hearvex-lesson record [due [--all]] [--db FILE] [--csv]  the practice record (record_command.h)
//   hearvex-lesson align MEDIA TRANSCRIPT.txt a plain transcript timed as SRT (align_command.h)
//   hearvex-lesson compare [--tsv] SENTENCE TYPED   the aligned compare and its kinds of miss
//   hearvex-lesson lookup [--tsv] WORD...   a word's lemma, IPA, band, glosses (lookup_command.h)
//   hearvex-lesson shadow LESSON.txt TAKE   a take of the learner set against the sentence
#include "align_command.h"
#include "compare_command.h"
#include "cue_word_finder.h"
#include "dictionary.h"
#include "import_command.h"
#include "lesson_check.h"
#include "lesson_file.h"
#include "lesson_list.h"
#include "lesson_set.h"
#include "lookup_command.h"
#include "plain_text.h"
#include "record_command.h"
#include "safe_output.h"
#include "shadow_command.h"
#include "transcript_import.h"
#include "vbmp3.h"
#include "word_book_command.h"
#include "words_command.h"

#include "text_file.h"
#include "tool_language.h"
#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace hearvex::lessons;

namespace {

// The tool's own messages, in the learner's language (tool_language.h).
struct Text {
    Q_DECLARE_TR_FUNCTIONS(LessonTool)
};

// Every byte of the line, a NUL in a lesson's text included.
void say(FILE* to, const QString& text) {
    const QByteArray line = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), to);
}

// Files are named by the bytes of their paths, as the command line gave them
// (a GBK name from a Windows lesson pack has no QString that opens it); this
// is how such a path reads in a message.
QString shown(const QByteArray& path) {
    return fileNameText(path);
}

int fail(const QString& message) {
    say(stderr, Text::tr("hearvex-lesson: %1").arg(message));
    return 1;
}

// How the commands are used: asked for (--help), on standard output with
// success; after a wrong command line, on standard error with status 2.
int usage(FILE* to = stderr) {
    say(to,
        Text::tr(
            "usage:\n"
            "  hearvex-lesson encode PLAIN.txt OUT.kvx   write a lesson text file from UTF-8 text\n"
            "  hearvex-lesson decode IN.kvx [OUT.txt]    show (or write) a lesson's text as UTF-8\n"
            "  hearvex-lesson check FOLDER               list a lesson folder in the program's "
            "order\n"
            "                                            and report what is wrong with each "
            "lesson\n"
            "  hearvex-lesson import MEDIA [SUBTITLES] [--into FOLDER] [--name NAME] [--replace]\n"
            "                        [--max-words N] [--max-seconds S]\n"
            "                                            one lesson per subtitle cue, or per "
            "sentence\n"
            "                                            of a plain transcript (TRANSCRIPT.txt), "
            "each\n"
            "                                            with its word times; a sentence over N "
            "words\n"
            "                                            (20; 0: never) or S seconds (8) as "
            "phrases\n"
            "  hearvex-lesson import --words-only FOLDER\n"
            "                                            word times for the lessons imported "
            "without\n"
            "  hearvex-lesson words LESSON.txt           a lesson's word times, one a line:\n"
            "                                            start, end (s), confidence, word\n"
            "  hearvex-lesson record [--db FILE] [--csv]   every check and compare, oldest first\n"
            "  hearvex-lesson record words [--db FILE] [--csv]\n"
            "                                            the word book: kept words, glosses, "
            "misses\n"
            "  hearvex-lesson record due [--all] [--db FILE] [--csv]\n"
            "                                            the sentences due for review now; "
            "--all: every\n"
            "                                            sentence reviewed, with when it is "
            "due\n"
            "  hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt] [--words OUT.tsv]\n"
            "                                            time a plain transcript's sentences as "
            "SRT\n"
            "                                            (and every word: start, end, "
            "confidence, word)\n"
            "  hearvex-lesson compare [--tsv] SENTENCE TYPED\n"
            "                                            compare a typed text with a sentence "
            "as F9 does,\n"
            "                                            with the kind of each miss\n"
            "  hearvex-lesson lookup [--tsv] WORD...   each word's lemma, pronunciation, "
            "frequency band\n"
            "                                            (1 common .. 5 rare) and Chinese glosses\n"
            "  hearvex-lesson shadow LESSON.txt TAKE [--sentence TEXT] [--tsv] [--details]\n"
            "                                            which words of the sentence a take "
            "says,\n"
            "                                            misses or says unclearly, and its "
            "score\n"
            "  hearvex-lesson --help | --version"));
    return to == stdout ? 0 : 2;
}

bool readFile(const QByteArray& path, QByteArray* bytes, QString* error) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

// Line breaks as the lesson format writes them (CR LF), without trailing ones.
QString lessonLines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// The folder a file is in: where an import killed there is finished first.
QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// Writing the file being read would lose it.
int refuseOverwritingInput(const QString& in, const QString& out) {
    return fail(Text::tr("%1 is %2 itself: writing it would destroy what is read; name another "
                         "output")
                    .arg(out, in));
}

int encode(const QByteArray& inFile, const QByteArray& outFile) {
    recoverInterruptedImports(folderOf(outFile));
    const QString in = shown(inFile);
    const QString out = shown(outFile);
    if (isSameFile(inFile, outFile))
        return refuseOverwritingInput(in, out);
    QByteArray content;
    QString readError;
    if (!readFile(inFile, &content, &readError))
        return fail(Text::tr("cannot read %1: %2").arg(in, readError));
    const std::optional<QString> utf8 = hearvex::text::decodeUtf8(content);
    if (!utf8)
        return fail(Text::tr("%1 is not UTF-8 text").arg(in));
    QString plain = lessonLines(*utf8);
    if (const qsizetype at = firstUnencodable(plain); at >= 0) {
        const qsizetype lineStart = at == 0 ? 0 : plain.lastIndexOf(QLatin1Char('\n'), at - 1) + 1;
        return fail(Text::tr("%1:%2:%3: the character \"%4\" cannot be written in GBK")
                        .arg(in)
                        .arg(plain.left(at).count(QLatin1Char('\n')) + 1)
                        .arg(at - lineStart + 1)
                        .arg(plain.mid(at, plain.at(at).isHighSurrogate() ? 2 : 1)));
    }
    if (hearvex::text::firstLineOf(plain).trimmed().isEmpty())
        return fail(Text::tr("%1: the first line (the sentence to dictate) is empty").arg(in));
    if (plain.contains(QLatin1String(kLessonKey)))
        say(stderr,
            Text::tr("hearvex-lesson: warning: \"%1\" in %2 is dropped when the lesson is read")
                .arg(QLatin1String(kLessonKey), in));
    const QByteArray bytes = encipherLessonText(plain);
    if (bytes.size() > kMaxLessonTextBytes)
        return fail(Text::tr("%1 makes %2 bytes; a lesson text holds at most %3")
                        .arg(in)
                        .arg(bytes.size())
                        .arg(kMaxLessonTextBytes));
    QString error;
    if (!writeFileSafely(outFile, bytes, &error))
        return fail(Text::tr("cannot write %1: %2").arg(out, error));
    return 0;
}

int decode(const QByteArray& inFile, const QByteArray& outFile) {
    recoverInterruptedImports(folderOf(inFile));
    const QString in = shown(inFile);
    const QString out = shown(outFile);
    if (isSameFile(inFile, outFile))
        return refuseOverwritingInput(in, out);
    const LessonText lesson = readLessonTextFile(inFile);
    switch (lesson.status) {
    case LessonTextStatus::Read:
        break;
    case LessonTextStatus::Missing:
        return fail(Text::tr("%1: no such file").arg(in));
    case LessonTextStatus::Unreadable:
        return fail(Text::tr("%1: cannot be read").arg(in));
    case LessonTextStatus::TooLarge:
        return fail(
            Text::tr("%1: over %2 bytes, not a lesson text").arg(in).arg(kMaxLessonTextBytes));
    }
    QString text = lesson.text;
    if (outFile.isEmpty()) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        say(stdout, text);
        return 0;
    }
    QString error;
    if (!writeFileSafely(outFile, (text + QLatin1String("\r\n")).toUtf8(), &error))
        return fail(Text::tr("cannot write %1: %2").arg(out, error));
    return 0;
}

// A recording opened exactly as the program opens it: by the engine.
QString probeRecording(const QByteArray& path) {
    Vbmp3TrackInfo info{};
    if (vbmp3_open(path.constData(), &info) != 0)
        return {};
    const int32_t errorNo = vbmp3_getLastErrorNo();
    switch (errorNo) {
    case VBMP3_ERR_CANNOT_READ:
        return Text::tr("cannot be read (the program shows \"ErrNo : %1 Open Error\")")
            .arg(errorNo);
    case VBMP3_ERR_NOT_AUDIO:
        return Text::tr("not a recording the program can play (the program shows \"ErrNo : "
                        "%1 Open Error\")")
            .arg(errorNo);
    default:
        return Text::tr("refused by the playback engine (\"ErrNo : %1 Open Error\")").arg(errorNo);
    }
}

// The engine for the length of a check; it never plays, so it needs no sound device.
class CheckingEngine {
public:
    CheckingEngine() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        m_ready = vbmp3_init() != 0;
    }
    ~CheckingEngine() {
        if (m_ready)
            vbmp3_free();
    }
    CheckingEngine(const CheckingEngine&) = delete;
    CheckingEngine& operator=(const CheckingEngine&) = delete;
    bool ready() const { return m_ready; }

private:
    bool m_ready = false;
};

int check(const QByteArray& folderPath) {
    const QString folder = shown(folderPath);
    const QStringList leftovers = recoverInterruptedImports(folderPath);
    const CheckingEngine engine;
    if (!engine.ready())
        return fail(
            Text::tr("the playback engine could not start (error %1)").arg(vbmp3_getLastErrorNo()));
    const FolderReport report = checkLessonFolder(folderPath, probeRecording);
    if (!report.folderExists)
        return fail(Text::tr("%1: no such folder").arg(folder));
    if (report.lessons.empty())
        say(stdout, Text::tr("%1: no lessons (no *.txt recordings)").arg(folder));
    int faulty = 0;
    for (const LessonReport& lesson : report.lessons) {
        say(stdout, QStringLiteral("%1  %2  %3")
                        .arg(lesson.number, 3)
                        .arg(lesson.recording, lesson.sentence));
        for (const QString& problem : lesson.problems)
            say(stdout, QStringLiteral("     ! %1").arg(problem));
        faulty += lesson.problems.isEmpty() ? 0 : 1;
    }
    for (const QString& stray : report.strayTexts)
        say(stdout, Text::tr("     ! %1: a text without a recording").arg(stray));
    for (const QString& leftover : leftovers)
        say(stdout, QStringLiteral("     ! %1").arg(leftover));
    if (faulty == 0 && report.strayTexts.isEmpty() && leftovers.isEmpty()) {
        say(stdout, Text::tr("%1 lessons, all complete").arg(report.lessons.size()));
        return 0;
    }
    say(stdout, Text::tr("%1 of %2 lessons have faults; %3 stray texts; %4 leftovers of "
                         "stopped imports")
                    .arg(faulty)
                    .arg(report.lessons.size())
                    .arg(report.strayTexts.size())
                    .arg(leftovers.size()));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // The arguments stay bytes: file names need not be UTF-8, whatever the locale.
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i)
        args << QByteArray(argv[i]);
    QCoreApplication app(argc, argv);
    hearvex::tool::installToolTranslation(app);
    const QByteArray command = args.value(0);
    if (args.size() == 1 && (command == "--help" || command == "-h"))
        return usage(stdout);
    if (args.size() == 1 && command == "--version") {
        say(stdout, QStringLiteral("hearvex-lesson " HEARVEX_VERSION));
        return 0;
    }
    if (command == "encode" && args.size() == 3)
        return encode(args[1], args[2]);
    if (command == "decode" && (args.size() == 2 || args.size() == 3))
        return decode(args[1], args.value(2));
    if (command == "check" && args.size() == 2)
        return check(args[1]);
    if (command == "record" && args.value(1) == "words")
        return hearvex::tool::runWordBookCommand(args.mid(2));
    if (command == "record")
        return hearvex::record::runRecordCommand(args.mid(1));
    if (command == "align")
        return hearvex::lessons::runAlign(args.mid(1));
    if (command == "compare")
        return hearvex::tool::runCompareCommand(args.mid(1));
    if (command == "lookup")
        return hearvex::words::runLookupCommand(
            args.mid(1),
            hearvex::words::Dictionary::defaultPath(QCoreApplication::applicationDirPath()), stdout,
            stderr);
    if (command == "shadow")
        return hearvex::shadow::runShadow(args.mid(1));
    if (command == "words")
        return hearvex::lessons::runWords(args.mid(1));
    if (command == "import")
        return hearvex::lessons::runImport(args.mid(1), hearvex::lessons::importIfTranscript,
                                           hearvex::lessons::speechWordFinder());
    return usage();
}
