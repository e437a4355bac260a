#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QtTest>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;
constexpr gid_t Team = 100; // a group of the saving user besides its own

enum class Twist { None, HardLink, Link, LongName, Acl, MissingFolder, FolderInPlace, FullDisk };
enum class Outcome { Renamed, InPlace, Refused };

// A file to save over, the folder it lies in and who saves.
struct SaveCase {
    mode_t folderMode;
    uid_t folderOwner;
    mode_t fileMode; // 0: no file yet
    uid_t fileOwner;
    gid_t fileGroup;
    Twist twist;
    bool asNobody;
    Outcome outcome;
};

const QByteArray FormerContent = "// doc.zel\r\n// 2026.12.05\r\n[MODE]\r\nSCRIPT\r\n[END]\r\n";
const char AclName[] = "system.posix_acl_access";
// user::rw- user:65534:rw- group::r-- mask::rw- other::---, as the kernel stores an ACL.
const QByteArray AclEntry("\2\0\0\0"
                          "\1\0\6\0\377\377\377\377\2\0\6\0\376\377\0\0\4\0\4\0\377\377\377\377"
                          "\20\0\6\0\377\377\377\377\40\0\0\0\377\377\377\377",
                          44);

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray attribute(const QString &path, const char *name)
{
    QByteArray value(256, '\0');
    const ssize_t size = ::getxattr(QFile::encodeName(path), name, value.data(), value.size());
    return value.left(std::max<ssize_t>(size, 0));
}

// Saves in a child, which may drop to an ordinary user or find the disk full; true on success.
bool saveInChild(const QString &path, const SaveCase &c)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit fullDisk{16, 16};
        if ((c.asNobody &&
             (::setgroups(1, &Team) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)) ||
            (c.twist == Twist::FullDisk &&
             (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &fullDisk)))) {
            ::_exit(2);
        }
        Settings settings = defaultSettings();
        settings.Mode = ModeOriginalFormat;
        ::_exit(WriteSettingFile(path, settings, QStringLiteral("0"), QDate(2026, 12, 7)).isEmpty()
                    ? 0
                    : 1);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

Q_DECLARE_METATYPE(SaveCase)

class TestFileSaving : public QObject
{
    Q_OBJECT

private slots:
    void saveKeepsTheFileAsItWas_data();
    void saveKeepsTheFileAsItWas();
    void reasonSaysWhy_data();
    void reasonSaysWhy();
};

void TestFileSaving::saveKeepsTheFileAsItWas_data()
{
    QTest::addColumn<SaveCase>("c");
    const auto row = [](const char *name, SaveCase c) { QTest::newRow(name) << c; };
    using enum Twist;
    using enum Outcome;
    row("new file", {0755, 0, 0, 0, 0, None, false, Renamed});
    row("hard-linked pair stays linked", {0755, 0, 0644, 0, 0, HardLink, false, InPlace});
    row("group-shared file keeps its group",
        {0755, Nobody, 0660, Nobody, Team, None, true, Renamed});
    row("ACL entry kept", {0755, Nobody, 0660, Nobody, Nobody, Acl, true, Renamed});
    row("user's file saved by root stays theirs",
        {0755, 0, 0640, Nobody, Nobody, None, false, Renamed});
    row("writable file in a root-owned folder",
        {0755, 0, 0644, Nobody, Nobody, None, true, InPlace});
    row("writable file in a sticky shared folder", {01777, 0, 0666, 0, 0, None, true, InPlace});
    row("link into a root-owned folder", {0755, 0, 0644, Nobody, Nobody, Link, true, InPlace});
    row("link stays a link, its target saved", {0755, 0, 0644, 0, 0, Link, false, Renamed});
    row("249-byte name", {0755, 0, 0644, 0, 0, LongName, false, InPlace});
    row("missing folder", {0755, 0, 0644, 0, 0, MissingFolder, false, Refused});
    row("folder in place of the file", {0755, 0, 0644, 0, 0, FolderInPlace, false, Refused});
    row("full disk", {0755, 0, 0644, 0, 0, FullDisk, false, Refused});
    row("full disk, written in place", {0755, 0, 0644, Nobody, Nobody, FullDisk, true, Refused});
    row("read-only file", {0755, Nobody, 0444, Nobody, Nobody, None, true, Refused});
}

