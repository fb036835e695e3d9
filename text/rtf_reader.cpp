#include "rtf_reader.h"

#include <QStringList>

#include "rtf_code_page.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace hearvex::text {

namespace {

// Nesting beyond this depth is counted but keeps the innermost state: damaged
// files with millions of '{' must not cost memory in proportion.
constexpr std::size_t kMaxDepth = 512;
// Numbers saturate here; RTF numbers are 16- or 32-bit, anything longer is junk.
constexpr long kMaxNumber = 1'000'000'000;
constexpr int kMaxHalfPoints = 400; // 200 points
constexpr int kMaxUnicodeSkip = 16;

enum class Destination { Text, Skip, FontTable, ColorTable };

struct GroupState {
    RtfFormat format;
    RtfAlign align = RtfAlign::Left;
    int font = -1;
    int unicodeSkip = 1;
    Destination destination = Destination::Text;
};

struct FontEntry {
    QString name;
    int codePage = 0; // 0: the document's code page
};

// Groups whose content is never shown.
bool isSkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {"stylesheet",
                                                    "info",
                                                    "pict",
                                                    "object",
                                                    "header",
                                                    "headerl",
                                                    "headerr",
                                                    "headerf",
                                                    "footer",
                                                    "footerl",
                                                    "footerr",
                                                    "footerf",
                                                    "footnote",
                                                    "fldinst",
                                                    "themedata",
                                                    "colorschememapping",
                                                    "latentstyles",
                                                    "datastore",
                                                    "xmlnstbl",
                                                    "listtable",
                                                    "listoverridetable",
                                                    "rsidtbl",
                                                    "generator",
                                                    "pgdsctbl",
                                                    "filetbl",
                                                    "revtbl",
                                                    "userprops",
                                                    "private",
                                                    "xe",
                                                    "tc",
                                                    "txe",
                                                    "bkmkstart",
                                                    "bkmkend",
                                                    "nonshppict",
                                                    "shpinst",
                                                    "shptxt",
                                                    "sp",
                                                    "sn",
                                                    "sv",
                                                    "annotation",
                                                    "atnid",
                                                    "atnauthor",
                                                    "atrfstart",
                                                    "atrfend",
                                                    "ftnsep",
                                                    "ftnsepc",
                                                    "ftncn",
                                                    "aftnsep",
                                                    "aftnsepc",
                                                    "aftncn",
                                                    "template",
                                                    "buptim",
                                                    "operator",
                                                    "author",
                                                    "title",
                                                    "subject",
                                                    "keywords",
                                                    "comment",
                                                    "doccomm",
                                                    "company",
                                                    "creatim",
                                                    "revtim",
                                                    "printim",
                                                    "mmathPr"};
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Characters a box must not be handed: controls other than the tab and the
// line break, and halves of surrogate pairs standing alone.
QString cleaned(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append(c).append(text.at(++i));
        } else if (c.isSurrogate()) {
            out.append(QChar::ReplacementCharacter);
        } else if (c.unicode() >= 0x20 || c == u'\t') {
            if (c.unicode() < 0x7f || c.unicode() > 0x9f)
                out.append(c);
        }
    }
    return out;
}

class RtfParser {
public:
    explicit RtfParser(const QByteArray& in)
        : m_in(in) {
        m_state.font = m_defaultFont;
    }

    RtfDocument run() {
        while (m_pos < m_in.size() && !m_finished) {
            const char c = m_in.at(m_pos++);
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                readControl();
                break;
            case '\r':
            case '\n':
                break;
            default:
                textByte(static_cast<unsigned char>(c));
                break;
            }
        }
        flushBytes();
        if (!m_paragraph.runs.empty())
            finishParagraph();
        return std::move(m_document);
    }

