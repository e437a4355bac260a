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

enum Twist { Hard = 1, Link = 2, Long = 4, Acl = 8, NoFolder = 16, Folder = 32, FullDisk = 64 };
enum class Outcome { Renamed, InPlace, Refused };

// The folder and the file to save over (file mode 0: no file yet), and who saves.
struct SaveCase {
    mode_t folderMode, fileMode;
    uid_t folderOwner, fileOwner; // a file of Nobody's is in the group Team
    int twists;
    bool asNobody;
    Outcome outcome;
};

const QByteArray FormerContent =
    "// old.zel\r\n// 2026.12.05\r\n[MODE]\r\nSELECT\r\n[SETTING]\r\nSTART=1\r\nEND=2\r\n[END]\r\n";
const char AclName[] = "system.posix_acl_access";
// user::rw- user:65534:rw- group::r-- mask::rw- other::---, as the kernel stores an ACL.
const QByteArray AclEntry("\2\0\0\0\1\0\6\0\377\377\377\377\2\0\6\0\376\377\0\0\4\0\4\0\377\377"
                          "\377\377\20\0\6\0\377\377\377\377\40\0\0\0\377\377\377\377",
                          44);

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray acl(const QString &path)
{
    QByteArray value(256, '\0');
    const ssize_t size = ::getxattr(QFile::encodeName(path), AclName, value.data(), value.size());
    return value.left(std::max<ssize_t>(size, 0));
}

// Saves in a child, which may drop to an ordinary user or find the disk full; true on success.
bool saveInChild(const QString &path, const SaveCase &c)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit fullDisk{16, 16};
        if ((c.asNobody && (::setgroups(1, &Team) || ::setgid(Nobody) || ::setuid(Nobody))) ||
            ((c.twists & FullDisk) &&
             (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &fullDisk)))) {
            ::_exit(2);
        }
        Settings settings = defaultSettings();
        settings.Mode = ModeOriginalFormat;
        ::_exit(WriteSettingFile(path, settings, QStringLiteral("0"), {}).isEmpty() ? 0 : 1);
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
    using enum Outcome;
    row("new file", {0755, 0, 0, 0, 0, false, Renamed});
    row("hard-linked pair stays linked", {0755, 0644, 0, 0, Hard, false, InPlace});
    row("group-shared file keeps its group", {0755, 0660, Nobody, Nobody, 0, true, Renamed});
    row("ACL entry kept", {0755, 0600, Nobody, Nobody, Acl, true, Renamed});
    row("root saves a user's file: theirs", {0755, 0640, 0, Nobody, 0, false, Renamed});
    row("file in a root-owned folder", {0755, 0644, 0, Nobody, 0, true, InPlace});
    row("file in a sticky shared folder", {01777, 0666, 0, 0, 0, true, InPlace});
    row("link into a root-owned folder", {0755, 0644, 0, Nobody, Link, true, InPlace});
    row("link stays a link", {0755, 0644, 0, 0, Link, false, Renamed});
    row("249-byte name", {0755, 0644, 0, 0, Long, false, InPlace});
    row("missing folder", {0755, 0644, 0, 0, NoFolder, false, Refused});
    row("folder in place of the file", {0755, 0644, 0, 0, Folder, false, Refused});
    row("full disk", {0755, 0644, 0, 0, FullDisk, false, Refused});
    row("full disk, in place", {0755, 0644, 0, Nobody, FullDisk, true, Refused});
    row("full disk, new 249-byte name", {0755, 0, 0, 0, FullDisk | Long, false, Refused});
    row("read-only file", {0755, 0444, Nobody, Nobody, 0, true, Refused});
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
    const QString folder = top.filePath(QStringLiteral("folder"));
    const QString name = c.twists & Long ? QString(249, u'n') : QStringLiteral("doc.zel");
    const QString document = folder + u'/' + name;
    QVERIFY(QDir().mkdir(folder) && QDir().mkdir(folder + QStringLiteral("/sub")));
    QVERIFY(!::chmod(QFile::encodeName(top.path()), 0755) &&
            !::chown(QFile::encodeName(folder), c.folderOwner, c.folderOwner) &&
            !::chmod(QFile::encodeName(folder), c.folderMode));
    if (c.fileMode != 0) {
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(FormerContent) > 0);
        QVERIFY(!::fchown(file.handle(), c.fileOwner, c.fileOwner ? Team : 0) &&
                !::fchmod(file.handle(), c.fileMode));
    }
    const QByteArray documentName = QFile::encodeName(document);
    QVERIFY(!(c.twists & Acl) ||
            !::setxattr(documentName, AclName, AclEntry.constData(), AclEntry.size(), 0));
    QVERIFY(!(c.twists & Hard) || !::link(documentName, documentName + ".twin"));
    const QString path = c.twists & Link       ? top.filePath(QStringLiteral("link.zel"))
                         : c.twists & NoFolder ? folder + QStringLiteral("/missing/doc.zel")
                         : c.twists & Folder   ? folder + QStringLiteral("/sub")
                                               : document;
    QVERIFY(!(c.twists & Link) || QFile::link(document, path));
    struct stat before = {}, after = {};
    ::stat(documentName, &before);
    const QByteArray former = readAll(document);
    const QByteArray formerAcl = acl(document);
    QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const bool saved = c.outcome != Outcome::Refused;
    QCOMPARE(saveInChild(path, c), saved);
    QVERIFY(saved ? readAll(document).endsWith("\r\nORIGINAL\r\n[END]\r\n")
                  : readAll(document) == former);
    QCOMPARE(QFileInfo(path).isSymLink(), bool(c.twists & Link));
    if (saved && c.fileMode == 0) {
        entries.prepend(name);
    }
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
    if (c.fileMode != 0) {
        QVERIFY(::stat(documentName, &after) == 0);
        QCOMPARE(after.st_ino == before.st_ino, c.outcome != Outcome::Renamed);
        const auto identity = [](const struct stat &s) {
            return std::tie(s.st_nlink, s.st_uid, s.st_gid, s.st_mode);
        };
        QVERIFY(identity(after) == identity(before));
        QCOMPARE(acl(document), formerAcl);
    }
}

void TestFileSaving::reasonSaysWhy_data()
{
    QTest::addColumn<QByteArray>("content"); // of the file read; none: a save instead, "": no file
    QTest::addColumn<QString>("reason");
    const QString noSuchFile = qt_error_string(ENOENT);
    QTest::newRow("save error in the system's words") << QByteArray() << noSuchFile;
    QTest::newRow("load error in the system's words") << QByteArray("") << noSuchFile;
    QTest::newRow("unknown baud rate on line 7")
        << QByteArray("//\r\n//\r\n[MODE]\r\nSCRIPT\r\n//\r\n[RS-232C]\r\nBAUD=9601\r\nBIT=8\r\n"
                      "STOP=1\r\nPARTY=NONE\r\n[END]\r\n")
        << "Line 7: \"BAUD=9601\" is not a baud rate this program knows.";
}

void TestFileSaving::reasonSaysWhy()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing/doc.zel"));
    QFile file(dir.filePath(QStringLiteral("doc.zel")));
    QVERIFY(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content) > 0));
    file.close();
    QString why;
    SettingFileContent read;
    QVERIFY(!(content.isNull()
                  ? WriteSettingFile(missing, defaultSettings(), QStringLiteral("0"), {}, &why)
                  : ReadSettingFile(content.isEmpty() ? missing : file.fileName(), read, &why))
                 .isEmpty());
    QCOMPARE(why, reason);
}

QTEST_GUILESS_MAIN(TestFileSaving)
#include "tst_filesaving.moc"
