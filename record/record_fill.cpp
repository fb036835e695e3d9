#include "record_fill.h"

#include "record_schema.h"

#include <QCryptographicHash>
#include <QFile>
#include <random>
#include <sqlite3.h>

namespace hearvex::record {

namespace {

const char* const kWords[] = {
    "the",     "a",       "we",       "they",    "she",      "he",     "went",    "saw",
    "river",   "morning", "station",  "train",   "before",   "after",  "quickly", "slowly",
    "every",   "little",  "old",      "house",   "garden",   "friend", "letter",  "window",
    "bright",  "evening", "walked",   "carried", "heavy",    "bag",    "across",  "bridge",
    "under",   "tree",    "talked",   "about",   "weather",  "market", "bought",  "bread",
    "fresh",   "water",   "cold",     "warm",    "music",    "played", "loudly",  "quietly",
    "school",  "teacher", "asked",    "answer",  "question", "book",   "read",    "wrote",
    "through", "forest",  "mountain", "village", "people",   "called", "doctor",  "hospital"};
constexpr int kWordCount = int(sizeof kWords / sizeof kWords[0]);

struct Lesson {
    LessonRef ref;
    QStringList words;
};

Lesson makeLesson(int index, std::mt19937& random) {
    std::uniform_int_distribution<int> length(6, 14);
    std::uniform_int_distribution<int> pick(0, kWordCount - 1);
    Lesson lesson;
    for (int n = length(random); n > 0; --n)
        lesson.words << QString::fromLatin1(kWords[pick(random)]);
    lesson.words.first()[0] = lesson.words.first()[0].toUpper();
    lesson.ref.sentence = lesson.words.join(QLatin1Char(' ')) + QLatin1Char('.');
    lesson.ref.recordingName =
        QStringLiteral("lesson%1.txt").arg(index + 1, 4, 10, QLatin1Char('0'));
    lesson.ref.folder = QStringLiteral("/home/learner/听力课文");
    lesson.ref.audioHash =
        QCryptographicHash::hash(lesson.ref.recordingName.toUtf8(), QCryptographicHash::Sha256)
            .toHex();
    return lesson;
}

// One attempt of a sitting: a few words missed now and then.
Attempt makeAttempt(const Lesson& lesson, AttemptKind kind, const QDateTime& started, int seconds,
                    int replays, int speed, std::mt19937& random) {
    Attempt attempt;
    attempt.lesson = lesson.ref;
    attempt.kind = kind;
    attempt.lessonStarted = started;
    attempt.time = started.addSecs(seconds);
    attempt.secondsSinceStart = seconds;
    attempt.replays = replays;
    attempt.speedPercent = speed;
    attempt.wordsTotal = int(lesson.words.size());
    QStringList typed = lesson.words;
    if (std::uniform_int_distribution<int>(0, 9)(random) < 3) {
        const int missing = std::uniform_int_distribution<int>(1, 3)(random);
        for (int m = 0; m < missing; ++m) {
            const int at = std::uniform_int_distribution<int>(0, int(typed.size()) - 1)(random);
            if (!attempt.missedWords.contains(lesson.words[at]))
                attempt.missedWords << lesson.words[at];
            typed[at] = QStringLiteral("???");
        }
    }
    attempt.wordsRight = attempt.wordsTotal - int(attempt.missedWords.size());
    attempt.typedText = typed.join(QLatin1Char(' '));
    return attempt;
}

constexpr char kFirstVersionRows[] = R"sql(
BEGIN;
INSERT INTO lessons SELECT id, sentence, audio_hash, recording_name, folder FROM later.lessons;
INSERT INTO attempts
SELECT id, lesson_id, time_ms, utc_offset, kind, words_right, words_total, missed, typed,
       speed_percent, seconds_since_start, replays, lesson_started_ms, recording_name, folder
  FROM later.attempts WHERE kind IN ('check', 'compare') ORDER BY id;
COMMIT;
DETACH later;
PRAGMA user_version = 1;
)sql";

} // namespace

std::vector<Attempt> realisticAttempts(const FillPlan& plan) {
    std::mt19937 random(plan.randomStart);
    std::vector<Lesson> lessons;
    for (int i = 0; i < plan.sentences; ++i)
        lessons.push_back(makeLesson(i, random));
    const QDateTime end = plan.end.isValid() ? plan.end : QDateTime::currentDateTime();
    const QDateTime start = end.addDays(-plan.days);
    // About 1.7 attempts a sitting, spread evenly over the days.
    const qint64 step = start.secsTo(end) / std::max(1, plan.attempts * 10 / 17);
    std::vector<Attempt> attempts;
    attempts.reserve(std::size_t(plan.attempts));
    QDateTime sitting = start;
    while (int(attempts.size()) < plan.attempts) {
        const Lesson& lesson =
            lessons[std::size_t(std::uniform_int_distribution<int>(0, plan.sentences - 1)(random))];
        const int replays = std::uniform_int_distribution<int>(0, 4)(random);
        const int speed = std::uniform_int_distribution<int>(0, 3)(random) == 0 ? 80 : 100;
        const int seconds = std::uniform_int_distribution<int>(20, 90)(random);
        attempts.push_back(
            makeAttempt(lesson, AttemptKind::Check, sitting, seconds, replays, speed, random));
        if (int(attempts.size()) < plan.attempts &&
            std::uniform_int_distribution<int>(0, 9)(random) < 7)
            attempts.push_back(makeAttempt(lesson, AttemptKind::Compare, sitting, seconds + 5,
                                           replays, speed, random));
        sitting = std::min(sitting.addSecs(std::max<qint64>(step, 1)), end.addSecs(-200));
    }
    return attempts;
}

bool fillRecord(PracticeRecord& record, const FillPlan& plan) {
    const std::vector<Attempt> all = realisticAttempts(plan);
    constexpr std::size_t kBatch = 5000;
    for (std::size_t first = 0; first < all.size(); first += kBatch) {
        const auto from = all.begin() + std::ptrdiff_t(first);
        const auto to = all.begin() + std::ptrdiff_t(std::min(all.size(), first + kBatch));
        if (!record.addAll(std::vector<Attempt>(from, to)))
            return false;
    }
    return true;
}

bool writeFirstVersionCopy(const QString& record, const QString& copy, QString* error) {
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(copy + QLatin1String(suffix));
    sqlite3* db = nullptr;
    bool written =
        sqlite3_open(QFile::encodeName(copy).constData(), &db) == SQLITE_OK &&
        sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, kFirstVersionTables, nullptr, nullptr, nullptr) == SQLITE_OK;
    if (written) {
        char* attach = sqlite3_mprintf("ATTACH %Q AS later", QFile::encodeName(record).constData());
        written = sqlite3_exec(db, attach, nullptr, nullptr, nullptr) == SQLITE_OK &&
                  sqlite3_exec(db, kFirstVersionRows, nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_free(attach);
    }
    if (!written)
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    return written;
}

} // namespace hearvex::record
