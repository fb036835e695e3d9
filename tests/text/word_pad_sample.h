// A word list as a Chinese WordPad writes it, shared by the reader and box tests.
#pragma once

#include <QByteArray>

namespace hearvex::testing {

// GBK bytes in a charset-134 font.
inline const QByteArray kWordPadList =
    "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
    "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\froman\\fcharset0 Times New "
    "Roman;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\qc\\lang2052\\b\\f0\\fs28 "
    "\\'b9\\'e3\\'b2\\'a5\\'b3\\'a3\\'d3\\'c3\\'b5\\'a5\\'b4\\'ca\\par\r\n"
    "\\pard\\b0\\f1\\fs18\\cf2 abandon\\cf0  \\f0\\'b7\\'c5\\'c6\\'fa\\par\r\n"
    "\\i\\f1 according to\\i0  \\ul\\cf1\\f0\\'b8\\'f9\\'be\\'dd\\ulnone\\cf0\\par\r\n"
    "}\r\n";

} // namespace hearvex::testing