// Whatever the way of saving, the file stays the same file: its content is the new one or, on
// a failure, the former one, and its links, owner, group, permissions and ACL stay.
void TestFileSaving::saveKeepsTheFileAsItWas()
{
    QFETCH(SaveCase, c);
    if (::geteuid() != 0) {
        QSKIP("Owners and permissions need root to set up.");
    }
    QTemporaryDir top;
    QVERIFY(::chmod(QFile::encodeName(top.path()), 0755) == 0);
    const QString folder = top.filePath(QStringLiteral("folder"));
    const QString name =
        c.twist == Twist::LongName ? QString(249, u'n') : QStringLiteral("doc.zel");
    const QString document = folder + u'/' + name;
    QVERIFY(QDir().mkdir(folder) && QDir().mkdir(folder + QStringLiteral("/sub")));
    QVERIFY(::chown(QFile::encodeName(folder), c.folderOwner, c.folderOwner) == 0);
    QVERIFY(::chmod(QFile::encodeName(folder), c.folderMode) == 0);
    if (c.fileMode != 0) {
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(FormerContent) > 0);
        QVERIFY(::fchown(file.handle(), c.fileOwner, c.fileGroup) == 0);
        QVERIFY(::fchmod(file.handle(), c.fileMode) == 0);
    }
    QVERIFY(c.twist != Twist::Acl || ::setxattr(QFile::encodeName(document), AclName,
                                                AclEntry.constData(), AclEntry.size(), 0) == 0);
    QVERIFY(c.twist != Twist::HardLink ||
            ::link(QFile::encodeName(document),
                   QFile::encodeName(folder + QStringLiteral("/twin"))) == 0);
    const QHash<Twist, QString> savePaths{
        {Twist::Link, top.filePath(QStringLiteral("link.zel"))},
        {Twist::MissingFolder, folder + QStringLiteral("/missing/doc.zel")},
        {Twist::FolderInPlace, folder + QStringLiteral("/sub")}};
    const QString path = savePaths.value(c.twist, document);
    QVERIFY(c.twist != Twist::Link || QFile::link(document, path));
    struct stat before = {};
    struct stat after = {};
    ::stat(QFile::encodeName(document), &before);
    const QByteArray acl = attribute(document, AclName);
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QCOMPARE(saveInChild(path, c), c.outcome != Outcome::Refused);
    QVERIFY(::stat(QFile::encodeName(document), &after) == 0);
    QCOMPARE(readAll(document).contains("ORIGINAL"), c.outcome != Outcome::Refused);
    QVERIFY(c.outcome != Outcome::Refused || readAll(document) == FormerContent);
    QCOMPARE(QFileInfo(path).isSymLink(), c.twist == Twist::Link);
    const QStringList created{name, QStringLiteral("sub")};
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             c.fileMode != 0 ? entries : created);
    if (c.fileMode != 0) {
        QCOMPARE(after.st_ino == before.st_ino, c.outcome != Outcome::Renamed);
        QCOMPARE(after.st_nlink, before.st_nlink);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(attribute(document, AclName), acl);
    }
}

void TestFileSaving::reasonSaysWhy_data()
{
    QTest::addColumn<QByteArray>("content"); // of the file read; a null one: a save instead
    QTest::addColumn<QString>("reason");
    const QString noSuchFile = qt_error_string(ENOENT);
    QTest::newRow("save error in the system's words") << QByteArray() << noSuchFile;
    QTest::newRow("load error in the system's words") << QByteArray("") << noSuchFile;
    QTest::newRow("unknown baud rate on line 7")
        << QByteArray("//\r\n//\r\n[MODE]\r\nSCRIPT\r\n//\r\n[RS-232C]\r\nBAUD=9601\r\nBIT=8\r\n"
                      "STOP=1\r\nPARTY=NONE\r\n[END]\r\n")
        << "Line 7: \"BAUD=9601\" is not a baud rate this program knows.";
    QTest::newRow("stray line in the setting section")
        << QByteArray("[MODE]\r\nSCRIPT\r\n[SETTING]\r\nSTART=1\r\n\r\n[END]\r\n")
        << "Line 5: \"\" does not belong in the [SETTING] section.";
    QTest::newRow("start position too long")
        << QByteArray("[MODE]\r\nSCRIPT\r\n[SETTING]\r\nSTART=12345\r\nSTART=123456\r\n[END]\r\n")
        << "Line 5: \"START=123456\" is not a start position this program knows.";
    QTest::newRow("no end line") << QByteArray("[MODE]\r\nSCRIPT\r\n[SETTING]\r\n")
                                 << "The file ends after line 3 without an [END] line.";
}

void TestFileSaving::reasonSaysWhy()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/doc.zel"));
    QString why;
    if (content.isNull()) {
        QVERIFY(
            !WriteSettingFile(path, defaultSettings(), QStringLiteral("0"), {}, &why).isEmpty());
    } else {
        QFile file(dir.filePath(QStringLiteral("doc.zel")));
        QVERIFY(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content) > 0));
        file.close();
        SettingFileContent read;
        QVERIFY(!ReadSettingFile(content.isEmpty() ? path : file.fileName(), read, &why).isEmpty());
    }
    QCOMPARE(why, reason);
}

QTEST_GUILESS_MAIN(TestFileSaving)
#include "tst_filesaving.moc"
