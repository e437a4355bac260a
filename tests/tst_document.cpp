// The document's change rule, as the rows of data/changes.txt give it.
#include "datatable.h"

#include "model/settingdocument.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace
{

// settings with "Field=value" edits, the fields named as in Settings.
Settings edited(Settings settings, const QString &edits)
{
    const QStringList fields{u"Baudrate"_s,      u"BitLength"_s,   u"StopBit"_s,
                             u"Parity"_s,        u"Mode"_s,        u"DeviceFunction"_s,
                             u"StartPosition"_s, u"EndPosition"_s, u"Suffix"_s};
    QString *texts[] = {&settings.StartPosition, &settings.EndPosition, &settings.Suffix};
    for (const QString &edit : edits.split(u' ', Qt::SkipEmptyParts)) {
        const auto field = size_t(fields.indexOf(edit.section(u'=', 0, 0)));
        const QString value = edit.section(u'=', 1);
        if (field < AllGroups.size()) {
            settings.index(AllGroups[field]) = value.toShort();
        } else {
            *texts[field - AllGroups.size()] = value;
        }
    }
    return settings;
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void changeRuleFollowsTheTable();
};

void TestDocument::changeRuleFollowsTheTable()
{
    for (const QStringList &row : dataTable(u"changes.txt"_s)) {
        SettingDocument document;
        document.TakeSnapshot(edited(defaultSettings(), row[1]));
        const Settings shown = edited(document.SavedSettings(), row[2]);
        QVERIFY2(document.IsDataChanged(shown) == (row[3] == u"1"_s), qPrintable(row[0]));
    }
}

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
