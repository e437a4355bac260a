#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

// The rows of a table under data/: cells are parted by a '|' with a blank on each side; lines
// that start with '#' are comments.
inline QList<QStringList> dataTable(const QString &name)
{
    QFile file(QStringLiteral(ZEL_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", qPrintable(file.fileName()));
    }
    static const QRegularExpression bar(QStringLiteral(" *(?<= )\\|(?= ) *"));
    QList<QStringList> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#')) {
            rows << line.split(bar);
        }
    }
    return rows;
}
