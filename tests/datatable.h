// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#pragma once

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// The rows of a table under data/: cells are parted by a '|' with a blank on each side; lines
// that start with '#' are comments. A row without exactly columns cells fails the data function
// that asks for the table, naming the file, the line and the row, and no row of it runs (a
// failed data function alone would still run its test once, with no data to fetch).
inline QList<QStringList> dataTable(const QString &name, qsizetype columns)
{
    QFile file(QStringLiteral(ZEL_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot read ") + file.fileName()), __FILE__,
                     __LINE__);
        return {};
    }
    static const QRegularExpression bar(QStringLiteral(" *(?<= )\\|(?= ) *"));
    QList<QStringList> rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (qsizetype number = 1; number <= lines.size(); ++number) {
        const QString &line = lines[number - 1];
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        rows << line.split(bar);
        if (rows.last().size() != columns) {
            const QString fault = QStringLiteral("%1:%2: %3 cells, not %4: %5")
                                      .arg(file.fileName())
                                      .arg(number)
                                      .arg(rows.last().size())
                                      .arg(columns)
                                      .arg(line);
            QTest::qFail(qPrintable(fault), __FILE__, __LINE__);
            QTest::qSkip("no row runs", __FILE__, __LINE__);
            return {};
        }
    }
    return rows;
}
