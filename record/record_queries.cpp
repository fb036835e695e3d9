// Reading the record: every attempt, what is due, a lesson's standing, and
// the figures of the record window, aggregated in SQL over indexes.
#include "practice_record.h"

#include "csv.h"
#include "record_database.h"
#include "sqlite_statement.h"
#include "word_misses.h"

#include <algorithm>
#include <string>

namespace hearvex::record {

namespace {

constexpr int kLastDays = 30;
constexpr int kMostMissed = 10;

QString resultText(std::int64_t right, std::int64_t total) {
    return QStringLiteral("%1/%2").arg(right).arg(total);
}

std::optional<std::int64_t> lessonId(sqlite3* db, const LessonRef& lesson) {
    Statement find(db, "SELECT id FROM lessons WHERE sentence = ?1 AND audio_hash = ?2");
    find.bind(1, lesson.sentence).bind(2, QString::fromLatin1(lesson.audioHash));
    if (!find.next())
        return std::nullopt;
    return find.integer(0);
}

constexpr char kDueColumns[] =
    "SELECT l.recording_name, l.folder, l.sentence, l.audio_hash, r.due_ms,"
    " r.due_offset, r.reviews, a.words_right, a.words_total"
    " FROM reviews r JOIN lessons l ON l.id = r.lesson_id"
    " JOIN attempts a ON a.id = r.grading_attempt";

std::vector<DueItem> readDueItems(Statement& rows) {
    std::vector<DueItem> items;
    while (rows.next()) {
        DueItem item;
        item.lesson = {rows.text(0), rows.text(1), rows.text(2), rows.text(3).toLatin1()};
        item.due = storedTime(rows.integer(4), int(rows.integer(5)));
        item.reviews = int(rows.integer(6));
        item.lastResult = resultText(rows.integer(7), rows.integer(8));
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<DueItem> dueItems(sqlite3* db, const QDateTime& now, int limit = -1) {
    const std::string sql =
        std::string(kDueColumns) + " WHERE r.due_ms <= ?1 ORDER BY r.due_ms, r.lesson_id LIMIT ?2";
    Statement rows(db, sql.c_str());
    rows.bind(1, std::int64_t(now.toMSecsSinceEpoch())).bind(2, limit);
    return readDueItems(rows);
}

// The days from first to last, practice or not, with their figures.
std::vector<DayFigures> dayFigures(sqlite3* db, const QDate& first, const QDate& last) {
    std::vector<DayFigures> days;
    for (QDate day = first; day <= last; day = day.addDays(1))
        days.push_back(DayFigures{day, 0, 0, 0, 0});
    // Words are counted once per sitting, by the attempt that grades it.
    Statement words(db, "SELECT local_day, COUNT(DISTINCT lesson_id),"
                        " TOTAL(CASE WHEN grades = 1 THEN words_right END),"
                        " TOTAL(CASE WHEN grades = 1 THEN words_total END)"
                        " FROM attempts WHERE local_day BETWEEN ?1 AND ?2 AND kind != 'shadow'"
                        " GROUP BY local_day");
    words.bind(1, std::int64_t(first.toJulianDay())).bind(2, std::int64_t(last.toJulianDay()));
    while (words.next()) {
        DayFigures& day = days[std::size_t(words.integer(0) - first.toJulianDay())];
        day.sentences = int(words.integer(1));
        day.wordsRight = int(words.real(2));
        day.wordsTotal = int(words.real(3));
    }
    // A sitting lasts until its last attempt.
    Statement minutes(db, "SELECT local_day, SUM(longest) FROM (SELECT local_day,"
                          " MAX(seconds_since_start) AS longest FROM attempts"
                          " WHERE local_day BETWEEN ?1 AND ?2 AND kind != 'shadow'"
                          " GROUP BY local_day, lesson_id, lesson_started_ms) GROUP BY local_day");
    minutes.bind(1, std::int64_t(first.toJulianDay())).bind(2, std::int64_t(last.toJulianDay()));
    while (minutes.next())
        days[std::size_t(minutes.integer(0) - first.toJulianDay())].minutes =
            double(minutes.integer(1)) / 60.0;
    // Shadowing: its takes, and their length.
    Statement takes(db,
                    "SELECT local_day, COUNT(*), TOTAL(seconds_since_start) FROM attempts"
                    " WHERE local_day BETWEEN ?1 AND ?2 AND kind = 'shadow' GROUP BY local_day");
    takes.bind(1, std::int64_t(first.toJulianDay())).bind(2, std::int64_t(last.toJulianDay()));
    while (takes.next()) {
        DayFigures& day = days[std::size_t(takes.integer(0) - first.toJulianDay())];
        day.shadowTakes = int(takes.integer(1));
        day.shadowMinutes = takes.real(2) / 60.0;
    }
    return days;
}

// Days in a row with practice, up to today, or up to yesterday while today
// has none yet.
int daysInARow(sqlite3* db, const QDate& today) {
    Statement days(db, "SELECT DISTINCT local_day FROM attempts WHERE local_day <= ?1"
                       " ORDER BY local_day DESC");
    days.bind(1, std::int64_t(today.toJulianDay()));
    std::int64_t expected = today.toJulianDay();
    int run = 0;
    while (days.next()) {
        const std::int64_t day = days.integer(0);
        if (run == 0 && day == expected - 1)
            expected = day;
        if (day != expected)
            break;
        ++run;
        --expected;
    }
    return run;
}

} // namespace

std::vector<Attempt> PracticeRecord::attempts() const {
    std::vector<Attempt> all;
    forEachAttempt([&all](const Attempt& attempt) {
        all.push_back(attempt);
        return true;
    });
    return all;
}

bool PracticeRecord::forEachAttempt(const std::function<bool(const Attempt&)>& each) const {
    const std::string sql = std::string("SELECT ") + kAttemptColumns +
                            " FROM attempts a JOIN lessons l ON l.id = a.lesson_id"
                            " ORDER BY a.time_ms, a.id";
    Statement rows(m_db->handle, sql.c_str());
    while (rows.next())
        if (!each(readAttempt(rows)))
            return false;
    return !rows.failed();
}

std::vector<DueItem> PracticeRecord::due(const QDateTime& now, int limit) const {
    return dueItems(m_db->handle, now, limit);
}

std::vector<DueItem> PracticeRecord::schedule() const {
    const std::string sql =
        std::string(kDueColumns) + " WHERE r.due_ms IS NOT NULL ORDER BY r.due_ms, r.lesson_id";
    Statement rows(m_db->handle, sql.c_str());
    return readDueItems(rows);
}

std::vector<int> PracticeRecord::comingDue(const QDateTime& now, int days) const {
    std::vector<int> counts(std::size_t(std::max(days, 0)), 0);
    if (!now.isValid() || days <= 0)
        return counts;
    // Midnights in now's own time, from tomorrow's on; addDays follows
    // daylight saving where now is local time.
    QDateTime midnight = now;
    midnight.setTime(QTime(0, 0));
    std::vector<std::int64_t> starts;
    for (int day = 1; day <= days + 1; ++day)
        starts.push_back(midnight.addDays(day).toMSecsSinceEpoch());
    Statement rows(m_db->handle, "SELECT due_ms FROM reviews WHERE due_ms >= ?1 AND due_ms < ?2");
    rows.bind(1, starts.front()).bind(2, starts.back());
    while (rows.next()) {
        const auto after = std::upper_bound(starts.begin(), starts.end(), rows.integer(0));
        ++counts[std::size_t(after - starts.begin() - 1)];
    }
    return counts;
}

RecordSummary PracticeRecord::summary(const QDateTime& now) const {
    if (!now.isValid())
        return {};
    sqlite3* db = m_db->handle;
    // One read transaction: every figure from the same state of the file.
    execute(db, "BEGIN");
    RecordSummary summary;
    const QDate today = now.date();
    summary.lastDays = dayFigures(db, today.addDays(1 - kLastDays), today);
    summary.today = summary.lastDays.back();
    summary.daysInARow = daysInARow(db, today);
    summary.mostMissed = honestMostMissed(db, false, kMostMissed);
    summary.mostMissedFunctionWords = honestMostMissed(db, true, kMostMissed);
    summary.missKinds = missKindsSince(db, today.addDays(1 - kLastDays));
    summary.due = dueItems(db, now);
    execute(db, "COMMIT");
    return summary;
}

std::optional<LessonStanding> PracticeRecord::standing(const LessonRef& lesson) const {
    sqlite3* db = m_db->handle;
    const std::optional<std::int64_t> id = lessonId(db, lesson);
    if (!id)
        return std::nullopt;
    Statement last(db,
                   "SELECT a.words_right, a.words_total, a.time_ms, a.utc_offset, r.due_ms,"
                   " r.due_offset FROM attempts a LEFT JOIN reviews r ON r.lesson_id = a.lesson_id"
                   " WHERE a.lesson_id = ?1 AND a.kind != 'shadow'"
                   " ORDER BY a.time_ms DESC, a.id DESC LIMIT 1");
    last.bind(1, *id);
    if (!last.next())
        return std::nullopt;
    LessonStanding standing;
    standing.lastResult = resultText(last.integer(0), last.integer(1));
    standing.lastTime = storedTime(last.integer(2), int(last.integer(3)));
    if (!last.isNull(4))
        standing.due = storedTime(last.integer(4), int(last.integer(5)));
    return standing;
}

bool PracticeRecord::writeCsv(QIODevice& out) const {
    const auto write = [&out](const QStringList& fields) {
        const QByteArray bytes = csvRecord(fields).toUtf8();
        return out.write(bytes) == bytes.size();
    };
    if (!write({QStringLiteral("time"), QStringLiteral("lesson"), QStringLiteral("kind"),
                QStringLiteral("right"), QStringLiteral("total"), QStringLiteral("missed"),
                QStringLiteral("speed"), QStringLiteral("typed")}))
        return false;
    // Row by row: a record of a million attempts is never held whole.
    return forEachAttempt([&write](const Attempt& attempt) {
        const QString kind = attemptKindName(attempt.kind);
        return write({isoTime(attempt.time), attempt.lesson.recordingName, kind,
                      QString::number(attempt.wordsRight), QString::number(attempt.wordsTotal),
                      attempt.missedWords.join(QLatin1Char(' ')),
                      QString::number(attempt.speedPercent), attempt.typedText});
    });
}

} // namespace hearvex::record
