// Reading RTF documents (the word lists) into formatted text.
//
// The reader keeps what a reference list needs: paragraphs and their
// alignment, line breaks and tabs, bold, italic, underline, strike-through,
// font sizes, font names, text and highlight colours from the colour table.
// Text comes from plain bytes and \'hh escapes in the code page of the current
// font (\fcharsetN, \cpgN) or of the document (\ansicpgN), and from \uN
// characters with their \ucN fallbacks skipped. Font tables, colour tables,
// style sheets, pictures, document information, field instructions and every
// {\* ...} group are read or skipped, never shown.
//
// Damaged input (unbalanced or truncated groups, bad escapes, huge numbers,
// deep nesting, binary junk) gives whatever text can be read; reading always
// ends, in time linear in the input.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace hearvex::text {

// A colour of the document's colour table.
struct RtfColor {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const RtfColor&) const = default;
};

struct RtfFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int halfPoints = 0;                 // font size in half points; 0 keeps the box's own size
    std::optional<RtfColor> color;      // none: the box's text colour
    std::optional<RtfColor> background; // none: no highlight
    QString fontFamily;                 // empty: the box's own font

    bool operator==(const RtfFormat&) const = default;
};

struct RtfRun {
    QString text; // U+2028 stands for a line break inside the paragraph
    RtfFormat format;
};

enum class RtfAlign { Left, Center, Right, Justify };

struct RtfParagraph {
    std::vector<RtfRun> runs;
    RtfAlign align = RtfAlign::Left;

    QString text() const;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;

    // The paragraphs' text joined by "\n".
    QString plainText() const;
};

// Whether the bytes are an RTF document: "{\rtf" after optional white space.
bool isRtf(const QByteArray& bytes);

RtfDocument readRtf(const QByteArray& bytes);

// The document as HTML that QTextDocument::setHtml shows with its formatting.
QString rtfToHtml(const RtfDocument& document);

} // namespace hearvex::text
