// SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
// SPDX-License-Identifier: MIT

#include "datatable.h"

#include "fileio/filereplacer_p.h"
#include "fileio/filereplacer_win.h"
#include "settingfile/messages.h"

#include <QtTest>

#include <memory>

#include <windows.h>

using namespace Qt::StringLiterals;

namespace
{

const QByteArray FormerContent = "// doc.zel\r\n[MODE]\r\nSCRIPT\r\n[END]\r\n";
const QByteArray NewContent = "// doc.zel\r\n[MODE]\r\nORIGINAL\r\n[END]\r\n";

// Wine, which differs from Windows where the row says so.
bool underWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// A cell's own value, or under Wine what follows "; Wine: " where it differs.
QString cellHere(const QString &cell)
{
    const QStringList values = cell.split(QStringLiteral("; Wine: "));
    return underWine() ? values.last() : values.first();
}

// A folder under top whose doc.zel has a path of length characters (0: top itself), in parts
// of up to 200 characters.
QString folderFor(const QString &top, int length)
{
    QString folder = QDir::toNativeSeparators(top);
    for (qsizetype left = length - folder.size() - 8; left > 0;) {
        const qsizetype part = std::min<qsizetype>(left, 201) - (left == 202);
        folder += u'\\' + QString(part - 1, u'd');
        left -= part;
    }
    return folder;
}

// Stand-ins for the system's calls that fail as the twists say, or call the system's.
SaveCalls playing(const QStringList &twists)
{
    const SaveCalls system = SystemSaveCalls();
    const auto tries = std::make_shared<int>(0);
    const auto failing = [](DWORD error) {
        SetLastError(error);
        return false;
    };
    const auto held = [=] {
        return twists.contains(u"held") || (twists.contains(u"held-briefly") && ++*tries <= 3);
    };
    SaveCalls calls = system;
    calls.replace = [=](const wchar_t *replaced, const wchar_t *replacement,
                        const wchar_t *backup) {
        if (held()) {
            return failing(ERROR_SHARING_VIOLATION);
        }
        if (twists.contains(u"remove-replaced") || twists.contains(u"move-replacement")) {
            return failing(twists.contains(u"remove-replaced") ? ERROR_UNABLE_TO_REMOVE_REPLACED
                                                               : ERROR_UNABLE_TO_MOVE_REPLACEMENT);
        }
        if (twists.contains(u"move-replacement-2")) {
            return MoveFileExW(replaced, backup, 0) && failing(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
        }
        return system.replace(replaced, replacement, backup);
    };
    calls.move = [=](const wchar_t *from, const wchar_t *to, unsigned long flags) {
        return held()                        ? failing(ERROR_SHARING_VIOLATION)
               : twists.contains(u"no-move") ? failing(ERROR_ACCESS_DENIED)
                                             : system.move(from, to, flags);
    };
    calls.remove = [=](const wchar_t *name) {
        return twists.contains(u"no-remove") ? failing(ERROR_SHARING_VIOLATION)
                                             : system.remove(name);
    };
    return calls;
}

} // namespace

class TestFileSavingWindows : public QObject
{
    Q_OBJECT

private slots:
    void saveLeavesTheFolderAsTheTableSays_data();
    void saveLeavesTheFolderAsTheTableSays();
};

void TestFileSavingWindows::saveLeavesTheFolderAsTheTableSays_data()
{
    QTest::addColumn<QStringList>("cell");
    for (const QStringList &cell : dataTable(QStringLiteral("filesaving-windows.txt"), 6)) {
        QTest::newRow(qPrintable(cell[0])) << cell;
    }
}

// Whatever fails, the file holds the former content or the new, and any other file that the
// save leaves in the folder is named in its result.
void TestFileSavingWindows::saveLeavesTheFolderAsTheTableSays()
{
    QFETCH(QStringList, cell);
    const QStringList twists = cell[3].split(u' ');
    const QStringList known =
        QStringLiteral("- held held-briefly no-remove no-move remove-replaced "
                       "move-replacement move-replacement-2")
            .split(u' ');
    for (const QString &twist : twists) {
        QVERIFY2(known.contains(twist), qPrintable(QStringLiteral("unknown twist: ") + twist));
    }
    QVERIFY2(QStringList({u"-"_s, u"former"_s, u"read-only"_s}).contains(cell[2]), "unknown file");
    QVERIFY2(cell[1] == u"-" || cell[1].toInt() > 0, "unknown length");
    QTemporaryDir top;
    const QString folder = folderFor(top.path(), cell[1].toInt());
    const QString path = folder + QStringLiteral("\\doc.zel");
    QStringList files = cellHere(cell[5]).split(u' ');
    files.sort();
    const QString expected = files.join(u' ');
    // A folder that the system cannot make is one that the row expects empty.
    if (QDir().mkpath(folder) && cell[2] != u"-") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(FormerContent) > 0);
        file.close();
        QVERIFY(cell[2] == u"former" || file.setPermissions(QFileDevice::ReadOwner));
    }
    QVERIFY(QFileInfo::exists(folder) || expected == u"-");

    const SaveResult result = ReplaceFileContent(path, NewContent, playing(twists));
    const char *outcomes[] = {"saved", "refused", "lost", "unconfirmed"};
    const bool readOnly = result.problem.kind == FileProblem::Kind::ReadOnly;
    QCOMPARE(QString::fromLatin1(readOnly ? "read-only" : outcomes[int(result.outcome)]),
             cellHere(cell[4]));
    QStringList found;
    QStringList shown;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(folder + u'\\' + name);
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
        const QString holds = content == FormerContent ? u"former"_s
                              : content == NewContent  ? u"new"_s
                                                       : u"other"_s;
        found << (name == u"doc.zel" ? name : u"*"_s) + u':' + holds;
        shown << name + u':' + holds;
        // A file of the save's is the one that the result names as holding that content.
        if (name != u"doc.zel") {
            QCOMPARE(folder + u'\\' + name,
                     holds == u"former" ? result.formerContentIn : result.newContentIn);
        }
    }
    qInfo("%s (%s); the folder holds %s", outcomes[int(result.outcome)],
          qPrintable(ReasonOf(result.problem)),
          qPrintable(shown.isEmpty() ? u"nothing"_s : shown.join(u", ")));
    found.sort();
    QCOMPARE(found.isEmpty() ? u"-"_s : found.join(u' '), expected);
}

QTEST_GUILESS_MAIN(TestFileSavingWindows)
#include "tst_filesaving_win.moc"
