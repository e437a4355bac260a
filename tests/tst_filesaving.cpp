#include "datatable.h"

#include "settingfile/filereplacer.h"
#include "settingfile/settingfilereader.h"
#include "settingfile/settingfilewriter.h"

#include <QtTest>

#include <csignal>
#include <fstream>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534; // and its group, nogroup
constexpr gid_t Team = 100;     // users, a group of the saving user besides its own

// In the order of their names in data/filesaving.txt.
enum Twist { Hard = 1, Link = 2, Long = 4, Acl = 8, NoFolder = 16, Folder = 32, FullDisk = 64,
             Drop = 128, Cut = 256, DropPutBack = 512 };
// The first two are saves; the child reports the others by their value.
enum class Outcome { Renamed, InPlace, Refused, NotKept, Lost };

// The folder and the file to save over (file mode 0: no file yet), and who saves.
struct SaveCase {
    mode_t folderMode, fileMode;
    uid_t folderOwner, fileOwner;
    gid_t fileGroup;
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

// Saves in a child, which may drop to an ordinary user, find the disk full or a file system that
// loses writes. Returns 0 when saved, otherwise the outcome that the reason tells.
int saveInChild(const QString &path, const SaveCase &c)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit fullDisk{16, 16};
        if ((c.asNobody && (::setgroups(1, &Team) || ::setgid(Nobody) || ::setuid(Nobody))) ||
            ((c.twists & FullDisk) &&
             (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &fullDisk)))) {
            ::_exit(9);
        }
        WriteFault = [&c](const QByteArray &bytes) {
            const int fault = c.twists & (bytes == FormerContent ? DropPutBack : Drop | Cut);
            return fault & Cut ? bytes.chopped(1) : fault ? QByteArray() : bytes;
        };
        QString why; // empty exactly when the save is done
        WriteSettingFile(path, defaultSettings(), QStringLiteral("0"), {}, &why);
        const Outcome told = why.endsWith(u"could not be put back)")         ? Outcome::Lost
                             : why.startsWith(u"The file system did not keep") ? Outcome::NotKept
                                                                               : Outcome::Refused;
        ::_exit(why.isEmpty() ? 0 : int(told));
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
    void savesOverAnyLength();
};

void TestFileSaving::saveKeepsTheFileAsItWas_data()
{
    QTest::addColumn<SaveCase>("c");
    const QStringList twists = QStringLiteral(
        "- hard link long acl no-folder folder full-disk drop cut drop-put-back").split(u' ');
    const QStringList outcomes =
        QStringLiteral("renamed in-place refused not-kept lost").split(u' ');
    for (const QStringList &cell : dataTable(QStringLiteral("filesaving.txt"), 6)) {
        const QStringList folder = cell[1].split(u' ');
        const QStringList file = QString(cell[2]).replace(u':', u' ').split(u' ');
        int twist = 0;
        for (const QString &name : cell[3].split(u' ')) {
            QVERIFY(twists.contains(name));
            twist |= 1 << twists.indexOf(name) >> 1;
        }
        const auto id = [](const QString &name) {
            return name == u"users" ? Team : name == u"nobody" || name == u"nogroup" ? Nobody : 0;
        };
        QTest::newRow(qPrintable(cell[0])) << SaveCase{
            mode_t(folder[0].toUInt(nullptr, 8)), mode_t(file[0].toUInt(nullptr, 8)), id(folder[1]),
            id(file.value(1)), id(file.value(2)), twist, cell[4] == u"nobody",
            Outcome(outcomes.indexOf(cell[5]))};
    }
}

// Whatever the way of saving, the file stays the same file: its content is the new one or, on
// a failure, the former one unless the save says that it is lost, and its links, owner, group,
// permissions and ACL stay.
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
        QVERIFY(!::fchown(file.handle(), c.fileOwner, c.fileGroup) &&
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

    const bool saved = c.outcome < Outcome::Refused;
    QCOMPARE(saveInChild(path, c), saved ? 0 : int(c.outcome));
    const auto now = identity(after);
    QVERIFY((saved && c.fileMode == 0) || now == former);
    QVERIFY(c.fileMode == 0 || (after.st_ino == before.st_ino) == (c.outcome != Outcome::Renamed));
    const QByteArray written = "// " + QFile::encodeName(QFileInfo(path).fileName()) + NewContent;
    QCOMPARE(readAll(document) == (saved ? written : formerContent), c.outcome != Outcome::Lost);
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
    QStringList reasons(4);
    SettingFileContent content;
    for (int i = 0; i < 2; ++i) {
        ReadProblem problem;
        WriteSettingFile(paths[i], defaultSettings(), QStringLiteral("0"), {}, &reasons[2 * i]);
        ReadSettingFile(paths[i], content, &problem);
        reasons[2 * i + 1] = problem.text();
    }
    const QString missing = qt_error_string(ENOENT), folder = qt_error_string(EISDIR);
    QCOMPARE(reasons, QStringList({missing, missing, folder, folder}));
}

// Saves over files longer than, as long as and shorter than what is written, in a temporary
// folder or in ZEL_SAVE_IN (scripts/save-on-images.sh: other kinds of file system). A file of its
// own each: fusefat hangs in a rename over a file truncated a few times.
void TestFileSaving::savesOverAnyLength()
{
    QTemporaryDir temporary;
    const QString folder = qEnvironmentVariable("ZEL_SAVE_IN", temporary.path());
    for (const int change : {1, 0, -1}) {
        const QString path = folder + QStringLiteral("/doc%1.zel").arg(change + 1);
        const QByteArray saved = "// " + QFile::encodeName(QFileInfo(path).fileName()) + NewContent;
        const std::string former(saved.size() + change, 'x');
        QVERIFY(std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << former);
        QString why;
        WriteSettingFile(path, defaultSettings(), QStringLiteral("0"), {}, &why);
        qInfo("over %d bytes: %s", int(former.size()), why.isEmpty() ? "saved" : qPrintable(why));
        QCOMPARE(readAll(path), why.isEmpty() ? saved : QByteArray::fromStdString(former));
    }
}

QTEST_GUILESS_MAIN(TestFileSaving)
#include "tst_filesaving.moc"
