#include "keeper_texts.h"

#include <QDir>

namespace hearvex::record {

namespace {

struct Trouble {
    const char* what; // after the record's path
    const char* remedy;
};

Trouble troubleOf(RecordFault fault) {
    switch (fault) {
    case RecordFault::Locked:
        return {"正被其他程序占用", "请关闭正在使用它的程序"};
    case RecordFault::DiskFull:
        return {"所在的磁盘已满", "请清理一些磁盘空间"};
    case RecordFault::ReadOnly:
        return {"是只读的", "请让这个文件和它的文件夹可以写入"};
    case RecordFault::NotAFile:
        return {"的位置被文件夹或其他东西占着", "请把它移走或改名"};
    case RecordFault::Newer:
        return {"是更新版本的 Hearvex 写的", "请使用新版本的 Hearvex"};
    case RecordFault::Damaged:
        return {"已损坏", "请检查磁盘"};
    default:
        return {"无法写入", "请检查磁盘和这个文件"};
    }
}

QString keptWhere(const RecordKeeper::Status& status) {
    if (status.waiting == 0)
        return {};
    if (!status.journalKept)
        return QStringLiteral("有 %1 次练习只在内存中，请先不要关闭程序，能写入时自动记下。")
            .arg(status.waiting);
    return QStringLiteral("已保存 %1 次练习，能写入时自动记下。").arg(status.waiting);
}

} // namespace

KeeperWords keeperWords(const RecordKeeper::Status& status, const QString& recordPath) {
    using State = RecordKeeper::State;
    const QString path = QDir::toNativeSeparators(recordPath);
    const bool troubled = status.state == State::Unavailable || status.state == State::ReadOnly ||
                          (status.fault != RecordFault::None && status.waiting > 0);
    KeeperWords words;
    if (troubled) {
        const Trouble trouble = troubleOf(status.fault);
        const QString outcome =
            status.state == State::Unavailable ? QStringLiteral("练习记录无法保存")
            : status.state == State::ReadOnly  ? QStringLiteral("可以查看，不能写入")
                                               : QStringLiteral("暂时无法写入");
        words.note = QStringLiteral("练习记录 %1 %2，%3。%4。")
                         .arg(path, QString::fromUtf8(trouble.what), outcome,
                              QString::fromUtf8(trouble.remedy)) +
                     keptWhere(status);
        words.line = status.waiting > 0
                         ? QStringLiteral("练习记录暂时无法写入，已保存 %1 次练习，稍后写入")
                               .arg(status.waiting)
                         : QStringLiteral("练习记录无法写入（F10 查看原因）");
        if (!status.journalKept && status.waiting > 0)
            words.line =
                QStringLiteral("练习记录无法写入，%1 次练习暂存在内存中").arg(status.waiting);
        return words;
    }
    if (status.recreated) {
        words.note = QStringLiteral("练习记录 %1 在程序运行时被删除或替换，已重新建立，"
                                    "之后的练习照常记下。")
                         .arg(path);
        words.line = QStringLiteral("练习记录文件被删除或替换，已重新建立");
    }
    if (!status.brokenPath.isEmpty())
        words.note = QStringLiteral("原来的练习记录文件已损坏，已原样保留为 %1，从现在起重新记录。")
                         .arg(QDir::toNativeSeparators(status.brokenPath));
    return words;
}

} // namespace hearvex::record
