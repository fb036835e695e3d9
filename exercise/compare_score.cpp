#include "compare_score.h"

namespace hearvex::exercise {

namespace {
constexpr int kWordsPerLine = 10; // a tooltip does not wrap by itself
}

QString scoreCaption(const WordAlignment& alignment) {
    const int total = static_cast<int>(alignment.sentence.size());
    if (alignment.tooLong)
        return QStringLiteral("?/%1").arg(total);
    return QStringLiteral("%1/%2").arg(alignment.matchedCount()).arg(total);
}

QString scoreToolTip(const WordAlignment& alignment) {
    if (alignment.tooLong)
        return QStringLiteral("词太多，无法逐词对齐比较");
    if (alignment.sentence.empty())
        return QStringLiteral("没有可比较的句子");
    const std::vector<QString> missed = alignment.missedWords();
    if (missed.empty())
        return QStringLiteral("全部正确");
    QString text = QStringLiteral("漏掉或写错的词：");
    for (size_t i = 0; i < missed.size(); ++i) {
        if (i > 0)
            text += i % kWordsPerLine == 0 ? QLatin1Char('\n') : QLatin1Char(' ');
        text += missed[i];
    }
    return text;
}

} // namespace hearvex::exercise
