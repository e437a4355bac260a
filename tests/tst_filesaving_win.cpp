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

const QByteArray Former = "// doc.zel\r\n[MODE]\r\nSCRIPT\r\n[END]\r\n";
const QByteArray New = "// doc.zel\r\n[MODE]\r\nORIGINAL\r\n[END]\r\n";
// A cell's value, or under Wine what follows "; Wine: " where it differs.
QString here(const QString &cell)
{
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    return cell.section(u"; Wine: "_s, wine ? -1 : 0, wine ? -1 : 0);
}

// Stand-ins for the system's calls that fail as the twists of data/filesaving-windows.txt say.
SaveCalls playing(const QStringList &twists)
{
    const auto failing = [twists](const QString &call) {
        return [twists, call, tries = std::make_shared<int>(0)] {
            for (const QString &twist : twists) {
                const QStringList part = twist.split(u':');
                if (part[0] == call && (part.size() < 3 || ++*tries <= part[2].toInt())) {
                    SetLastError(part[1].toUInt());
                    return true;
                }
            }
            return false;
        };
    };
    const SaveCalls system = SystemSaveCalls();
    return {
        [=, fails = failing(u"replace"_s)](auto replaced, auto replacement, auto backup) {
            if (!fails()) {
                return system.replace(replaced, replacement, backup);
            }
            // As ReplaceFileW documents it: after moving the replaced file to the backup.
            if (const DWORD error = GetLastError(); error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
                MoveFileExW(replaced, backup, 0);
                SetLastError(error);
            }
            return false;
        },
        [=, fails = failing(u"move"_s)](auto from, auto to, unsigned long flags) {
            return !fails() && system.move(from, to, flags);
        },
        [=, fails = failing(u"remove"_s)](auto name) { return !fails() && system.remove(name); }};
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
    for (const QStringList &cell : dataTable(u"filesaving-windows.txt"_s, 6)) {
        QTest::newRow(qPrintable(cell[0])) << cell;
    }
}

// Whatever fails, the file holds the former content or the new, and every other file that the
// save leaves in the folder is named in its result with what it holds.
void TestFileSavingWindows::saveLeavesTheFolderAsTheTableSays()
{
    QFETCH(QStringList, cell);
    const QStringList twists = cell[3].split(u' ');
    static const QRegularExpression known(
        u"^(-|(replace|move|remove):\\d+(:\\d+)?|former|read-only)$"_s);
    for (const QString &word : twists + cell.mid(1, 2)) {
        QVERIFY2(known.match(word).hasMatch() || word.toInt(),
                 qPrintable(u"unknown word: "_s + word));
    }
    // A folder whose doc.zel has a path of the row's length, in parts of up to 200 characters.
    QTemporaryDir top;
    QString folder = QDir::toNativeSeparators(top.path());
    for (qsizetype left = cell[1].toInt() - folder.size() - 8; left > 0;) {
        const qsizetype part = std::min<qsizetype>(left, 201) - (left == 202);
        folder += u'\\' + QString(part - 1, u'd');
        left -= part;
    }
    // A folder that the system cannot make is one that the row expects empty.
    QFile file(folder + u"\\doc.zel"_s);
    if (QDir().mkpath(folder) && cell[2] != u"-") {
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(Former) > 0);
        file.close();
        QVERIFY(cell[2] == u"former" || file.setPermissions(QFileDevice::ReadOwner));
    }
    const SaveResult result = ReplaceFileContent(file.fileName(), New, playing(twists));
    const QString outcome = result.problem.kind == FileProblem::Kind::ReadOnly
                                ? u"read-only"_s
                                : u"saved refused lost unconfirmed"_s.section(
                                      u' ', int(result.outcome), int(result.outcome));
    QCOMPARE(outcome, here(cell[4]));
    QStringList found;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile saved(folder + u'\\' + name);
        const QByteArray content = saved.open(QIODevice::ReadOnly) ? saved.readAll() : "?";
        const bool former = content == Former;
        // A file of the save's own is the one that the result names as holding what it holds.
        const bool named =
            saved.fileName() == (former ? result.formerContentIn : result.newContentIn);
        found << (name == u"doc.zel" || !named ? name : u"*"_s) + (former           ? u":former"_s
                                                                   : content == New ? u":new"_s
                                                                                    : u":?"_s);
    }
    found.sort();
    qInfo("%s (%s); the folder holds %s", qPrintable(outcome), qPrintable(ReasonOf(result.problem)),
          qPrintable(found.join(u' ')));
    QCOMPARE(found.isEmpty() ? QStringList{u"-"_s} : found, here(cell[5]).split(u' '));
}

QTEST_GUILESS_MAIN(TestFileSavingWindows)
#include "tst_filesaving_win.moc"
