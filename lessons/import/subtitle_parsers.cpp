#include "subtitle_parsers.h"

#include "cue_time.h"
#include "import_plan.h"
#include "import_text.h"

#include <QRegularExpression>
#include <algorithm>

namespace hearvex::lessons {

namespace {

QStringList linesOf(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

bool isBlank(const QString& line) {
    return line.trimmed().isEmpty();
}

bool isNumberLine(const QString& line) {
    const QString trimmed = line.trimmed();
    return !trimmed.isEmpty() &&
           std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.isDigit(); });
}

QString quoted(const QString& line) {
    constexpr qsizetype kShown = 60;
    return QLatin1Char('"') +
           (line.size() > kShown ? line.left(kShown) + QStringLiteral("...") : line) +
           QLatin1Char('"');
}

QString tooLargeWarning(int lineNumber) {
    return ImportText::tr("line %1: a time beyond %2 hours; cue skipped")
        .arg(lineNumber)
        .arg(kLatestCueMs / 3'600'000);
}

// "start --> end" with SubRip times, anything after the end time ignored
// (positions X1:... some files carry).
struct Timing {
    bool read = false;
    bool tooLarge = false;
    qint64 startMs = 0, endMs = 0;
};

Timing readSubRipTiming(QStringView line) {
    Timing timing;
    const auto start = readSubRipTime(line);
    if (!start)
        return timing;
    QStringView rest = line.mid(start->length).trimmed();
    if (!rest.startsWith(QLatin1String("-->")))
        return timing;
    const auto end = readSubRipTime(rest.mid(3));
    if (!end)
        return timing;
    timing.read = true;
    timing.tooLarge = start->tooLarge || end->tooLarge;
    timing.startMs = start->ms;
    timing.endMs = end->ms;
    return timing;
}

// A line that opens a SubRip block: a timing, or something holding "-->"
// where a timing belongs (after a blank line or a cue number).
bool opensSubRipBlock(const QStringList& lines, qsizetype i) {
    if (readSubRipTiming(lines[i]).read)
        return true;
    return lines[i].contains(QLatin1String("-->")) &&
           (i == 0 || isBlank(lines[i - 1]) || isNumberLine(lines[i - 1]));
}

// An ASS time "H:MM:SS.cc" that is the whole field.
std::optional<TimeRead> readWholeTime(const QString& field) {
    const QString time = field.trimmed();
    const auto read = readSubRipTime(time);
    return read && read->length == time.size() ? read : std::nullopt;
}

} // namespace

