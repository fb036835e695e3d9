#include "word_book.h"

#include "csv.h"
#include "record_database.h"
#include "record_schema.h"
#include "record_text.h"
#include "sqlite_statement.h"

#include <QFile>
#include <QFileInfo>
#include <map>
#include <sqlite3.h>

namespace hearvex::record {

namespace {

constexpr char kCreateTable[] = R"sql(
CREATE TABLE IF NOT EXISTS word_book (
    id INTEGER PRIMARY KEY,
    word TEXT NOT NULL,
    shown_word TEXT NOT NULL,
    sentence TEXT NOT NULL,
    audio_hash TEXT NOT NULL,
    recording_name TEXT NOT NULL,
    folder TEXT NOT NULL,
    position INTEGER NOT NULL,
    time_ms INTEGER NOT NULL,
    utc_offset INTEGER NOT NULL,
    UNIQUE (word, sentence, audio_hash, position)
);
)sql";

bool hasTable(sqlite3* db, const char* name) {
    Statement table(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1");
    table.bind(1, QString::fromLatin1(name));
    return table.next();
}

// Missed in the sittings' grading attempts, counted ones only; attempts from
// before kinds were kept by their missed words.
int timesMissed(sqlite3* db, const QString& word) {
    const bool withKinds = hasTable(db, "word_misses");
    Statement count(db, withKinds
                            ? "SELECT (SELECT COUNT(DISTINCT m.attempt_id) FROM word_misses m"
                              " JOIN attempts a ON a.id = m.attempt_id WHERE m.word = ?1"
                              " AND a.grades = 1 AND m.counted = 1) + (SELECT COUNT(DISTINCT"
                              " w.attempt_id) FROM missed_words w JOIN attempts a ON"
                              " a.id = w.attempt_id WHERE w.word = ?1 AND a.grades = 1 AND"
                              " w.attempt_id < (SELECT MIN(first_attempt) FROM word_misses_start))"
                            : "SELECT COUNT(DISTINCT w.attempt_id) FROM missed_words w JOIN"
                              " attempts a ON a.id = w.attempt_id WHERE w.word = ?1"
                              " AND a.grades = 1");
    count.bind(1, word);
    return count.next() ? int(count.integer(0)) : 0;
}

std::vector<KindCount> kindsOf(sqlite3* db, const QString& word) {
    std::vector<KindCount> kinds;
    if (!hasTable(db, "word_misses"))
        return kinds;
    Statement rows(db, "SELECT m.kind, COUNT(*) AS times FROM word_misses m"
                       " JOIN attempts a ON a.id = m.attempt_id WHERE m.word = ?1"
                       " AND a.grades = 1 AND m.counted = 1 GROUP BY m.kind"
                       " ORDER BY times DESC, m.kind");
    rows.bind(1, word);
    while (rows.next())
        kinds.push_back({rows.text(0), int(rows.integer(1))});
    return kinds;
}

QString kindsText(const std::vector<KindCount>& kinds) {
    QStringList parts;
    for (const KindCount& kind : kinds)
        parts << QStringLiteral("%1 %2").arg(kind.kind).arg(kind.count);
    return parts.join(QStringLiteral("; "));
}

// Text for RTF: its marks escaped, anything beyond ASCII as \uN?.
QString rtfText(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\line ");
        else if (c.unicode() < 0x80)
            out += c;
        else
            out += QStringLiteral("\\u%1?").arg(qint16(c.unicode()));
    }
    return out;
}

} // namespace

std::unique_ptr<WordBook> WordBook::open(const QString& recordPath, QString* reason) {
    if (!QFileInfo(recordPath).isFile() || QFileInfo(recordPath).size() == 0) {
        *reason = RecordText::tr("there is no practice record at %1 yet").arg(recordPath);
        return nullptr;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(recordPath).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK) {
        *reason = errorText(db);
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 500);
    // Only a record of this version: an older one is migrated by the program first.
    if (inspectSchema(db) != SchemaStatus::Current) {
        *reason = RecordText::tr("%1 is not a practice record of this version").arg(recordPath);
        sqlite3_close(db);
        return nullptr;
    }
    return std::unique_ptr<WordBook>(new WordBook(db));
}

WordBook::WordBook(sqlite3* db)
    : m_db(db) {}

WordBook::~WordBook() {
    sqlite3_close(m_db);
}

