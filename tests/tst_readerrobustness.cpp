// Files no one would write on purpose: huge lines, millions of lines, NUL bytes, text that is
// not valid in any encoding, a file that grows while it is read, and paths that are no files.

#include "settingfile/settingfilereader.h"

#include <QtTest>

#include <atomic>
#include <thread>

#include <sys/stat.h>

namespace {

constexpr qint64 MiB = 1024 * 1024;

const QByteArray Loadable = QByteArrayLiteral("\r\n[MODE]\r\nSCRIPT\r\n[END]\r\n");

// Writes head, then count copies of filler, then tail. A filler of one NUL byte is left as a
// hole, so that a big file costs no disk.
bool writeFile(const QString &path, const QByteArray &head, const QByteArray &filler, qint64 count,
               const QByteArray &tail)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size()) {
        return false;
    }
    if (count == 0) {
        // Nothing between head and tail.
    } else if (filler == QByteArray(1, '\0')) {
        if (!file.resize(head.size() + count) || !file.seek(file.size())) {
            return false;
        }
    } else {
        const qint64 perBlock = std::max<qint64>(1, MiB / filler.size());
        const QByteArray block = filler.repeated(perBlock);
        for (qint64 written = 0; written < count; written += perBlock) {
            const QByteArray part = block.left(std::min(perBlock, count - written) * filler.size());
            if (file.write(part) != part.size()) {
                return false;
            }
        }
    }
    return file.write(tail) == tail.size();
}

} // namespace

class TestReaderRobustness : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void oddBytes_data();
    void oddBytes();
    void largeFile_data();
    void largeFile();
    void growingFileIsReadToAnEnd();
    void noRegularFileIsLoadError_data();
    void noRegularFileIsLoadError();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestReaderRobustness::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestReaderRobustness::oddBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // the error text, or the suffix that is loaded

    const auto setting = [](const QByteArray &line) {
        return QByteArrayLiteral("[MODE]\r\nSCRIPT\r\n[SETTING]\r\n") + line +
               QByteArrayLiteral("\r\n[END]\r\n");
    };
    QTest::newRow("only NUL bytes") << QByteArray(4096, '\0') << FormatError;
    QTest::newRow("NUL inside [MODE]")
        << QByteArray("[MO\0DE]\r\nSCRIPT\r\n[END]", 21) << FormatError;
    QTest::newRow("NUL behind the mode token")
        << QByteArray("[MODE]\r\nSCRIPT\0\r\n[END]", 22) << FormatError;
    QTest::newRow("NUL in a start value") << setting(QByteArray("START=1\0", 8)) << FormatError;
    QTest::newRow("NUL in apostrophes")
        << setting(QByteArray("SUFFIX='\0'", 10)) << QStringLiteral("0");
    QTest::newRow("invalid UTF-8 before [MODE]")
        << QByteArrayLiteral("\xc3\x28\xff\xfe\x80") + Loadable << QString();
    QTest::newRow("8-bit blank behind the mode token")
        << QByteArrayLiteral("[MODE]\r\nSCRIPT\xa0\r\n[END]") << FormatError;
    QTest::newRow("dotless i is no I")
        << QByteArrayLiteral("[MODE]\r\nscr\xc4\xb1pt\r\n[END]") << FormatError;
    QTest::newRow("8-bit character in apostrophes")
        << setting("SUFFIX='\xe9'") << QStringLiteral("E9");
    QTest::newRow("UTF-8 character in apostrophes is two bytes")
        << setting("SUFFIX='\xc3\xa9'") << FormatError;
    QTest::newRow("truncated UTF-8 in a start value") << setting("START=1\xc3") << FormatError;
    QTest::newRow("byte-order mark before [MODE]")
        << QByteArrayLiteral("\xef\xbb\xbf[MODE]\r\nSCRIPT\r\n[END]") << FormatError;
}