private:
    void openGroup() {
        flushBytes();
        m_skipChars = 0;
        if (m_stack.size() >= kMaxDepth) {
            ++m_overflowDepth;
            return;
        }
        m_stack.push_back(m_state);
    }

    void closeGroup() {
        flushBytes();
        m_skipChars = 0;
        if (m_overflowDepth > 0) {
            --m_overflowDepth;
            return;
        }
        if (m_state.destination == Destination::FontTable)
            commitFont();
        if (m_stack.empty())
            return; // a stray '}'
        m_state = m_stack.back();
        m_stack.pop_back();
        if (m_stack.empty())
            m_finished = true; // the document's own group has closed
    }

    void readControl() {
        if (m_pos >= m_in.size())
            return;
        const char first = m_in.at(m_pos);
        if (!isLetter(first)) {
            ++m_pos;
            controlSymbol(first);
            return;
        }
        std::string word;
        while (m_pos < m_in.size() && isLetter(m_in.at(m_pos))) {
            if (word.size() < 32)
                word.push_back(m_in.at(m_pos));
            ++m_pos;
        }
        bool negative = false;
        if (m_pos + 1 < m_in.size() && m_in.at(m_pos) == '-' && isDigit(m_in.at(m_pos + 1))) {
            negative = true;
            ++m_pos;
        }
        bool hasParam = false;
        long param = 0;
        while (m_pos < m_in.size() && isDigit(m_in.at(m_pos))) {
            hasParam = true;
            param = std::min(kMaxNumber, param * 10 + (m_in.at(m_pos) - '0'));
            ++m_pos;
        }
        if (negative)
            param = -param;
        if (m_pos < m_in.size() && m_in.at(m_pos) == ' ')
            ++m_pos; // the delimiter belongs to the control word
        if (word == "bin") {
            // Raw bytes follow, whatever they look like.
            m_pos += std::clamp<qsizetype>(param, 0, m_in.size() - m_pos);
            return;
        }
        if (m_skipChars > 0) { // part of a \u fallback
            --m_skipChars;
            return;
        }
        controlWord(word, hasParam, static_cast<int>(param));
    }

    void controlSymbol(char c) {
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < m_in.size() && hexValue(m_in.at(m_pos)) >= 0) {
                value = value * 16 + hexValue(m_in.at(m_pos++));
                ++digits;
            }
            if (digits == 0)
                return; // a bad escape: nothing to read
            if (m_skipChars > 0) {
                --m_skipChars;
                return;
            }
            escapedByte(static_cast<unsigned char>(value));
            return;
        }
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            escapedByte(static_cast<unsigned char>(c));
            break;
        case '~':
            put(QString(QChar(0x00A0)));
            break;
        case '_':
            put(QString(QChar(0x2011)));
            break;
        case '*':
            flushBytes();
            m_state.destination = Destination::Skip;
            break;
        case '\r':
        case '\n':
            endParagraph();
            break;
        case '\t':
            put(QStringLiteral("\t"));
            break;
        default:
            break; // \- optional hyphen, \: and \| index marks, unknown symbols
        }
    }

    void controlWord(const std::string& word, bool hasParam, int param) {
        flushBytes();
        const bool on = !hasParam || param != 0;
        // Document settings, read wherever they stand.
        if (word == "ansi") {
            m_codePage = 1252;
        } else if (word == "mac") {
            m_codePage = 10000;
        } else if (word == "pc") {
            m_codePage = 437;
        } else if (word == "pca") {
            m_codePage = 850;
        } else if (word == "ansicpg") {
            if (param > 0 && param < 65536)
                m_codePage = param;
        } else if (word == "deff") {
            m_defaultFont = param;
            m_state.font = param;
        } else if (word == "uc") {
            m_state.unicodeSkip = std::clamp(param, 0, kMaxUnicodeSkip);
        } else if (word == "u") {
            unicodeChar(param);
        } else if (word == "fonttbl") {
            m_state.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            m_state.destination = Destination::ColorTable;
            m_colors.clear();
        } else if (isSkippedDestination(word)) {
            m_state.destination = Destination::Skip;
        } else if (m_state.destination == Destination::FontTable) {
            fontTableWord(word, param);
        } else if (m_state.destination == Destination::ColorTable) {
            colorTableWord(word, param);
        } else if (m_state.destination == Destination::Text) {
            textWord(word, hasParam, param, on);
        }
    }

    void textWord(const std::string& w, bool hasParam, int param, bool on) {
        RtfFormat& f = m_state.format;
        if (w == "par" || w == "sect" || w == "page" || w == "row")
            endParagraph();
        else if (w == "line")
            put(QString(QChar::LineSeparator));
        else if (w == "tab" || w == "cell")
            put(QStringLiteral("\t"));
        else if (w == "pard")
            m_state.align = RtfAlign::Left;
        else if (w == "ql")
            m_state.align = RtfAlign::Left;
        else if (w == "qc")
            m_state.align = RtfAlign::Center;
        else if (w == "qr")
            m_state.align = RtfAlign::Right;
        else if (w == "qj")
            m_state.align = RtfAlign::Justify;
        else if (w == "plain") {
            f = RtfFormat{};
            m_state.font = m_defaultFont;
        } else if (w == "b")
            f.bold = on;
        else if (w == "i")
            f.italic = on;
        else if (w == "strike" || w == "striked")
            f.strike = on;
        else if (w == "ulnone")
            f.underline = false;
        else if (w.starts_with("ul") && w != "ulc")
            f.underline = on;
        else if (w == "fs")
            f.halfPoints = hasParam ? std::clamp(param, 0, kMaxHalfPoints) : 24;
        else if (w == "cf")
            f.color = colorAt(param);
        else if (w == "highlight" || w == "cb" || w == "chcbpat")
            f.background = colorAt(param);
        else if (w == "f")
            m_state.font = param;
        else if (w == "emdash")
            put(QString(QChar(0x2014)));
        else if (w == "endash")
            put(QString(QChar(0x2013)));
        else if (w == "bullet")
            put(QString(QChar(0x2022)));
        else if (w == "lquote")
            put(QString(QChar(0x2018)));
        else if (w == "rquote")
            put(QString(QChar(0x2019)));
        else if (w == "ldblquote")
            put(QString(QChar(0x201C)));
        else if (w == "rdblquote")
            put(QString(QChar(0x201D)));
        else if (w == "emspace")
            put(QString(QChar(0x2003)));
        else if (w == "enspace")
            put(QString(QChar(0x2002)));
    }

    void fontTableWord(const std::string& w, int param) {
        if (w == "f") {
            commitFont();
            m_fontEntry = param;
            m_fonts[param] = FontEntry{};
        } else if (w == "fcharset" && m_fontEntry >= 0) {
            m_fonts[m_fontEntry].codePage = codePageForCharset(param);
        } else if (w == "cpg" && m_fontEntry >= 0 && param > 0 && param < 65536) {
            m_fonts[m_fontEntry].codePage = param;
        }
    }

    void colorTableWord(const std::string& w, int param) {
        const int value = std::clamp(param, 0, 255);
        if (w == "red")
            m_red = value;
        else if (w == "green")
            m_green = value;
        else if (w == "blue")
            m_blue = value;
    }

    std::optional<RtfColor> colorAt(int index) const {
        if (index < 0 || index >= static_cast<int>(m_colors.size()))
            return {};
        return m_colors[static_cast<std::size_t>(index)];
    }

    void commitColor() {
        // An entry with no component is "auto": the box's own colour.
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colors.emplace_back();
        else
            m_colors.emplace_back(RtfColor{std::clamp(m_red, 0, 255), std::clamp(m_green, 0, 255),
                                           std::clamp(m_blue, 0, 255)});
        m_red = m_green = m_blue = -1;
    }

    void commitFont() {
        if (m_fontEntry < 0)
            return;
        FontEntry& entry = m_fonts[m_fontEntry];
        const int codePage = entry.codePage ? entry.codePage : m_codePage;
        entry.name = (m_fontName + decodeCodePage(m_fontNameBytes, codePage)).trimmed();
        m_fontName.clear();
        m_fontNameBytes.clear();
        m_fontEntry = -1;
    }

    int currentCodePage() const {
        const auto it = m_fonts.find(m_state.font);
        if (it != m_fonts.end() && it->second.codePage)
            return it->second.codePage;
        return m_codePage;
    }

    // A byte of text: plain, or from a \'hh, \\, \{ or \} escape.
    void escapedByte(unsigned char b) {
        switch (m_state.destination) {
        case Destination::FontTable:
            if (m_fontEntry >= 0)
                m_fontNameBytes.append(static_cast<char>(b));
            return;
        case Destination::Text: {
            const int codePage = currentCodePage();
            if (!m_bytes.isEmpty() && m_bytesCodePage != codePage)
                flushBytes();
            m_bytesCodePage = codePage;
            m_bytes.append(static_cast<char>(b));
            return;
        }
        default:
            return;
        }
    }

    void textByte(unsigned char b) {
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        if (b == ';' && m_state.destination == Destination::ColorTable) {
            commitColor();
        } else if (b == ';' && m_state.destination == Destination::FontTable) {
            commitFont();
        } else if (b == '\t') {
            put(QStringLiteral("\t"));
        } else if (b >= 0x20) {
            escapedByte(b);
        }
    }

    void unicodeChar(int value) {
        if (value < 0)
            value += 65536;
        const QChar c = value >= 0 && value <= 0xFFFF ? QChar(static_cast<char16_t>(value))
                                                      : QChar(QChar::ReplacementCharacter);
        if (m_state.destination == Destination::FontTable && m_fontEntry >= 0) {
            m_fontName += decodeCodePage(m_fontNameBytes, currentCodePage());
            m_fontNameBytes.clear();
            m_fontName += c;
        } else {
            put(QString(c));
        }
        m_skipChars = m_state.unicodeSkip;
    }

    void flushBytes() {
        if (m_bytes.isEmpty())
            return;
        const QByteArray bytes = std::exchange(m_bytes, {});
        put(decodeCodePage(bytes, m_bytesCodePage));
    }

    void put(const QString& raw) {
        if (m_state.destination != Destination::Text)
            return;
        flushBytes();
        const QString& text = raw;
        if (text.isEmpty())
            return;
        RtfFormat format = m_state.format;
        if (const auto it = m_fonts.find(m_state.font); it != m_fonts.end())
            format.fontFamily = it->second.name;
        auto& runs = m_paragraph.runs;
        if (!runs.empty() && runs.back().format == format)
            runs.back().text += text;
        else
            runs.push_back(RtfRun{text, format});
    }

    void endParagraph() {
        if (m_state.destination != Destination::Text)
            return;
        flushBytes();
        finishParagraph();
    }

    void finishParagraph() {
        m_paragraph.align = m_state.align;
        // Cleaned per run, not per piece, so surrogate pairs written as two
        // \u escapes stay together.
        for (RtfRun& run : m_paragraph.runs)
            run.text = cleaned(run.text);
        std::erase_if(m_paragraph.runs, [](const RtfRun& run) { return run.text.isEmpty(); });
        m_document.paragraphs.push_back(std::exchange(m_paragraph, {}));
    }

    const QByteArray& m_in;
    qsizetype m_pos = 0;
    bool m_finished = false;

    std::vector<GroupState> m_stack;
    GroupState m_state;
    int m_overflowDepth = 0;
    int m_skipChars = 0;

    int m_codePage = 1252;
    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    QString m_fontName;
    QByteArray m_fontNameBytes;
    std::vector<std::optional<RtfColor>> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    QByteArray m_bytes;
    int m_bytesCodePage = 1252;

    RtfDocument m_document;
    RtfParagraph m_paragraph;
};

} // namespace

QString RtfParagraph::text() const {
    QString out;
    for (const RtfRun& run : runs)
        out += run.text;
    return out;
}

QString RtfDocument::plainText() const {
    QStringList lines;
    for (const RtfParagraph& p : paragraphs)
        lines << p.text();
    return lines.join(QLatin1Char('\n'));
}

bool isRtf(const QByteArray& bytes) {
    const QByteArray head = bytes.left(64).trimmed();
    return head.startsWith("{\\rtf");
}

RtfDocument readRtf(const QByteArray& bytes) {
    return RtfParser(bytes).run();
}

} // namespace hearvex::text
