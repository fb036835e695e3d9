#include "word_misses.h"

#include "record_database.h"
#include "sqlite_statement.h"

#include <QJsonObject>

namespace hearvex::record {

namespace {

constexpr int kSentencesPerWord = 5;

// word_misses_start holds the first attempt that brought kinds: attempts
// before it are counted from their missed words alone.
constexpr char kCreateTables[] = R"sql(
CREATE TABLE IF NOT EXISTS word_misses (
    attempt_id INTEGER NOT NULL REFERENCES attempts (id),
    lesson_id INTEGER NOT NULL REFERENCES lessons (id),
    word TEXT NOT NULL,
    typed TEXT NOT NULL,
    kind TEXT NOT NULL,
    counted INTEGER NOT NULL
);
CREATE INDEX IF NOT EXISTS word_misses_by_attempt ON word_misses (attempt_id);
CREATE INDEX IF NOT EXISTS word_misses_by_word ON word_misses (word, lesson_id);
CREATE TABLE IF NOT EXISTS word_misses_start (first_attempt INTEGER NOT NULL);
)sql";

bool hasKindTables(sqlite3* db) {
    Statement table(db, "SELECT 1 FROM sqlite_master WHERE type = 'table'"
                        " AND name = 'word_misses_start'");
    return table.next();
}

// Each word once per sitting: its grading attempt's misses, counted ones only.
constexpr char kGradedMisses[] =
    "SELECT DISTINCT m.attempt_id, m.word FROM word_misses m JOIN attempts a ON a.id = m.attempt_id"
    " WHERE a.grades = 1 AND m.counted = 1 AND (m.kind = 'function') = ?1";
// Attempts from before kinds were kept: their missed words, never as function words.
constexpr char kOlderMisses[] = "SELECT DISTINCT w.attempt_id, w.word FROM missed_words w JOIN "
                                "attempts a ON a.id = w.attempt_id"
                                " WHERE a.grades = 1 AND ?1 = 0 AND w.attempt_id < ?3";

void addSentences(sqlite3* db, bool withKinds, MissedWord& word) {
    Statement sentences(db, withKinds ? "SELECT DISTINCT l.sentence FROM word_misses m"
                                        " JOIN lessons l ON l.id = m.lesson_id WHERE m.word = ?1"
                                        " UNION SELECT DISTINCT l.sentence FROM missed_words m"
                                        " JOIN lessons l ON l.id = m.lesson_id WHERE m.word = ?1"
                                        " LIMIT ?2"
                                      : "SELECT DISTINCT l.sentence FROM missed_words m"
                                        " JOIN lessons l ON l.id = m.lesson_id WHERE m.word = ?1"
                                        " LIMIT ?2");
    sentences.bind(1, word.word).bind(2, kSentencesPerWord);
    while (sentences.next())
        word.sentences << sentences.text(0);
}

} // namespace

bool insertWordMisses(StatementCache& db, std::int64_t attemptId, std::int64_t lessonId,
                      const Attempt& attempt) {
    if (attempt.misses.empty())
        return true;
    if (!execute(db.db(), kCreateTables))
        return false;
    Statement start(db, "INSERT INTO word_misses_start (first_attempt) SELECT ?1"
                        " WHERE NOT EXISTS (SELECT 1 FROM word_misses_start)");
    if (!start.bind(1, attemptId).run())
        return false;
    Statement insert(db, "INSERT INTO word_misses (attempt_id, lesson_id, word, typed, kind,"
                         " counted) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    for (const AttemptMiss& miss : attempt.misses) {
        const QString key = missedWordKey(miss.word);
        if (key.isEmpty())
            continue;
        insert.reset();
        insert.bind(1, attemptId).bind(2, lessonId).bind(3, key).bind(4, miss.typed);
        if (!insert.bind(5, miss.kind).bind(6, miss.counted ? 1 : 0).run())
            return false;
    }
    return insert.prepared();
}

std::vector<MissedWord> honestMostMissed(sqlite3* db, bool functionWords, int limit) {
    const bool withKinds = hasKindTables(db);
    std::int64_t firstWithKinds = std::numeric_limits<std::int64_t>::max();
    if (withKinds) {
        Statement first(db, "SELECT MIN(first_attempt) FROM word_misses_start");
        if (first.next() && !first.isNull(0))
            firstWithKinds = first.integer(0);
    }
    const std::string sql =
        std::string("SELECT word, COUNT(*) AS times FROM (") +
        (withKinds ? std::string(kGradedMisses) + " UNION ALL " : std::string()) + kOlderMisses +
        ") GROUP BY word ORDER BY times DESC, word LIMIT ?2";
    Statement words(db, sql.c_str());
    words.bind(1, functionWords ? 1 : 0).bind(2, limit).bind(3, firstWithKinds);
    std::vector<MissedWord> missed;
    while (words.next())
        missed.push_back({words.text(0), int(words.integer(1)), {}});
    for (MissedWord& word : missed)
        addSentences(db, withKinds, word);
    return missed;
}

std::vector<KindCount> missKindsSince(sqlite3* db, const QDate& first) {
    std::vector<KindCount> kinds;
    if (!hasKindTables(db))
        return kinds;
    Statement rows(db, "SELECT m.kind, COUNT(*) AS times FROM word_misses m"
                       " JOIN attempts a ON a.id = m.attempt_id"
                       " WHERE a.grades = 1 AND m.counted = 1 AND a.local_day >= ?1"
                       " GROUP BY m.kind ORDER BY times DESC, m.kind");
    rows.bind(1, std::int64_t(first.toJulianDay()));
    while (rows.next())
        kinds.push_back({rows.text(0), int(rows.integer(1))});
    return kinds;
}

QJsonArray missesJson(const std::vector<AttemptMiss>& misses) {
    QJsonArray array;
    for (const AttemptMiss& miss : misses)
        array.append(QJsonObject{{QStringLiteral("word"), miss.word},
                                 {QStringLiteral("typed"), miss.typed},
                                 {QStringLiteral("kind"), miss.kind},
                                 {QStringLiteral("counted"), miss.counted}});
    return array;
}

std::vector<AttemptMiss> missesFromJson(const QJsonArray& array) {
    std::vector<AttemptMiss> misses;
    for (const QJsonValue& value : array) {
        const QJsonObject o = value.toObject();
        AttemptMiss miss{o.value(QStringLiteral("word")).toString(),
                         o.value(QStringLiteral("typed")).toString(),
                         o.value(QStringLiteral("kind")).toString(),
                         o.value(QStringLiteral("counted")).toBool(true)};
        if (!miss.word.isEmpty() && !miss.kind.isEmpty())
            misses.push_back(miss);
    }
    return misses;
}

} // namespace hearvex::record
