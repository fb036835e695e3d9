// WebVTT as the W3C parsing rules read it: after the signature and header,
// blocks separated by blank lines; a block is a cue when its first line, or
// its second after an identifier, holds valid timings; a line holding "-->"
// later in a block starts the next block. A block whose timings do not parse
// is skipped, with a warning here, and the file is read on.
#include "cue_time.h"
#include "import_text.h"
#include "subtitle_parsers.h"

namespace hearvex::lessons {

namespace {

bool isVttSpace(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x0C);
}

qsizetype skipSpaces(QStringView line, qsizetype at) {
    while (at < line.size() && isVttSpace(line[at]))
        ++at;
    return at;
}

struct VttTiming {
    bool read = false;
    bool tooLarge = false;
    qint64 startMs = 0, endMs = 0;
};

// "start --> end [settings]": the settings are for placement and are not read.
VttTiming readTimings(QStringView line) {
    VttTiming timing;
    qsizetype at = skipSpaces(line, 0);
    const auto start = readWebVttTime(line.mid(at));
    if (!start)
        return timing;
    at = skipSpaces(line, at + start->length);
    if (!line.mid(at).startsWith(QLatin1String("-->")))
        return timing;
    at = skipSpaces(line, at + 3);
    const auto end = readWebVttTime(line.mid(at));
    if (!end)
        return timing;
    timing.read = true;
    timing.tooLarge = start->tooLarge || end->tooLarge;
    timing.startMs = start->ms;
    timing.endMs = end->ms;
    return timing;
}

// The cue text without its tags: a '<' always opens a tag (voices, classes,
// timestamps, ruby) that runs to the next '>'; character references stay for
// the cleaning that follows.
QString withoutTags(const QString& text) {
    QString out;
    out.reserve(text.size());
    bool inTag = false;
    for (const QChar c : text) {
        if (inTag)
            inTag = c != QLatin1Char('>');
        else if (c == QLatin1Char('<'))
            inTag = true;
        else
            out += c;
    }
    return out;
}

bool isMetadataBlock(const QString& firstLine) {
    for (const char* kind : {"NOTE", "STYLE", "REGION"}) {
        const QLatin1String name(kind);
        if (firstLine.startsWith(name) &&
            (firstLine.size() == name.size() || isVttSpace(firstLine[name.size()])))
            return true;
    }
    return false;
}

class VttReader {
public:
    explicit VttReader(const QStringList& lines)
        : m_lines(lines) {}

    ParsedSubtitles read() {
        qsizetype at = 1;
        // The header: lines after the signature up to a blank line, unless one is a timing.
        while (at < m_lines.size() && !m_lines[at].isEmpty() &&
               !m_lines[at].contains(QLatin1String("-->")))
            ++at;
        while (at < m_lines.size()) {
            while (at < m_lines.size() && m_lines[at].isEmpty())
                ++at;
            if (at < m_lines.size())
                at = readBlock(at);
        }
        return std::move(m_parsed);
    }

private:
    // One block from `first`; returns where the next one starts.
    qsizetype readBlock(qsizetype first) {
        qsizetype at = first;
        std::optional<qsizetype> timingLine;
        QStringList text;
        for (; at < m_lines.size() && !m_lines[at].isEmpty(); ++at) {
            const QString& line = m_lines[at];
            const qsizetype count = at - first + 1;
            if (line.contains(QLatin1String("-->"))) {
                if (timingLine || count > 2)
                    break; // the next block starts here
                timingLine = at;
                text.clear(); // what came before was the cue's identifier
                continue;
            }
            text << line;
        }
        if (!timingLine) {
            if (!isMetadataBlock(m_lines[first]))
                m_parsed.warnings << ImportText::tr("line %1: a block without cue timings; skipped")
                                         .arg(first + 1);
            return at;
        }
        addCue(*timingLine, text);
        return at;
    }

    void addCue(qsizetype line, const QStringList& text) {
        const VttTiming timing = readTimings(m_lines[line]);
        if (!timing.read) {
            m_parsed.warnings << ImportText::tr("line %1: \"%2\" is no cue timing; that cue "
                                                "skipped")
                                     .arg(line + 1)
                                     .arg(m_lines[line].left(60));
            return;
        }
        if (timing.tooLarge) {
            m_parsed.warnings << ImportText::tr("line %1: a time beyond %2 hours; cue skipped")
                                     .arg(line + 1)
                                     .arg(kLatestCueMs / 3'600'000);
            return;
        }
        m_parsed.cues.push_back(
            {timing.startMs, timing.endMs, withoutTags(text.join(QLatin1Char('\n')))});
    }

    const QStringList& m_lines;
    ParsedSubtitles m_parsed;
};

} // namespace

ParsedSubtitles parseWebVtt(const QString& text) {
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    normal.replace(QChar(0), QChar(0xFFFD));
    return VttReader(normal.split(QLatin1Char('\n'))).read();
}

} // namespace hearvex::lessons
