// The setting files under data/settingfiles/ give what data/settingfiles.txt says, read and,
// where marked, written. ZEL_UPDATE_REFERENCES=1 rewrites the results from what they give now.
#include "datatable.h"

#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace
{

const QString Files = QStringLiteral(ZEL_TEST_DATA "/settingfiles/");
const QDate WrittenOn(2026, 12, 5);

QString caption(Group group, qint16 index)
{
    return QString::fromLatin1(optionGroup(group).options[index].caption);
}

// What a file sets, in the window's captions, or the message; a refused file changes nothing.
QString resultOf(const QString &file, SettingFileContent &content)
{
    content.StartPosition = u"before"_s;
    if (const QString error = ReadSettingFile(Files + file, content); !error.isEmpty()) {
        return content.StartPosition == u"before"_s ? error : u"refused, but changed"_s;
    }
    QStringList rs232c;
    for (size_t line = 0; content.Rs232c && line < Rs232cGroups.size(); ++line) {
        rs232c << caption(Rs232cGroups[line], (*content.Rs232c)[line]);
    }
    const auto device = content.DeviceFunction;
    return u"mode=%1 dev=%2 rs=%3 start=\"%4\" end=\"%5\" suffix=\"%6\" flag=%7"_s.arg(
        caption(Group::Mode, content.Mode),
        device ? caption(Group::DeviceFunction, *device) : u"-"_s,
        content.Rs232c ? rs232c.join(u'/') : u"-"_s, content.StartPosition, content.EndPosition,
        content.Suffix, content.barcodeFlag());
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
    void init() { QVERIFY(m_dir.emplace().isValid()); }
    void filesGiveWhatTheManifestSays_data();
    void filesGiveWhatTheManifestSays();
    void flagIsANumber();
    void lineBreakInTheNameStaysInItsLine();
    void failedWriteKeepsTheFormerFile();
    void noRegularFileIsLoadError();

private:
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); }

    std::optional<QTemporaryDir> m_dir;
};

void TestSettingFiles::filesGiveWhatTheManifestSays_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("written"); // writing what the file sets gives the same bytes
    const QString manifest = Files + u"../settingfiles.txt"_s;
    const bool update = qEnvironmentVariableIsSet("ZEL_UPDATE_REFERENCES");
    QString updated;
    for (const QString &line : QString::fromUtf8(contentsOf(manifest)).split(u'\n')) {
        updated += line.startsWith(u'#') ? line + u'\n' : QString();
    }
    for (const QStringList &entry : dataTable(u"settingfiles.txt"_s)) {
        SettingFileContent content;
        const QString result = update ? resultOf(entry[0], content) : entry[2];
        QTest::newRow(qPrintable(entry[0])) << result << (entry[1] == u"<->"_s);
        updated += entry[0] + u" | "_s + entry[1] + u" | "_s + result + u'\n';
    }
    if (update) {
        writeAll(manifest, updated.toUtf8());
    }
}

void TestSettingFiles::filesGiveWhatTheManifestSays()
{
    QFETCH(QString, result);
    QFETCH(bool, written);
    const QString file = QString::fromLatin1(QTest::currentDataTag());
    SettingFileContent content;
    QCOMPARE(resultOf(file, content), result);
    if (written) {
        Settings settings = defaultSettings();
        content.applyTo(settings);
        const QString path = m_dir->filePath(file);
        writeAll(path, QByteArray(4096, 'x'));
        QCOMPARE(WriteSettingFile(path, settings, content.barcodeFlag(), WrittenOn), QString());
        QCOMPARE(contentsOf(path), contentsOf(Files + file));
        QCOMPARE(files(), QStringList{file});
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
        sections += QLatin1Char(error == SaveError ? '!'
                                : !error.isEmpty() ? '?'
                                : section          ? '1'
                                                   : '0');
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
    QCOMPARE(files(), QStringList{u"full.zel"_s});
}

// A FIFO or a device that blocked the open or never ended would hang here.
void TestSettingFiles::noRegularFileIsLoadError()
{
    QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath(u"fifo"_s)).constData(), 0600), 0);
    QVERIFY(QFile::link(u"/dev/zero"_s, m_dir->filePath(u"link-to-zero"_s)));
    for (const char *path : {"missing.zel", "", "fifo", "/dev/zero", "link-to-zero"}) {
        SettingFileContent content;
        QVERIFY2(ReadSettingFile(QDir(m_dir->path()).filePath(QLatin1String(path)), content) ==
                     LoadError,
                 path);
    }
}

QTEST_GUILESS_MAIN(TestSettingFiles)
#include "tst_settingfiles.moc"
