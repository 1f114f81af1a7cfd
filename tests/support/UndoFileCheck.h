#pragma once

#include "platform/AppPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

// The undo file the message names, when it lies in the Undo folder beside
// the executable and holds `rows` rows (after its two header lines).
inline QString undoLine(const QString& message, int rows) {
    const qsizetype at = message.lastIndexOf(QStringLiteral("Undo file: "));
    if (at < 0)
        return QStringLiteral("<no undo file named>");
    const QString path = message.mid(at + 11);
    QFile file(path);
    if (QFileInfo(path).absolutePath() != AppPaths::ExecutableDir() + QStringLiteral("/Undo") ||
        !file.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing undo file %1>").arg(path);
    const int lines = int(file.readAll().count('\n'));
    if (lines != rows + 2)
        return QStringLiteral("<undo file of %1 rows>").arg(lines - 2);
    return message.mid(at - 1, 1) + QStringLiteral("Undo file: ") + path;
}
