#include "settingfile/settingfilewriter.h"

#include "app/pathhelpers.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QDate Today(2026, 12, 5);

Settings exampleSettings()
{
    Settings settings = defaultSettings();
    settings.Mode = ModeSelect;
    settings.DeviceFunction = 5; // Copy
    settings.StartPosition = QStringLiteral("3");
    settings.EndPosition = QStringLiteral("12");
    settings.Suffix = QStringLiteral("0D");
    return settings;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestSettingFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void exampleFileByteForByte();
    void linesFollowModeAndFlag_data();
    void linesFollowModeAndFlag();
    void replacesLongerFormerFile();
    void lineBreakInNameStaysInItsLine();
    void failureLeavesFormerFile_data();
    void failureLeavesFormerFile();
    void fullDiskLeavesFormerFile();

private:
    QStringList entries() const { return QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries); }
    QString pathOf(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingFileWriter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSettingFileWriter::exampleFileByteForByte()
{
    const QString path = pathOf(QStringLiteral("line1.zel"));
    QCOMPARE(WriteSettingFile(path, exampleSettings(), QStringLiteral("1"), Today), QString());
    QCOMPARE(readAll(path), QByteArray("// line1.zel\r\n// 2026.12.05\r\n[MODE]\r\nSELECT/COPY\r\n"
                                       "[RS-232C]\r\nBAUD=9600\r\nBIT=8\r\nSTOP=1\r\nPARTY=NONE\r\n"
                                       "[SETTING]\r\nSTART=3\r\nEND=12\r\nSUFFIX=0x0D\r\n[END]\r\n"));
}

using Edit = void (*)(Settings &);
Q_DECLARE_METATYPE(Edit)

void TestSettingFileWriter::linesFollowModeAndFlag_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("barcodeFlag");
    QTest::addColumn<QString>("lines"); // from the [MODE] line on, joined by '|'

    const Edit none = [](Settings &) {};
    const Edit original = [](Settings &s) { s.Mode = ModeOriginalFormat; };
    const Edit script = [](Settings &s) { s.Mode = ModeScript; };
    const Edit selectNone = [](Settings &s) { s.DeviceFunction = 0; };
    const Edit program = [](Settings &s) { s.DeviceFunction = 6; };
    const Edit emptyTexts = [](Settings &s) {
        s.StartPosition.clear();
        s.EndPosition.clear();
        s.Suffix.clear();
    };
    const Edit onlyEnd = [](Settings &s) {
        s.StartPosition.clear();
        s.Suffix.clear();
    };
    const Edit lastOptions = [](Settings &s) {
        s.Baudrate = 7;
        s.BitLength = 0;
        s.StopBit = 1;
        s.Parity = 2;
        s.Mode = ModeOriginalFormat;
    };
    const Edit typedAsIs = [](Settings &s) {
        s.StartPosition = QStringLiteral("0007");
        s.Suffix = QStringLiteral("d");
    };
    const QString setting = QStringLiteral("[SETTING]|START=3|END=12|SUFFIX=0x0D|[END]");
    const QString rs232c = QStringLiteral("[RS-232C]|BAUD=9600|BIT=8|STOP=1|PARTY=NONE|");

    QTest::newRow("original, flag 0") << original << "0" << "[MODE]|ORIGINAL|[END]";
    QTest::newRow("original keeps the section with flag 1")
        << original << "1" << "[MODE]|ORIGINAL|" + rs232c + "[END]";
    QTest::newRow("script writes no device function")
        << script << "0" << "[MODE]|SCRIPT|" + setting;
    QTest::newRow("select NONE is plain") << selectNone << "0" << "[MODE]|SELECT|" + setting;
    QTest::newRow("select program") << program << "0" << "[MODE]|SELECT/PROGRAM|" + setting;
    QTest::newRow("empty texts") << emptyTexts << "0" << "[MODE]|SELECT/COPY|[SETTING]|[END]";
    QTest::newRow("only end") << onlyEnd << "0" << "[MODE]|SELECT/COPY|[SETTING]|END=12|[END]";
    QTest::newRow("last option of every group") << lastOptions << "1"
        << "[MODE]|ORIGINAL|[RS-232C]|BAUD=115200|BIT=7|STOP=2|PARTY=EVEN|[END]";
    QTest::newRow("texts as typed")
        << typedAsIs << "0" << "[MODE]|SELECT/COPY|[SETTING]|START=0007|END=12|SUFFIX=0xd|[END]";
    for (const char *one : {" 1", "01", "1.0", "+1", "1 "}) {
        QTest::newRow(qPrintable(QStringLiteral("flag '%1' is 1").arg(QLatin1String(one))))
            << original << one << "[MODE]|ORIGINAL|" + rs232c + "[END]";
    }
    for (const char *other : {"2", "-1", "0.5", "00", "0.99"}) {
        QTest::newRow(qPrintable(QStringLiteral("flag '%1' is not 1").arg(QLatin1String(other))))
            << original << other << "[MODE]|ORIGINAL|[END]";
    }
    QTest::newRow("example") << none << "1" << "[MODE]|SELECT/COPY|" + rs232c + setting;
}

