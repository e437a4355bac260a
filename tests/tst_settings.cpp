#include "model/settings.h"

#include <QtTest>

// Which edits count as a change depends on the mode the window is in.
class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void defaultsComeFromTheTables();
    void changeRule_data();
    void changeRule();
};

void TestSettings::defaultsComeFromTheTables()
{
    const Settings defaults = defaultSettings();
    const auto caption = [&](Group group) {
        return QString::fromLatin1(optionGroup(group).options[defaults.index(group)].caption);
    };
    QCOMPARE(caption(Group::Baudrate), QStringLiteral("9600"));
    QCOMPARE(caption(Group::BitLength), QStringLiteral("8"));
    QCOMPARE(caption(Group::StopBit), QStringLiteral("1"));
    QCOMPARE(caption(Group::Parity), QStringLiteral("NONE"));
    QCOMPARE(caption(Group::Mode), QStringLiteral("Script"));
    QCOMPARE(caption(Group::DeviceFunction), QStringLiteral("EPR"));
    QCOMPARE(defaults.StartPosition, QStringLiteral("1"));
    QCOMPARE(defaults.EndPosition, QStringLiteral("1"));
    QVERIFY(defaults.Suffix.isEmpty());
}

using Edit = void (*)(Settings &);
Q_DECLARE_METATYPE(Edit)

void TestSettings::changeRule_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<bool>("changed");

    const Edit baudrate = [](Settings &s) { s.Baudrate = 7; };
    const Edit parity = [](Settings &s) { s.Parity = 2; };
    const Edit mode = [](Settings &s) { s.Mode = ModeSelect; };
    const Edit start = [](Settings &s) { s.StartPosition = QStringLiteral("01"); };
    const Edit suffixCase = [](Settings &s) { s.Suffix = QStringLiteral("0d"); };
    const Edit device = [](Settings &s) { s.DeviceFunction = 6; };
    const Edit nothing = [](Settings &) {};

    for (int m : {ModeScript, ModeOriginalFormat, ModeSelect}) {
        const QByteArray name = optionGroup(Group::Mode).options[m].caption;
        const bool texts = m != ModeOriginalFormat;
        QTest::newRow(name + ": nothing") << m << nothing << false;
        QTest::newRow(name + ": baud rate") << m << baudrate << true;
        QTest::newRow(name + ": parity") << m << parity << true;
        QTest::newRow(name + ": start 1 to 01") << m << start << texts;
        QTest::newRow(name + ": suffix case only") << m << suffixCase << texts;
        QTest::newRow(name + ": device function") << m << device << (m == ModeSelect);
    }
    QTest::newRow("mode itself") << int(ModeScript) << mode << true;
}

void TestSettings::changeRule()
{
    QFETCH(int, mode);
    QFETCH(Edit, edit);
    QFETCH(bool, changed);

    Settings saved = defaultSettings();
    saved.Mode = qint16(mode);
    saved.Suffix = QStringLiteral("0D");
    Settings current = saved;
    edit(current);
    QCOMPARE(IsDataChanged(current, saved), changed);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
