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
const QByteArray NewContent =
    "\r\n// \r\n[MODE]\r\nSCRIPT\r\n[SETTING]\r\nSTART=1\r\nEND=1\r\n[END]\r\n";
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
        ::_exit(int(!WriteSettingFile(path, defaultSettings(), QStringLiteral("0"), {}).isEmpty()));
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
    row("new 249-byte name", {0755, 0, 0, 0, Long, false, InPlace});
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
    // Under /tmp, which every user may enter: TMPDIR may be a folder the child cannot reach.
    QTemporaryDir top(QStringLiteral("/tmp/tst_filesaving-XXXXXX"));
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
    QVERIFY((!(c.twists & Acl) ||
             !::setxattr(documentName, AclName, AclEntry.constData(), AclEntry.size(), 0)) &&
            (!(c.twists & Hard) || !::link(documentName, documentName + ".twin")));
    const QString path = c.twists & Link       ? top.filePath(QStringLiteral("link.zel"))
                         : c.twists & NoFolder ? folder + QStringLiteral("/missing/doc.zel")
                         : c.twists & Folder   ? folder + QStringLiteral("/sub")
                                               : document;
    QVERIFY(!(c.twists & Link) || QFile::link(document, path));
    struct stat before = {}, after = {};
    // What makes the file the same file to those who use it.
    const auto identity = [&](struct stat &status) {
        QByteArray acl(256, '\0');
        acl.truncate(std::max<ssize_t>(::getxattr(documentName, AclName, acl.data(), 256), 0));
        ::stat(documentName, &status);
        return std::tuple(status.st_nlink, status.st_uid, status.st_gid, status.st_mode, acl);
    };
    const auto former = identity(before);
    const QByteArray formerContent = readAll(document);
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const bool saved = c.outcome != Outcome::Refused;
    QCOMPARE(saveInChild(path, c), saved);
    const auto now = identity(after);
    QVERIFY((saved && c.fileMode == 0) || now == former);
    QVERIFY(c.fileMode == 0 ||
            (after.st_ino == before.st_ino) == (c.outcome != Outcome::Renamed));
    QCOMPARE(readAll(document),
             saved ? "// " + QFile::encodeName(QFileInfo(path).fileName()) + NewContent
                   : formerContent);
    QCOMPARE(QFileInfo(path).isSymLink(), bool(c.twists & Link));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             saved && c.fileMode == 0 ? QStringList(name) + entries : entries);
}

// The system's message for a failed save or load, of a missing folder's file and of a folder (a
// format error's reason is in the table of setting files).
void TestFileSaving::reasonSaysWhy()
{
    QTemporaryDir dir;
    const QString paths[] = {dir.filePath(QStringLiteral("missing/doc.zel")), dir.path()};
    QString reasons[4];
    SettingFileContent content;
    for (int i = 0; i < 2; ++i) {
        ReadProblem problem;
        WriteSettingFile(paths[i], defaultSettings(), QStringLiteral("0"), {}, &reasons[2 * i]);
        ReadSettingFile(paths[i], content, &problem);
        reasons[2 * i + 1] = problem.text();
    }
    const QString missing = qt_error_string(ENOENT), folder = qt_error_string(EISDIR);
    QCOMPARE(QStringList(std::begin(reasons), std::end(reasons)),
             QStringList({missing, missing, folder, folder}));
}

QTEST_GUILESS_MAIN(TestFileSaving)
#include "tst_filesaving.moc"
