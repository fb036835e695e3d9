// Qt's own texts (context menus of the text boxes, message-box buttons,
// standard dialogs) in Chinese, whatever language the desktop runs in: the
// program speaks Chinese throughout.
#pragma once

#include <QCoreApplication>

namespace hearvex {

// Installs Qt's Simplified Chinese catalogue into app. Returns false, leaving
// Qt's English, when the catalogue is not installed (qt6-translations-l10n).
bool installQtChinese(QCoreApplication& app);

// Installs the Chinese of the messages the import, the alignment and the
// practice record give (the lesson tool's catalogue, built into the program),
// so the details a window shows of them read Chinese too. Returns false when
// the catalogue is not built in.
bool installMessagesInChinese(QCoreApplication& app);

} // namespace hearvex
