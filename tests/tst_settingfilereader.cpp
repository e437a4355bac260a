#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QtTest>

namespace {

// A compact picture of what a file sets: the mode, the device function and the RS-232C indices
// it carries ("-" where it carries none), the three texts and the barcode flag.
QString summary(const SettingFileContent &content)
{
    QStringList rs232c;
    for (qint16 index : content.Rs232c.value_or(std::array<qint16, 4>{})) {
        rs232c << QString::number(index);
    }
    return QStringLiteral("mode=%1 dev=%2 rs=%3 start=%4 end=%5 suffix=%6 flag=%7")
        .arg(content.Mode)
        .arg(content.DeviceFunction ? QString::number(*content.DeviceFunction) : QStringLiteral("-"))
        .arg(content.Rs232c ? rs232c.join(u'/') : QStringLiteral("-"), content.StartPosition,
             content.EndPosition, content.Suffix, content.barcodeFlag());
}

QString script(const QString &settingLines)
{
    return QStringLiteral("[MODE]|SCRIPT|[SETTING]|") + settingLines + QStringLiteral("|[END]");
}

} // namespace

class TestSettingFileReader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void reads_data();
    void reads();
    void unreadablePathIsLoadError_data();
    void unreadablePathIsLoadError();
    void rejectedFileLeavesContentUntouched();
    void writtenFileReadsBack_data();
    void writtenFileReadsBack();

