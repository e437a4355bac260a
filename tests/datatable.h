#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

// The rows of a table under data/: cells are parted by a '|' with blanks on both sides; lines
// that start with '#' are comments.
inline QList<QStringList> dataTable(const QString &name)
{
    QFile file(QStringLiteral(ZEL_TEST_DATA "/") + name);
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", qPrintable(file.fileName()));
    }
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#')) {
            static const QRegularExpression bar(QStringLiteral("(?<= )\\|(?= )"));
            QStringList cells = line.split(bar);
            for (QString &cell : cells) {
                cell = cell.trimmed();
            }
            rows << cells;
        }
    }
    return rows;
}
