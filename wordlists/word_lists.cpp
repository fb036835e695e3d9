#include "word_lists.h"

#include <QDir>

namespace hearvex::wordlists {

QStringList wordListNames() {
    return {QStringLiteral("广播常用单词"), QStringLiteral("英文报刊常用术语"),
            QStringLiteral("常用口语900句"), QStringLiteral("托福常用短语")};
}

QString wordListPath(const QString& programDir, int position) {
    return QDir(programDir).filePath(QStringLiteral("word%1.txt").arg(position + 1));
}

QString tooLargeNote() {
    return QStringLiteral("词表文件太大（超过 8 MB），未打开。");
}

} // namespace hearvex::wordlists