void TestSettingFileWriter::linesFollowModeAndFlag()
{
    QFETCH(Edit, edit);
    QFETCH(QString, barcodeFlag);
    QFETCH(QString, lines);

    Settings settings = exampleSettings();
    edit(settings);
    const QString path = pathOf(QStringLiteral("my file.ZEL"));
    QCOMPARE(WriteSettingFile(path, settings, barcodeFlag, Today), QString());
    const QByteArray expected = "// my file.ZEL\r\n// 2026.12.05\r\n" +
                                lines.toLatin1().replace('|', "\r\n") + "\r\n";
    QCOMPARE(readAll(path), expected);
}

void TestSettingFileWriter::replacesLongerFormerFile()
{
    const QString path = pathOf(QStringLiteral("a.zel"));
    writeAll(path, QByteArray(4096, 'x'));
    Settings settings = exampleSettings();
    settings.Mode = ModeOriginalFormat;
    QCOMPARE(WriteSettingFile(path, settings, QStringLiteral("0"), Today), QString());
    QCOMPARE(readAll(path), QByteArray("// a.zel\r\n// 2026.12.05\r\n[MODE]\r\nORIGINAL\r\n[END]\r\n"));
    QCOMPARE(entries(), QStringList{QStringLiteral("a.zel")});
}

void TestSettingFileWriter::lineBreakInNameStaysInItsLine()
{
    const QString path = pathOf(QStringLiteral("a\r[MODE]\rSCRIPT\r[END]\n.zel"));
    Settings settings = exampleSettings();
    settings.Mode = ModeOriginalFormat;
    QCOMPARE(WriteSettingFile(path, settings, QStringLiteral("0"), Today), QString());
    QCOMPARE(readAll(path), QByteArray("// a?[MODE]?SCRIPT?[END]?.zel\r\n// 2026.12.05\r\n[MODE]\r\n"
                                       "ORIGINAL\r\n[END]\r\n"));
}

void TestSettingFileWriter::failureLeavesFormerFile_data()
{
    QTest::addColumn<QString>("target"); // relative to the folder; "" for the folder itself
    QTest::addColumn<QString>("barcodeFlag");
    QTest::addColumn<QString>("error");

    const QString sep = QDir::separator();
    QTest::newRow("no separator") << "<bare>" << "1" << FilePathError;
    QTest::newRow("trailing separator") << "sub" + sep << "1" << FilePathError;
    QTest::newRow("missing folder") << "missing" + sep + "a.zel" << "1" << SaveError;
    QTest::newRow("folder in place of the file") << "sub" << "1" << SaveError;
    QTest::newRow("path through a regular file") << "former.zel" + sep + "a.zel" << "1" << SaveError;
    QTest::newRow("empty flag") << "former.zel" << "" << SaveError;
    QTest::newRow("flag is no number") << "former.zel" << "x" << SaveError;
    QTest::newRow("flag with trailing text") << "former.zel" << "1x" << SaveError;
}

void TestSettingFileWriter::failureLeavesFormerFile()
{
    QFETCH(QString, target);
    QFETCH(QString, barcodeFlag);
    QFETCH(QString, error);

    const QByteArray former = "former content\r\n";
    writeAll(pathOf(QStringLiteral("former.zel")), former);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("sub")));
    const QStringList before = entries();

    const QString path = target == QLatin1String("<bare>") ? QStringLiteral("a.zel")
                                                           : QDir::toNativeSeparators(pathOf(target));
    QCOMPARE(WriteSettingFile(path, exampleSettings(), barcodeFlag, Today), error);
    QCOMPARE(readAll(pathOf(QStringLiteral("former.zel"))), former);
    QCOMPARE(entries(), before);
    QVERIFY(QDir(pathOf(QStringLiteral("sub"))).isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("a.zel")));
}

// A file-size limit in a child process stands in for a full disk: the write fails with EFBIG
// once the limit is reached, and the former file must survive it.
void TestSettingFileWriter::fullDiskLeavesFormerFile()
{
    const QString path = pathOf(QStringLiteral("full.zel"));
    const QByteArray former = "former content that must survive\r\n";
    writeAll(path, former);

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        const QString result = WriteSettingFile(path, exampleSettings(), QStringLiteral("1"), Today);
        _exit(result == SaveError ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readAll(path), former);
    QCOMPARE(entries(), QStringList{QStringLiteral("full.zel")});
}

QTEST_GUILESS_MAIN(TestSettingFileWriter)
#include "tst_settingfilewriter.moc"
