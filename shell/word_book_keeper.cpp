#include "word_book_keeper.h"

#include "miss_kind.h"
#include "record_keeper.h"
#include "word_book.h"

#include <QRegularExpression>

namespace hearvex {

int positionInSentence(const QString& sentence, const QString& word) {
    if (word.isEmpty())
        return -1;
    const QRegularExpression whole(
        QStringLiteral("(?<![\\w'])%1(?![\\w'])").arg(QRegularExpression::escape(word)),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = whole.match(sentence);
    return match.hasMatch() ? int(match.capturedStart()) : -1;
}

QString keepInWordBook(const PracticeRecorder& recorder, const QString& word,
                       const QDateTime& now) {
    const std::optional<PracticeSession>& session = recorder.session();
    if (!session || session->lesson.sentence.isEmpty())
        return QStringLiteral("先开始一篇课文，生词才能和它的句子一起记下。");
    if (!recorder.keeper())
        return QStringLiteral("练习记录没有打开，生词本无法保存。");
    QString reason;
    const std::unique_ptr<record::WordBook> book =
        record::WordBook::open(recorder.keeper()->path(), &reason);
    if (!book)
        return QStringLiteral("生词本无法打开：%1").arg(reason);
    const record::KeptWord kept{word, session->lesson,
                                positionInSentence(session->lesson.sentence, word), now};
    if (!book->keep(kept))
        return QStringLiteral("生词本无法保存：%1").arg(book->lastError());
    return {};
}

void wireWordBookPage(record::RecordWindow& window, const PracticeRecorder& recorder,
                      const words::Dictionary& dictionary) {
    record::WordBookPage& page = window.wordBookPage();
    page.setKindLabeler([](const QString& name) {
        const std::optional<exercise::MissKind> kind = exercise::missKindNamed(name);
        return kind ? exercise::missKindLabel(*kind) : name;
    });
    page.setGlossesOf([&dictionary](const QString& word) {
        if (!dictionary.isOpen())
            return QString();
        const words::WordEntry entry = dictionary.lookup(word);
        return (entry.glosses.isEmpty() ? entry.lemmaGlosses : entry.glosses)
            .join(QStringLiteral("；"));
    });
    window.setWordBookReader([&recorder](record::WordBookPage& shown) {
        QString reason;
        const std::unique_ptr<record::WordBook> book =
            recorder.keeper() ? record::WordBook::open(recorder.keeper()->path(), &reason)
                              : nullptr;
        if (book)
            shown.showWords(book->words());
        else
            shown.showNote(QStringLiteral("生词本无法打开：%1").arg(reason));
    });
}

} // namespace hearvex