void TestReaderRobustness::oddBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString file = path(QStringLiteral("odd.zel"));
    QVERIFY(writeFile(file, bytes, {}, 0, {}));

    SettingFileContent content;
    const QString error = ReadSettingFile(file, content);
    QCOMPARE(error.isEmpty() ? content.Suffix : error, expected);
}

void TestReaderRobustness::largeFile_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("filler");
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<QString>("expected");

    const QByteArray nul(1, '\0');
    QTest::newRow("64 MiB line before [MODE]")
        << QByteArray() << nul << 64 * MiB << Loadable << QString();
    QTest::newRow("one 64 MiB line, nothing else")
        << QByteArray() << nul << 64 * MiB << QByteArray() << FormatError;
    QTest::newRow("64 MiB mode line") << QByteArrayLiteral("[MODE]\r\n") << nul << 64 * MiB
                                      << QByteArrayLiteral("\r\n[END]\r\n") << FormatError;
    QTest::newRow("64 MiB start value")
        << QByteArrayLiteral("[MODE]\r\nSCRIPT\r\n[SETTING]\r\nSTART=") << QByteArray(" ")
        << 64 * MiB << QByteArrayLiteral("7\r\n[END]\r\n") << FormatError;
    QTest::newRow("10 million short lines before [MODE]")
        << QByteArray() << QByteArrayLiteral("//\r\n") << 10'000'000LL << Loadable << QString();
}

void TestReaderRobustness::largeFile()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, filler);
    QFETCH(qint64, count);
    QFETCH(QByteArray, tail);
    QFETCH(QString, expected);
    const QString file = path(QStringLiteral("large.zel"));
    QVERIFY(writeFile(file, head, filler, count, tail));

    SettingFileContent content;
    QCOMPARE(ReadSettingFile(file, content), expected);
}

// Another program keeps appending to the file while it is read. The reader reads what was there
// when it opened the file, comes to an end, and does not take in the sections appended later.
void TestReaderRobustness::growingFileIsReadToAnEnd()
{
    const QString file = path(QStringLiteral("growing.zel"));
    const QByteArray comments = QByteArrayLiteral("// a comment line\r\n").repeated(4096);
    QVERIFY(writeFile(file, {}, comments, 64, {}));

    std::atomic<bool> readerDone = false;
    std::thread appender([&] {
        const QByteArray sections = QByteArrayLiteral("[MODE]\r\nSCRIPT\r\n[END]\r\n").repeated(4096);
        QFile growing(file);
        if (!growing.open(QIODevice::Append | QIODevice::Unbuffered)) {
            return;
        }
        for (qint64 appended = 0; !readerDone && appended < 256 * MiB; appended += sections.size()) {
            growing.write(sections);
        }
    });
    SettingFileContent content;
    const QString error = ReadSettingFile(file, content);
    readerDone = true;
    appender.join();

    QCOMPARE(error, FormatError);
}

void TestReaderRobustness::noRegularFileIsLoadError_data()
{
    QTest::addColumn<QString>("target");

    QTest::newRow("FIFO without a writer") << QStringLiteral("fifo");
    QTest::newRow("endless device") << QStringLiteral("/dev/zero");
    QTest::newRow("empty device") << QStringLiteral("/dev/null");
    QTest::newRow("random device") << QStringLiteral("/dev/urandom");
    QTest::newRow("link to a device") << QStringLiteral("link-to-zero");
}

void TestReaderRobustness::noRegularFileIsLoadError()
{
    QFETCH(QString, target);
    QVERIFY(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo"))).constData(), 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("link-to-zero"))));

    // A FIFO or device that blocks the open or never ends hangs here until the test times out.
    SettingFileContent content;
    QCOMPARE(ReadSettingFile(QDir(m_dir->path()).filePath(target), content), LoadError);
}

QTEST_GUILESS_MAIN(TestReaderRobustness)
#include "tst_readerrobustness.moc"