SubtitleKind subtitleKind(const QString& text) {
    static const QRegularExpression webVtt(QStringLiteral("^WEBVTT(?:[ \\t\\r\\n]|$)"));
    static const QRegularExpression ass(QStringLiteral("^\\s*(?:\\[Script Info\\]|Dialogue:)"),
                                        QRegularExpression::MultilineOption |
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression lrc(QStringLiteral("^\\s*\\[-?\\d+:\\d"),
                                        QRegularExpression::MultilineOption);
    if (text.contains(webVtt))
        return SubtitleKind::WebVtt;
    if (text.contains(ass))
        return SubtitleKind::Ass;
    const QStringList lines = linesOf(text);
    if (std::any_of(lines.begin(), lines.end(),
                    [](const QString& line) { return readSubRipTiming(line).read; }))
        return SubtitleKind::SubRip;
    if (text.contains(lrc))
        return SubtitleKind::Lrc;
    return SubtitleKind::Unknown;
}

ParsedSubtitles parseSubRip(const QString& text) {
    ParsedSubtitles parsed;
    const QStringList lines = linesOf(text);
    std::vector<qsizetype> opens;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (opensSubRipBlock(lines, i))
            opens.push_back(i);
    for (size_t b = 0; b < opens.size(); ++b) {
        const qsizetype at = opens[b];
        qsizetype end = b + 1 < opens.size() ? opens[b + 1] : lines.size();
        if (b + 1 < opens.size() && end - 1 > at && isNumberLine(lines[end - 1]))
            --end; // the next cue's number
        while (end - 1 > at && isBlank(lines[end - 1]))
            --end;
        const Timing timing = readSubRipTiming(lines[at]);
        if (!timing.read) {
            parsed.warnings << ImportText::tr("line %1: %2 is no cue timing; that block skipped")
                                   .arg(at + 1)
                                   .arg(quoted(lines[at]));
            continue;
        }
        if (timing.tooLarge) {
            parsed.warnings << tooLargeWarning(int(at + 1));
            continue;
        }
        parsed.cues.push_back({timing.startMs, timing.endMs,
                               lines.mid(at + 1, end - at - 1).join(QLatin1Char('\n'))});
    }
    return parsed;
}

ParsedSubtitles parseLrc(const QString& text) {
    static const QRegularExpression tag(QStringLiteral("\\s*\\[([^\\]]*)\\]"));
    ParsedSubtitles parsed;
    const QStringList lines = linesOf(text);
    qint64 offsetMs = 0; // [offset:+500] shows every line half a second earlier
    std::vector<std::pair<qint64, QString>> timed;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        qsizetype at = 0;
        std::vector<qint64> times;
        QRegularExpressionMatch m;
        while ((m = tag.match(lines[i], at, QRegularExpression::NormalMatch,
                              QRegularExpression::AnchorAtOffsetMatchOption))
                   .hasMatch()) {
            const QStringView inside = m.capturedView(1).trimmed();
            if (const auto time = readLrcTime(inside)) {
                if (time->tooLarge)
                    parsed.warnings << tooLargeWarning(int(i + 1));
                else
                    times.push_back(time->ms);
            } else if (inside.startsWith(QLatin1String("offset:"), Qt::CaseInsensitive)) {
                offsetMs =
                    std::clamp(inside.mid(7).trimmed().toLongLong(), -kLatestCueMs, kLatestCueMs);
            }
            at = m.capturedEnd();
        }
        for (const qint64 ms : times)
            timed.emplace_back(ms, lines[i].mid(at));
    }
    for (const auto& [ms, line] : timed)
        parsed.cues.push_back({ms - offsetMs, kUntilNextCue, line});
    return parsed;
}

ParsedSubtitles parseAss(const QString& text) {
    ParsedSubtitles parsed;
    const QStringList lines = linesOf(text);
    bool inEvents = false;
    // The fields of an event as the section's Format line orders them (the text is last).
    QStringList format = {QStringLiteral("layer"),   QStringLiteral("start"),
                          QStringLiteral("end"),     QStringLiteral("style"),
                          QStringLiteral("name"),    QStringLiteral("marginl"),
                          QStringLiteral("marginr"), QStringLiteral("marginv"),
                          QStringLiteral("effect"),  QStringLiteral("text")};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEvents = line.compare(QLatin1String("[Events]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (!inEvents || colon < 0)
            continue;
        const QString key = line.left(colon).trimmed().toLower();
        const QString value = line.mid(colon + 1).trimmed();
        if (key == QLatin1String("format")) {
            format = value.toLower().remove(QLatin1Char(' ')).split(QLatin1Char(','));
            continue;
        }
        if (key != QLatin1String("dialogue"))
            continue;
        const QStringList fields = value.split(QLatin1Char(','));
        const qsizetype startField = format.indexOf(QLatin1String("start"));
        const qsizetype endField = format.indexOf(QLatin1String("end"));
        const auto start = readWholeTime(fields.value(startField));
        const auto end = readWholeTime(fields.value(endField));
        if (fields.size() < format.size() || !start || !end || startField < 0 || endField < 0) {
            parsed.warnings << ImportText::tr("line %1: %2 is no event line; skipped")
                                   .arg(i + 1)
                                   .arg(quoted(line));
            continue;
        }
        if (start->tooLarge || end->tooLarge) {
            parsed.warnings << tooLargeWarning(int(i + 1));
            continue;
        }
        // The text is the last field and may hold commas.
        const QString eventText = fields.mid(format.size() - 1).join(QLatin1Char(','));
        parsed.cues.push_back({start->ms, end->ms, eventText});
    }
    return parsed;
}

} // namespace hearvex::lessons
