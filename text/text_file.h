// Reading the documents the boxes show: word lists (RTF or plain text) and
// the encodings they come in.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace hearvex::text {

// Bytes as text: UTF-8 when they are valid UTF-8 (a BOM is dropped), else GBK
// (code page 936), an undecodable byte becoming U+FFFD.
QString decodeUtf8OrGbk(const QByteArray& bytes);

// Bytes as text when they are valid UTF-8 (a BOM is dropped), else nothing.
std::optional<QString> decodeUtf8(const QByteArray& bytes);

// GBK bytes as text, an undecodable byte becoming U+FFFD.
QString decodeGbk(const QByteArray& bytes);

struct DocumentContent {
    QString text; // HTML when isRich, else plain text
    bool isRich = false;
};

// A file as a box shows it: RTF turned into formatted text, anything else as
// plain text. Empty when the file cannot be read.
std::optional<DocumentContent> readDocumentFile(const QString& path);

} // namespace hearvex::text
