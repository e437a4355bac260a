// The setting files under data/settingfiles/ and what the manifest says each gives.
#include "datatable.h"

#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString DataFolder = QStringLiteral(ZEL_TEST_DATA);
const QString ManifestPath = DataFolder + u"/settingfiles.txt"_s;
const QDate WrittenOn(2026, 12, 5);

QString caption(Group group, qint16 index)
{
    return QString::fromLatin1(optionGroup(group).options[index].caption);
}

// One line for what a file sets, in the captions the window shows.
QString summary(const SettingFileContent &content)
{
    QStringList rs232c;
    for (size_t line = 0; content.Rs232c && line < Rs232cGroups.size(); ++line) {
        rs232c << caption(Rs232cGroups[line], (*content.Rs232c)[line]);
    }
    const QString device = content.DeviceFunction
                               ? caption(Group::DeviceFunction, *content.DeviceFunction)
                               : u"-"_s;
    return u"mode=%1 dev=%2 rs=%3 start=\"%4\" end=\"%5\" suffix=\"%6\" flag=%7"_s.arg(
        caption(Group::Mode, content.Mode), device, content.Rs232c ? rs232c.join(u'/') : u"-"_s,
        content.StartPosition, content.EndPosition, content.Suffix, content.barcodeFlag());
}

// The summary, or the message; a refused file must leave content as it was.
QString resultOf(const QString &file, SettingFileContent &content)
{
    const QString before = summary(content);
    const QString error = ReadSettingFile(DataFolder + u"/settingfiles/"_s + file, content);
    if (!error.isEmpty()) {
        return summary(content) == before ? error : u"refused, but changed"_s;
    }
    return summary(content);
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

class TestSettingFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QVERIFY(m_dir.emplace().isValid()); }
    void filesGiveWhatTheManifestSays_data();
    void filesGiveWhatTheManifestSays();
    void flagIsANumber();
    void lineBreakInTheNameStaysInItsLine();
    void failedWriteKeepsTheFormerFile();
    void noRegularFileIsLoadError_data();
    void noRegularFileIsLoadError();

private:
    std::optional<QTemporaryDir> m_dir;
};

// With ZEL_UPDATE_REFERENCES set, the manifest takes what the program gives now.
void TestSettingFiles::initTestCase()
{
    if (!qEnvironmentVariableIsSet("ZEL_UPDATE_REFERENCES")) {
        return;
    }
    QString text;
    for (const QString &line : QString::fromUtf8(contentsOf(ManifestPath)).split(u'\n')) {
        SettingFileContent content;
        const QString file = line.section(u' ', 0, 0);
        text += line.startsWith(u'#') ? line + u'\n'
                : line.isEmpty()      ? QString()
                                      : line.section(u" | "_s, 0, 1) + u" | "_s +
                                       resultOf(file, content) + u'\n';
    }
    writeAll(ManifestPath, text.toUtf8());
}

void TestSettingFiles::filesGiveWhatTheManifestSays_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("written"); // writing what it sets gives the same bytes
    for (const QStringList &entry : dataTable(u"settingfiles.txt"_s)) {
        QTest::newRow(qPrintable(entry[0])) << entry[2] << (entry[1] == u"<->"_s);
    }
}

void TestSettingFiles::filesGiveWhatTheManifestSays()
{
    QFETCH(QString, result);
    QFETCH(bool, written);
    const QString file = QString::fromLatin1(QTest::currentDataTag());
    SettingFileContent content;
    content.StartPosition = u"before"_s;
    QCOMPARE(resultOf(file, content), result);
    if (written) {
        Settings settings = defaultSettings();
        content.applyTo(settings);
        const QString path = m_dir->filePath(file);
        writeAll(path, QByteArray(4096, 'x'));
        QCOMPARE(WriteSettingFile(path, settings, content.barcodeFlag(), WrittenOn), QString());
        QCOMPARE(contentsOf(path), contentsOf(DataFolder + u"/settingfiles/"_s + file));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{file});
    }
}

// The stored flag is text; the section is written where it reads as the number 1.
void TestSettingFiles::flagIsANumber()
{
    const QString path = m_dir->filePath(u"flag.zel"_s);
    QString sections; // 1: written, 0: left out, !: the save error
    for (const char *flag : {" 1", "01", "1.0", "+1", "2", "-1", "0.5", "00", "", "x", "1x"}) {
        const QString error =
            WriteSettingFile(path, defaultSettings(), QString::fromLatin1(flag), WrittenOn);
        const bool section = contentsOf(path).contains("[RS-232C]");
        sections += QLatin1Char(error == SaveError ? '!' : !error.isEmpty() ? '?' : section ? '1' : '0');
    }
    QCOMPARE(sections, u"11110000!!!"_s);
}

void TestSettingFiles::lineBreakInTheNameStaysInItsLine()
{
    const QString path = m_dir->filePath(u"a\r[MODE]\nb.zel"_s);
    QCOMPARE(WriteSettingFile(path, defaultSettings(), u"0"_s, WrittenOn), QString());
    QVERIFY(contentsOf(path).startsWith("// a?[MODE]?b.zel\r\n// 2026.12.05\r\n[MODE]\r\n"));
}

// A file-size limit stands in for a full disk.
void TestSettingFiles::failedWriteKeepsTheFormerFile()
{
    const QString path = m_dir->filePath(u"full.zel"_s);
    writeAll(path, "former");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tiny{16, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tiny);
    const QString error = WriteSettingFile(path, defaultSettings(), u"1"_s, WrittenOn);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    QCOMPARE(error, SaveError);
    QCOMPARE(contentsOf(path), QByteArray("former"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"full.zel"_s});
}

void TestSettingFiles::noRegularFileIsLoadError_data()
{
    QTest::addColumn<QString>("path"); // in the test's folder, which holds a FIFO and a link
    for (const char *path : {"missing.zel", "", "fifo", "/dev/zero", "link-to-zero"}) {
        QTest::newRow(*path ? path : "a folder") << QString::fromLatin1(path);
    }
}

// A FIFO or a device that blocked the open or never ended would hang here.
void TestSettingFiles::noRegularFileIsLoadError()
{
    QFETCH(QString, path);
    QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath(u"fifo"_s)).constData(), 0600), 0);
    QVERIFY(QFile::link(u"/dev/zero"_s, m_dir->filePath(u"link-to-zero"_s)));
    SettingFileContent content;
    QCOMPARE(ReadSettingFile(QDir(m_dir->path()).filePath(path), content), LoadError);
}

QTEST_GUILESS_MAIN(TestSettingFiles)
#include "tst_settingfiles.moc"
