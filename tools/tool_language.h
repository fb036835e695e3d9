// The lesson tool speaks the learner's language: Chinese where the locale's
// language is Chinese (LANG=zh_CN.UTF-8; LC_ALL and LC_MESSAGES first, as
// everywhere), English, as the messages are written, otherwise.
#pragma once

#include <QCoreApplication>

namespace hearvex::tool {

// Installs the translation for the locale's language, where there is one
// (built into the tool from translations/hearvex-lesson_LANG.ts).
void installToolTranslation(QCoreApplication& app);

} // namespace hearvex::tool