bool WordBook::keep(const KeptWord& kept) {
    const QString key = missedWordKey(kept.word);
    if (key.isEmpty() || !kept.time.isValid()) {
        m_lastError = RecordText::tr("no word to keep");
        return false;
    }
    if (!execute(m_db, kCreateTable)) {
        m_lastError = errorText(m_db);
        return false;
    }
    Statement insert(m_db, "INSERT OR IGNORE INTO word_book (word, shown_word, sentence,"
                           " audio_hash, recording_name, folder, position, time_ms, utc_offset)"
                           " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    insert.bind(1, key).bind(2, kept.word).bind(3, kept.lesson.sentence);
    insert.bind(4, QString::fromLatin1(kept.lesson.audioHash));
    insert.bind(5, kept.lesson.recordingName).bind(6, kept.lesson.folder);
    insert.bind(7, kept.position).bind(8, std::int64_t(kept.time.toMSecsSinceEpoch()));
    if (!insert.bind(9, kept.time.offsetFromUtc()).run()) {
        m_lastError = errorText(m_db);
        return false;
    }
    m_lastError.clear();
    return true;
}

std::vector<WordBookWord> WordBook::words() const {
    std::vector<WordBookWord> words;
    if (!hasTable(m_db, "word_book"))
        return words;
    execute(m_db, "BEGIN");
    Statement rows(m_db, "SELECT word, shown_word, sentence, audio_hash, recording_name, folder,"
                         " position, time_ms, utc_offset FROM word_book"
                         " ORDER BY (SELECT MAX(time_ms) FROM word_book b WHERE b.word ="
                         " word_book.word) DESC, word, time_ms, id");
    std::map<QString, size_t> index;
    while (rows.next()) {
        const QString key = rows.text(0);
        auto [it, added] = index.try_emplace(key, words.size());
        if (added)
            words.push_back({key, {}, 0, {}});
        KeptWord kept{rows.text(1),
                      {rows.text(4), rows.text(5), rows.text(2), rows.text(3).toLatin1()},
                      int(rows.integer(6)),
                      storedTime(rows.integer(7), int(rows.integer(8)))};
        words[it->second].kept.push_back(std::move(kept));
    }
    for (WordBookWord& word : words) {
        word.timesMissed = timesMissed(m_db, word.word);
        word.kinds = kindsOf(m_db, word.word);
    }
    execute(m_db, "COMMIT");
    return words;
}

bool writeWordBookCsv(const std::vector<WordBookWord>& words,
                      const std::function<QString(const QString&)>& glossesOf, QIODevice& out) {
    const auto write = [&out](const QStringList& fields) {
        const QByteArray bytes = csvRecord(fields).toUtf8();
        return out.write(bytes) == bytes.size();
    };
    if (!write({QStringLiteral("word"), QStringLiteral("glosses"), QStringLiteral("missed"),
                QStringLiteral("kinds"), QStringLiteral("sentence"), QStringLiteral("lesson"),
                QStringLiteral("position"), QStringLiteral("kept")}))
        return false;
    for (const WordBookWord& word : words) {
        const QString glosses = glossesOf ? glossesOf(word.word) : QString();
        for (const KeptWord& kept : word.kept)
            if (!write({word.word, glosses, QString::number(word.timesMissed),
                        kindsText(word.kinds), kept.lesson.sentence, kept.lesson.recordingName,
                        QString::number(kept.position), isoTime(kept.time)}))
                return false;
    }
    return true;
}

QByteArray wordBookList(const std::vector<WordBookWord>& words,
                        const std::function<QString(const QString&)>& glossesOf) {
    QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}"
        "{\\f1\\froman\\fcharset0 Times New Roman;}}"
        "{\\colortbl ;\\red128\\green0\\blue0;\\red0\\green0\\blue128;\\red96\\green96\\blue96;}"
        "\\uc1\\pard\\qc\\b\\f0\\fs28\\cf1 ");
    rtf += rtfText(QStringLiteral("生词本")) + QStringLiteral("\\b0\\cf0\\fs18\\par\\pard\\par\n");
    for (const WordBookWord& word : words) {
        rtf += QStringLiteral("\\b\\f1\\fs20\\cf2 ") + rtfText(word.word) +
               QStringLiteral("\\b0\\cf0  \\f0\\fs18 ");
        rtf += rtfText(glossesOf ? glossesOf(word.word) : QString());
        if (!word.kept.empty())
            rtf += QStringLiteral(" \\i\\cf3 ") + rtfText(word.kept.front().lesson.sentence) +
                   QStringLiteral("\\i0\\cf0");
        rtf += QStringLiteral("\\par\n");
    }
    rtf += QLatin1Char('}');
    return rtf.toLatin1();
}

} // namespace hearvex::record
