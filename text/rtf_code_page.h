// Code pages of RTF documents: which one a font's character set stands for,
// and turning bytes of a code page into text.
#pragma once

#include <QByteArray>
#include <QString>

namespace hearvex::text {

// The code page of an RTF \fcharsetN value, or 0 when the charset names none
// (the default charset: the document's own code page applies).
int codePageForCharset(int charset);

// Bytes in a Windows code page as text (936 GBK, 950 Big5, 1252 Western, ...).
// A code page this system cannot decode is read as Latin-1; an undecodable
// byte becomes U+FFFD.
QString decodeCodePage(const QByteArray& bytes, int codePage);

} // namespace hearvex::text
