#include "practice_record.h"

#include "record_database.h"
#include "review_store.h"
#include "sqlite_statement.h"
#include "word_misses.h"

namespace hearvex::record {

QDateTime storedTime(std::int64_t msecs, int offsetSeconds) {
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, offsetSeconds);
}

QString missedWordKey(const QString& word) {
    qsizetype first = 0;
    qsizetype last = word.size();
    while (first < last && !word.at(first).isLetterOrNumber())
        ++first;
    while (last > first && !word.at(last - 1).isLetterOrNumber())
        --last;
    return word.mid(first, last - first).toLower();
}

Attempt readAttempt(const Statement& row) {
    Attempt attempt;
    const int offset = int(row.integer(1));
    attempt.time = storedTime(row.integer(0), offset);
    attempt.kind = attemptKindNamed(row.text(2)).value_or(AttemptKind::Check);
    attempt.wordsRight = int(row.integer(3));
    attempt.wordsTotal = int(row.integer(4));
    attempt.missedWords = row.text(5).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    attempt.typedText = row.text(6);
    attempt.speedPercent = int(row.integer(7));
    attempt.secondsSinceStart = int(row.integer(8));
    attempt.replays = int(row.integer(9));
    attempt.lessonStarted = storedTime(row.integer(10), offset);
    attempt.lesson.recordingName = row.text(11);
    attempt.lesson.folder = row.text(12);
    attempt.lesson.sentence = row.text(13);
    attempt.lesson.audioHash = row.text(14).toLatin1();
    return attempt;
}

bool insertMissedWords(StatementCache& db, std::int64_t attemptId, std::int64_t lessonId,
                       const QStringList& words) {
    Statement insert(db,
                     "INSERT INTO missed_words (attempt_id, lesson_id, word) VALUES (?1, ?2, ?3)");
    for (const QString& word : words) {
        const QString key = missedWordKey(word);
        if (key.isEmpty())
            continue;
        insert.reset();
        if (!insert.bind(1, attemptId).bind(2, lessonId).bind(3, key).run())
            return false;
    }
    return insert.prepared();
}

namespace {

// The lesson's row, made on its first attempt; its name and folder follow the
// lesson when it is renamed or moved.
std::int64_t lessonRow(StatementCache& db, const LessonRef& lesson) {
    Statement upsert(db, "INSERT INTO lessons (sentence, audio_hash, recording_name, folder)"
                         " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (sentence, audio_hash) DO UPDATE"
                         " SET recording_name = excluded.recording_name, folder = excluded.folder"
                         " RETURNING id");
    upsert.bind(1, lesson.sentence).bind(2, QString::fromLatin1(lesson.audioHash));
    upsert.bind(3, lesson.recordingName).bind(4, lesson.folder);
    const std::int64_t id = upsert.next() ? upsert.integer(0) : -1;
    return upsert.run() ? id : -1;
}

// Words are kept separated by spaces; a word never holds one.
QString joinedWords(const QStringList& words) {
    QStringList kept;
    for (const QString& word : words) {
        const QString simple = word.simplified();
        if (!simple.isEmpty())
            kept << simple.split(QLatin1Char(' '));
    }
    return kept.join(QLatin1Char(' '));
}

std::int64_t insertAttempt(StatementCache& db, std::int64_t lessonId, const Attempt& attempt) {
    Statement insert(db,
                     "INSERT INTO attempts (lesson_id, time_ms, utc_offset, kind, words_right,"
                     " words_total, missed, typed, speed_percent, seconds_since_start, replays,"
                     " lesson_started_ms, recording_name, folder, local_day)"
                     " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)");
    insert.bind(1, lessonId).bind(2, std::int64_t(attempt.time.toMSecsSinceEpoch()));
    insert.bind(3, attempt.time.offsetFromUtc());
    insert.bind(4, attemptKindName(attempt.kind));
    insert.bind(5, attempt.wordsRight).bind(6, attempt.wordsTotal);
    insert.bind(7, joinedWords(attempt.missedWords)).bind(8, attempt.typedText);
    insert.bind(9, attempt.speedPercent).bind(10, attempt.secondsSinceStart);
    insert.bind(11, attempt.replays).bind(12, sittingOf(attempt));
    insert.bind(13, attempt.lesson.recordingName).bind(14, attempt.lesson.folder);
    insert.bind(15, std::int64_t(attempt.time.date().toJulianDay()));
    return insert.run() ? sqlite3_last_insert_rowid(db.db()) : -1;
}

bool writeAttempt(StatementCache& db, const Attempt& attempt) {
    if (!attempt.time.isValid())
        return false;
    const std::int64_t lessonId = lessonRow(db, attempt.lesson);
    if (lessonId < 0)
        return false;
    const std::int64_t attemptId = insertAttempt(db, lessonId, attempt);
    // A take's missed words are the learner's speaking, not their hearing: they
    // stay with the attempt alone, and the review schedule is left as it is.
    if (attemptId >= 0 && attempt.kind == AttemptKind::Shadow)
        return true;
    return attemptId >= 0 && insertMissedWords(db, attemptId, lessonId, attempt.missedWords) &&
           insertWordMisses(db, attemptId, lessonId, attempt) &&
           regradeReview(db, lessonId, attemptId, attempt);
}

} // namespace

