// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

// The setting files under data/settingfiles/ give what data/settingfiles.txt says, read and,
// where marked, written. ZEL_UPDATE_REFERENCES=1 rewrites the results from what they give now.
#include "datatable.h"

#include "model/pathhelpers.h"
#include "settingfile/messages.h"
#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QtTest>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace
{

const QString Files = QStringLiteral(ZEL_TEST_DATA "/settingfiles/");
const QDate WrittenOn(2026, 12, 5);

// What a file sets, in the window's captions, or the message; a refused file changes nothing.
QString resultOf(const QString &file, SettingFileContent &content)
{
    content.StartPosition = u"before"_s;
    const QString path = file.startsWith(u'/') ? file : Files + file;
    if (const ReadProblem problem = ReadSettingFile(path, content)) {
        // A format error says where; a load error's reason is the system's, in its language.
        // The line it quotes is in the system's 8-bit code page: its bytes are shown as UTF-8.
        const QString error = ErrorMessageOf(path, problem).message;
        const QString reason = QString::fromUtf8(ReasonWithLineOf(problem).toLocal8Bit());
        const QString shown =
            problem.kind() == ReadProblem::Kind::FormatFault ? error + u": "_s + reason : error;
        return content.StartPosition == u"before"_s ? shown : u"refused, but changed"_s;
    }
    const auto caption = [](Group group, qint16 index) {
        return QString::fromLatin1(optionGroup(group).options[index].caption);
    };
    QStringList rs232c;
    for (size_t line = 0; content.Rs232c && line < Rs232cGroups.size(); ++line) {
        rs232c << caption(Rs232cGroups[line], (*content.Rs232c)[line]);
    }
    return u"mode=%1 dev=%2 rs=%3 start=\"%4\" end=\"%5\" suffix=\"%6\" flag=%7"_s.arg(
        caption(Group::Mode, content.Mode),
        content.DeviceFunction ? caption(Group::DeviceFunction, *content.DeviceFunction) : u"-"_s,
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
    void fuzzerRulesHold();
    void pathsSplitAsTheTableSays();
    void namesPrintAsTheTableSays();

private:
    QStringList files() const { return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden); }

    std::optional<QTemporaryDir> m_dir;
};

void TestSettingFiles::filesGiveWhatTheManifestSays_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<qsizetype>("written"); // 1: writing what it sets gives the same bytes
    const bool update = qEnvironmentVariableIsSet("ZEL_UPDATE_REFERENCES");
    QString manifest = QString::fromUtf8(contentsOf(Files + u"../settingfiles.txt"_s));
    for (QStringList entry : dataTable(u"settingfiles.txt"_s, 3)) {
        const QString line = u'\n' + entry.join(u" | "_s) + u'\n';
        SettingFileContent content;
        entry[2] = update ? resultOf(entry[0], content) : entry[2];
        manifest.replace(line, u'\n' + entry.join(u" | "_s) + u'\n');
        const qsizetype written = QStringList{u"->"_s, u"<->"_s}.indexOf(entry[1]);
        QTest::newRow(qPrintable(entry[0])) << entry[2] << written;
    }
    if (update) {
        writeAll(Files + u"../settingfiles.txt"_s, manifest.toUtf8());
    }
}

void TestSettingFiles::filesGiveWhatTheManifestSays()
{
    QFETCH(QString, result);
    QFETCH(qsizetype, written);
    QVERIFY2(written >= 0, "the second cell is neither -> nor <->");
    const QString file = QString::fromLatin1(QTest::currentDataTag());
    if (file.startsWith(u"/dev/"_s) && QSysInfo::kernelType() == u"winnt"_s) {
        QSKIP("Windows has no such device; Wine would read the Unix one as a file");
    }
    if (file.startsWith(u"utf-8-"_s) && QSysInfo::kernelType() == u"winnt"_s) {
        QSKIP("bytes that only UTF-8, Linux's code page, reads as a control character");
    }
    SettingFileContent content;
    QCOMPARE(resultOf(file, content), result);
    if (written) {
        Settings settings = defaultSettings();
        content.applyTo(settings);
        const QString path = m_dir->filePath(file);
        writeAll(path, QByteArray(4096, 'x'));
        QVERIFY(WriteSettingFile(path, settings, content.barcodeFlag(), WrittenOn).saved());
        QCOMPARE(contentsOf(path), contentsOf(Files + file));
        QCOMPARE(files(), QStringList{file});
    }
}

