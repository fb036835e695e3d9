// Running the hearvex-lesson tool from a test (its path in HEARVEX_LESSON_TOOL).
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace hearvex::testing {

struct ToolRun {
    int exitCode = -1; // -1: it did not finish, or crashed
    QString out;
    QString err;
};

inline ToolRun runTool(const QStringList& args) {
    QProcess tool;
    tool.start(QStringLiteral(HEARVEX_LESSON_TOOL), args);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
        return {};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

} // namespace hearvex::testing