PracticeRecord::PracticeRecord(std::unique_ptr<Database> db)
    : m_db(std::move(db)) {}

PracticeRecord::~PracticeRecord() = default;

QString PracticeRecord::lastError() const {
    return m_db->lastError;
}

RecordFault PracticeRecord::lastFault() const {
    return m_db->lastFault;
}

bool PracticeRecord::isReadOnly() const {
    return m_db->readOnly;
}

void PracticeRecord::setBusyTimeout(int ms) {
    sqlite3_busy_timeout(m_db->handle, ms);
}

bool PracticeRecord::contains(const Attempt& attempt) const {
    Statement find(
        *m_db->statements,
        "SELECT 1 FROM attempts a JOIN lessons l ON l.id = a.lesson_id"
        " WHERE a.time_ms = ?1 AND a.kind = ?2 AND l.sentence = ?3 AND l.audio_hash = ?4");
    find.bind(1, std::int64_t(attempt.time.toMSecsSinceEpoch()));
    find.bind(2, attemptKindName(attempt.kind));
    find.bind(3, attempt.lesson.sentence).bind(4, QString::fromLatin1(attempt.lesson.audioHash));
    return find.next();
}

bool PracticeRecord::add(const Attempt& attempt) {
    return addAll({attempt});
}

bool PracticeRecord::addAll(const std::vector<Attempt>& attempts) {
    sqlite3* db = m_db->handle;
    const auto failed = [this, db](const QString& reason) {
        m_db->lastError = reason.isEmpty() ? errorText(db) : reason;
        m_db->lastFault = reason.isEmpty() ? faultOf(db, m_db->path) : RecordFault::Other;
        return false;
    };
    if (m_db->readOnly) {
        m_db->lastFault = RecordFault::ReadOnly;
        m_db->lastError = QStringLiteral("the record is open for reading only");
        return false;
    }
    if (!execute(db, "BEGIN IMMEDIATE"))
        return failed({});
    for (const Attempt& attempt : attempts) {
        if (!writeAttempt(*m_db->statements, attempt)) {
            failed(attempt.time.isValid() ? QString()
                                          : QStringLiteral("an attempt without a time"));
            execute(db, "ROLLBACK");
            return false;
        }
    }
    if (!execute(db, "COMMIT")) {
        failed({});
        execute(db, "ROLLBACK");
        return false;
    }
    m_db->lastError.clear();
    m_db->lastFault = RecordFault::None;
    return true;
}

} // namespace hearvex::record
