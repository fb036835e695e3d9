#include "transcript_lines.h"

#include <QRegularExpression>

namespace hearvex::lessons {

namespace {

// A capitalised first word, then up to three names, numbers or the small
// words of a description ("Caller from Galloway"), then a colon that is not
// part of a time ("At 10:30" is spoken).
const QRegularExpression& speakerLabel() {
    static const QRegularExpression label(QStringLiteral(
        R"(^\s*[A-Z][A-Za-z0-9'.-]*)"
        R"((?:\s+(?:[A-Z][A-Za-z0-9'.-]*|\d+|of|from|the|in|at|on|and|for|de|van|von|da|le|la|al)){0,3})"
        R"(\s*[:：](?!\d)\s*)"));
    return label;
}

// A line that is only a note on the sound: "[music]", "(laughs)", "【音乐】".
bool isBracketedNote(const QString& line) {
    static const QRegularExpression note(
        QStringLiteral(R"(^\s*(?:\[[^\]]*\]|\([^)]*\)|【[^】]*】|（[^）]*）)\s*$)"));
    return note.match(line).hasMatch();
}

// A wrapped line of prose runs to the width of the text; a title rarely does.
constexpr qsizetype kLongestTitle = 60;

bool endsWithMark(const QString& line) {
    static const QString closers =
        QStringLiteral("\"')]}\u201D\u2019\u00BB\u300D\u300F\uFF09\u3011");
    static const QString marks =
        QStringLiteral(".!?,;:-\u2026\u2013\u2014\u3002\uFF01\uFF1F\uFF0C\uFF1B\uFF1A\u3001");
    qsizetype end = line.size();
    while (end > 0 && (line.at(end - 1).isSpace() || closers.contains(line.at(end - 1))))
        --end;
    return end > 0 && marks.contains(line.at(end - 1));
}

bool goesOnInLowerCase(const QString& next) {
    for (const QChar c : next)
        if (c.isLetterOrNumber())
            return c.isLower();
    return false;
}

} // namespace

QString spokenPart(const QString& line) {
    if (isBracketedNote(line))
        return {};
    QString text = line;
    const QRegularExpressionMatch label = speakerLabel().match(text);
    if (label.hasMatch())
        text = text.mid(label.capturedEnd());
    static const QRegularExpression inlineNote(QStringLiteral(R"(\[[^\]]*\])"));
    return text.remove(inlineNote).trimmed();
}

bool standsAlone(const QString& line, const QString& next) {
    const QString text = line.trimmed();
    return !endsWithMark(text) && text.size() <= kLongestTitle && !goesOnInLowerCase(next);
}

} // namespace hearvex::lessons
