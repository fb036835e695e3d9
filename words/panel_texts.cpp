#include "panel_texts.h"
#include "frequency_band.h"

namespace hearvex::words {

PanelTexts panelTexts(const WordEntry& entry) {
    PanelTexts texts;
    texts.word = entry.word;
    if (!entry.ipa.isEmpty())
        texts.ipa = QStringLiteral("/%1/").arg(entry.ipa);
    const bool ownLemma = entry.lemma.compare(entry.word, Qt::CaseInsensitive) == 0;
    if (!ownLemma)
        texts.lemma = QStringLiteral("%1 → %2").arg(entry.word, entry.lemma);
    if (!entry.forms.isEmpty())
        texts.forms = QStringLiteral("词形：") + entry.forms.join(QStringLiteral(", "));
    texts.band = QStringLiteral("常用度：") + bandText(entry.band);
    QStringList lines = entry.glosses;
    if (!ownLemma && !entry.lemmaGlosses.isEmpty())
        lines << QString() << entry.lemma + QStringLiteral("：") << entry.lemmaGlosses;
    texts.glosses = entry.found ? lines.join(QLatin1Char('\n'))
                                : QStringLiteral("词典里没有这个词（可能拼错了，或是专有名词）。");
    if (entry.found && lines.isEmpty())
        texts.glosses = QStringLiteral("词典里没有这个词的中文释义。");
    return texts;
}

QString noWordNote() {
    return QStringLiteral("光标处没有单词：把光标放在输入框里的一个词上再按 F2。");
}

} // namespace hearvex::words