// The stored flag is text; the section is written where it reads as the number 1.
void TestSettingFiles::flagIsANumber()
{
    const QString path = m_dir->filePath(u"flag.zel"_s);
    QString sections; // 1: written, 0: left out, !: refused as no number
    for (const char *flag : {" 1", "01", "1.0", "+1", "2", "-1", "0.5", "00", "", "x", "1x"}) {
        const WriteResult result =
            WriteSettingFile(path, defaultSettings(), QString::fromLatin1(flag), WrittenOn);
        const bool section = contentsOf(path).contains("[RS-232C]");
        sections += QLatin1Char(result.reason == WriteResult::Reason::FlagNotANumber ? '!'
                                : !result.saved()                                    ? '?'
                                : section                                            ? '1'
                                                                                     : '0');
    }
    QCOMPARE(sections, u"11110000!!!"_s);
}

void TestSettingFiles::lineBreakInTheNameStaysInItsLine()
{
    if (QSysInfo::kernelType() == u"winnt"_s) {
        QSKIP("Windows file names hold no line break");
    }
    const QString path = m_dir->filePath(u"a\r[MODE]\nb.zel"_s);
    QVERIFY(WriteSettingFile(path, defaultSettings(), u"0"_s, WrittenOn).saved());
    QVERIFY(contentsOf(path).startsWith("// a?[MODE]?b.zel\r\n// 2026.12.05\r\n[MODE]\r\n"));
}

// The reader fuzzer's rules hold for the files it starts from and for those it once failed on.
void TestSettingFiles::fuzzerRulesHold()
{
    for (const QString &folder : {Files, QStringLiteral(ZEL_FUZZ_REGRESSION)}) {
        QVERIFY(!QDir(folder).isEmpty());
        for (const QFileInfo &input : QDir(folder).entryInfoList(QDir::Files)) {
            const QByteArray bytes = contentsOf(input.filePath());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()),
                                   size_t(bytes.size()));
        }
    }
}

void TestSettingFiles::pathsSplitAsTheTableSays()
{
    const auto cell = [](QString text) {
        if (text == u"(empty)"_s) {
            return QString();
        }
        const QRegularExpressionMatch run = QRegularExpression(u"x\\*(\\d+)"_s).match(text);
        if (run.hasMatch()) {
            text.replace(run.capturedStart(), run.capturedLength(),
                         QString(run.captured(1).toInt(), u'x'));
        }
        return text;
    };
    const auto status = [](const QString &text) { return text.isEmpty() ? u"ok"_s : text; };
    for (QStringList row : dataTable(u"paths.txt"_s, 6)) {
        std::transform(row.begin(), row.end(), row.begin(), cell);
        const qsizetype windows = QStringList{u"unix"_s, u"windows"_s}.indexOf(row[0]);
        QVERIFY2(windows >= 0, qPrintable(u"no such style: "_s + row[0]));
        const PathStyle style = windows ? WindowsPaths : UnixPaths;
        QString folder = u"stale"_s;
        QString fileName = u"untouched"_s;
        const QString folderStatus = status(ExtractFolder(row[1], folder, style));
        const QString fileNameStatus = status(ExtractFileName(row[1], fileName, style));
        QCOMPARE((QStringList{row[0], row[1], folder, folderStatus, fileName, fileNameStatus}),
                 row);
    }
}

void TestSettingFiles::namesPrintAsTheTableSays()
{
    // By hand: a regular expression matches nothing in a text with an unpaired surrogate.
    const auto decoded = [](QString text) {
        for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at + 1)) {
            bool isHex = false;
            const ushort unit = text.mid(at + 1, 4).toUShort(&isHex, 16);
            if (isHex && text.mid(at + 5, 1) == u">"_s) {
                text.replace(at, 6, QChar(unit));
            }
        }
        return text;
    };
    for (const QStringList &row : dataTable(u"printable.txt"_s, 2)) {
        QCOMPARE(PrintableFileName(decoded(row[0])), decoded(row[1]));
    }
}

QTEST_GUILESS_MAIN(TestSettingFiles)
#include "tst_settingfiles.moc"
