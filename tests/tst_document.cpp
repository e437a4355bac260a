// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

// The document's change rule, as the rows of data/changes.txt give it, and the keystroke
// filters, as data/keyfilters.txt gives them.
#include "datatable.h"

#include "model/keyfilters.h"
#include "model/settingdocument.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace
{

// settings with "Field=value" edits, the fields named as in Settings; false on a name or value
// that is not one.
bool edit(Settings &settings, const QString &edits)
{
    const QStringList fields{u"Baudrate"_s,      u"BitLength"_s,   u"StopBit"_s,
                             u"Parity"_s,        u"Mode"_s,        u"DeviceFunction"_s,
                             u"StartPosition"_s, u"EndPosition"_s, u"Suffix"_s};
    QString *texts[] = {&settings.StartPosition, &settings.EndPosition, &settings.Suffix};
    for (const QString &change : edits.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype field = fields.indexOf(change.section(u'=', 0, 0));
        const QString value = change.section(u'=', 1);
        bool number = false;
        if (field < 0) {
            return false;
        }
        if (size_t(field) >= AllGroups.size()) {
            *texts[size_t(field) - AllGroups.size()] = value;
        } else if (const short index = value.toShort(&number);
                   number && index >= 0 && index < optionGroup(AllGroups[field]).size()) {
            settings.index(AllGroups[field]) = index;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void changeRuleFollowsTheTable_data();
    void changeRuleFollowsTheTable();
    void keyFiltersFollowTheTable_data();
    void keyFiltersFollowTheTable();
};

void TestDocument::changeRuleFollowsTheTable_data()
{
    QTest::addColumn<QString>("snapshot");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("changed");
    for (const QStringList &row : dataTable(u"changes.txt"_s, 4)) {
        QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3];
    }
}

void TestDocument::changeRuleFollowsTheTable()
{
    QFETCH(QString, snapshot);
    QFETCH(QString, shown);
    QFETCH(QString, changed);
    Settings settings = defaultSettings();
    QVERIFY2(edit(settings, snapshot), qPrintable(u"not a field and value: "_s + snapshot));
    SettingDocument document;
    document.TakeSnapshot(settings);
    QVERIFY2(edit(settings, shown), qPrintable(u"not a field and value: "_s + shown));
    QVERIFY2(changed == u"0"_s || changed == u"1"_s, "changed is 0 or 1");
    QCOMPARE(document.IsDataChanged(settings), changed == u"1"_s);
}

void TestDocument::keyFiltersFollowTheTable_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("result");
    for (const QStringList &row : dataTable(u"keyfilters.txt"_s, 4)) {
        QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3];
    }
}

void TestDocument::keyFiltersFollowTheTable()
{
    QFETCH(QString, filter);
    QFETCH(QString, code);
    QFETCH(QString, result);
    const QStringList filters{u"digit"_s, u"hex"_s};
    bool numbers[2] = {};
    qint16 key = code.toShort(&numbers[0]);
    const qint16 expected = result.toShort(&numbers[1]);
    QVERIFY2(
        filters.contains(filter) && numbers[0] && numbers[1],
        qPrintable(u"not a filter, code and result: "_s + filter + u' ' + code + u' ' + result));
    QCOMPARE((filter == filters[0] ? FilterDigitKey : FilterHexKey)(key), expected);
    QCOMPARE(key, expected);
}

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