private:
    QString fileWith(const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingFileReader::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestSettingFileReader::fileWith(const QByteArray &bytes)
{
    const QString path = m_dir->filePath(QStringLiteral("test.zel"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write the test file");
    }
    return path;
}

void TestSettingFileReader::reads_data()
{
    QTest::addColumn<QString>("lines"); // '|' stands for CR LF, '~' for a lone CR
    QTest::addColumn<QString>("expected"); // the summary, or the error text

    const QString fmt = FormatError;
    const QString rs = QStringLiteral("[RS-232C]|BAUD=9600|BIT=8|STOP=1|PARTY=NONE|");
    const QString scriptEmpty = QStringLiteral("mode=0 dev=- rs=- start=%1 end= suffix=%2 flag=0");

    // Structure
    QTest::newRow("example") << "// line1.zel|// 2026.12.05|[MODE]|SELECT/COPY|" + rs +
                                    "[SETTING]|START=3|END=12|SUFFIX=0x0D|[END]|"
                             << "mode=2 dev=5 rs=2/1/0/0 start=3 end=12 suffix=0D flag=1";
    QTest::newRow("smallest file") << "[MODE]|SCRIPT|[END]"
                                   << "mode=0 dev=- rs=- start= end= suffix= flag=0";
    QTest::newRow("lone CR ends lines") << "[MODE]~ORIGINAL~[END]~"
                                        << "mode=1 dev=- rs=- start= end= suffix= flag=0";
    QTest::newRow("lone LF does not") << "[MODE]\nSCRIPT\n[END]\n" << fmt;
    QTest::newRow("empty file") << "" << fmt;
    QTest::newRow("no [MODE]") << "SCRIPT|[END]|" << fmt;
    QTest::newRow("ends after [MODE]") << "[MODE]|" << fmt;
    QTest::newRow("ends after the mode line") << "[MODE]|SCRIPT|" << fmt;
    QTest::newRow("ends inside RS-232C") << "[MODE]|SCRIPT|[RS-232C]|BAUD=9600|BIT=8|" << fmt;
    QTest::newRow("ends inside [SETTING]") << "[MODE]|SCRIPT|[SETTING]|START=1|" << fmt;
    QTest::newRow("lower and mixed case")
        << "[mode]|Select/Copy|[rs-232c]|baud=4800|Bit=7|stop=2|party=odd|[setting]|start=5|[End]"
        << "mode=2 dev=5 rs=1/0/1/1 start=5 end= suffix= flag=1";
    QTest::newRow("header with a blank is skipped") << " [MODE]|SCRIPT|[END]" << fmt;
    QTest::newRow("mode token with a trailing blank") << "[MODE]|SCRIPT |[END]" << fmt;
    QTest::newRow("unknown mode token") << "[MODE]|SELECT/|[END]" << fmt;
    QTest::newRow("select without device") << "[MODE]|SELECT|[END]"
                                           << "mode=2 dev=0 rs=- start= end= suffix= flag=0";
    QTest::newRow("blank after BAUD=")
        << "[MODE]|SCRIPT|[RS-232C]|BAUD= 9600|BIT=8|STOP=1|PARTY=NONE|[END]" << fmt;
    QTest::newRow("RS-232C lines out of order")
        << "[MODE]|SCRIPT|[RS-232C]|BIT=8|BAUD=9600|STOP=1|PARTY=NONE|[END]" << fmt;
    QTest::newRow("PARITY= is not the key")
        << "[MODE]|SCRIPT|[RS-232C]|BAUD=9600|BIT=8|STOP=1|PARITY=NONE|[END]" << fmt;
    QTest::newRow("anything between sections is skipped")
        << "[MODE]|SCRIPT|// note||BAUD=300|[MODE]|[END]"
        << "mode=0 dev=- rs=- start= end= suffix= flag=0";
    QTest::newRow("second RS-232C section wins")
        << "[MODE]|SCRIPT|" + rs + "[RS-232C]|BAUD=115200|BIT=7|STOP=2|PARTY=EVEN|[END]"
        << "mode=0 dev=- rs=7/0/1/2 start= end= suffix= flag=1";
    QTest::newRow("blank line in [SETTING]") << script(QStringLiteral("START=1|")) << fmt;
    QTest::newRow("comment in [SETTING]") << script(QStringLiteral("// x")) << fmt;
    QTest::newRow("nothing after [END] is read") << "[MODE]|SCRIPT|[END]|\xff\x00garbage|[SETTING]"
                                                 << scriptEmpty.arg(QString(), QString());
    QTest::newRow("[SETTING] of an ORIGINAL file")
        << "[MODE]|ORIGINAL|[SETTING]|START=2|[END]"
        << "mode=1 dev=- rs=- start=2 end= suffix= flag=0";
    QTest::newRow("NUL bytes before [MODE]") << QString::fromLatin1("a\0b|", 4) + "[MODE]|SCRIPT|[END]"
                                             << scriptEmpty.arg(QString(), QString());

    // Start and end values
    const auto start = [&](const char *value, const char *loaded) {
        QTest::newRow(qPrintable(QStringLiteral("START=%1").arg(QLatin1String(value))))
            << script(QStringLiteral("START=") + QLatin1String(value))
            << (loaded ? scriptEmpty.arg(QLatin1String(loaded), QString()) : fmt);
    };
    start("0x1F", "31");
    start("0x", "0");
    start("0xff", "255");
    start("0x 1 F", "31");
    start("0x1Fz9", "31");
    start("0x270F", "9999");
    start("0x2710", nullptr); // 10000 has five digits
    start("0xFFFFFFFFFFFFFFFFFFFF", nullptr);
    start("0X1F", nullptr);
    start("12345", nullptr);
    start("", "");
    start("0012", "0012");
    start("-5", "-5");
    start("2.5", "2.5");
    start(" 7 ", " 7 ");
    start("1a", nullptr);
    start("x", nullptr);
    start(".", nullptr);
    start("%", nullptr);
    QTest::newRow("later START wins") << script(QStringLiteral("START=1|START=2"))
                                      << scriptEmpty.arg(QStringLiteral("2"), QString());
    QTest::newRow("END= value") << script(QStringLiteral("END=0x10"))
                                << "mode=0 dev=- rs=- start= end=16 suffix= flag=0";

    // Suffix values
    const auto suffix = [&](const char *value, const char *loaded) {
        QTest::newRow(qPrintable(QStringLiteral("SUFFIX=%1").arg(QLatin1String(value))))
            << script(QStringLiteral("SUFFIX=") + QLatin1String(value))
            << (loaded ? scriptEmpty.arg(QString(), QLatin1String(loaded)) : fmt);
    };
    suffix("0x0D", "0D");
    suffix("0xd", "d");
    suffix("0x", "");
    suffix("0x123", nullptr);
    suffix("0xZZ", nullptr);
    suffix("0x'", nullptr);
    suffix("'A'", "41");
    suffix("' '", "20");
    suffix("'AB'", nullptr);
    suffix("'", nullptr);
    suffix("13", "D");
    suffix("99", "63");
    suffix("A", "0");
    suffix("", "0");
    suffix("123", nullptr);
    suffix("-1", nullptr);
    suffix(".5", "0");
    suffix("%", "0");
}

void TestSettingFileReader::reads()
{
    QFETCH(QString, lines);
    QFETCH(QString, expected);

    const QByteArray bytes = lines.toLatin1().replace('|', "\r\n").replace('~', "\r");
    SettingFileContent content;
    const QString error = ReadSettingFile(fileWith(bytes), content);
    QCOMPARE(error.isEmpty() ? summary(content) : error, expected);
}

void TestSettingFileReader::unreadablePathIsLoadError_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << QStringLiteral("missing.zel");
    QTest::newRow("missing folder") << QStringLiteral("missing/a.zel");
    QTest::newRow("a folder") << QString();
}

void TestSettingFileReader::unreadablePathIsLoadError()
{
    QFETCH(QString, path);
    SettingFileContent content;
    QCOMPARE(ReadSettingFile(m_dir->filePath(path), content), LoadError);
}

void TestSettingFileReader::rejectedFileLeavesContentUntouched()
{
    SettingFileContent content;
    content.Mode = ModeSelect;
    content.StartPosition = QStringLiteral("7");
    const QString before = summary(content);
    // Mode, RS-232C and start are sound; only the suffix is not.
    const QByteArray bytes = "[MODE]\r\nSCRIPT\r\n[RS-232C]\r\nBAUD=2400\r\nBIT=7\r\nSTOP=2\r\n"
                             "PARTY=ODD\r\n[SETTING]\r\nSTART=1\r\nSUFFIX=0xZZ\r\n[END]\r\n";
    QCOMPARE(ReadSettingFile(fileWith(bytes), content), FormatError);
    QCOMPARE(summary(content), before);
}

void TestSettingFileReader::writtenFileReadsBack_data()
{
    QTest::addColumn<QString>("barcodeFlag");
    QTest::newRow("flag 0") << QStringLiteral("0");
    QTest::newRow("flag 1") << QStringLiteral("1");
}

// Whatever the window lets an operator enter is written and read back unchanged, apart from
// what the file does not carry in that mode.
void TestSettingFileReader::writtenFileReadsBack()
{
    QFETCH(QString, barcodeFlag);

    QRandomGenerator random(20261205);
    const auto randomSettings = [&random] {
        const auto text = [&random](int maxLength, const char *alphabet) {
            QString value;
            const int length = random.bounded(maxLength + 1);
            for (int i = 0; i < length; ++i) {
                value += QLatin1Char(alphabet[random.bounded(int(qstrlen(alphabet)))]);
            }
            return value;
        };
        Settings settings;
        for (Group group : AllGroups) {
            settings.index(group) = qint16(random.bounded(int(optionGroup(group).size())));
        }
        settings.StartPosition = text(PositionMaxLength, "0123456789");
        settings.EndPosition = text(PositionMaxLength, "0123456789");
        settings.Suffix = text(SuffixMaxLength, "0123456789ABCDEF");
        return settings;
    };

    const QString path = m_dir->filePath(QStringLiteral("round.zel"));
    for (int run = 0; run < 300; ++run) {
        const Settings written = randomSettings();
        const Settings before = randomSettings();
        QCOMPARE(WriteSettingFile(path, written, barcodeFlag, QDate(2026, 1, 2)), QString());
        SettingFileContent content;
        QCOMPARE(ReadSettingFile(path, content), QString());

        Settings expected = written;
        if (!usesDeviceFunction(written.Mode)) {
            expected.DeviceFunction = before.DeviceFunction;
        }
        if (!usesPickUpPosition(written.Mode)) {
            expected.StartPosition = expected.EndPosition = expected.Suffix = QString();
        }
        if (barcodeFlag == QLatin1String("0")) {
            for (Group group : Rs232cGroups) {
                expected.index(group) = before.index(group);
            }
        }
        Settings read = before;
        content.applyTo(read);
        QVERIFY2(read == expected, qPrintable(QStringLiteral("run %1").arg(run)));
        QCOMPARE(content.barcodeFlag(), barcodeFlag);
    }
}

QTEST_GUILESS_MAIN(TestSettingFileReader)
#include "tst_settingfilereader.moc"
