#include "app/pathhelpers.h"

#include <QtTest>

class TestPathHelpers : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
};

void TestPathHelpers::split_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("folderStatus");
    QTest::addColumn<QString>("fileName"); // "untouched" when the routine must leave it as passed
    QTest::addColumn<QString>("fileNameStatus");

    const QString ok;
    const QString untouched = QStringLiteral("untouched");
    const QString tooLong = QString(40000, u'x');
#ifdef Q_OS_WIN
    QTest::newRow("file in folder") << "C:\\data\\a.zel" << "C:\\data" << ok << "a.zel" << ok;
    QTest::newRow("file in drive root") << "C:\\a.zel" << "C:" << ok << "a.zel" << ok;
    QTest::newRow("trailing separator")
        << "C:\\data\\" << "C:\\data" << ok << untouched << FilePathError;
    QTest::newRow("network path")
        << "\\\\server\\share\\a.zel" << "" << FilePathError << "a.zel" << ok;
    QTest::newRow("leading separator") << "\\a.zel" << "" << FilePathError << "a.zel" << ok;
    QTest::newRow("dotted folder") << "C:\\my.dir\\noext" << "C:\\my.dir" << ok << "noext" << ok;
    const QString longPath = QStringLiteral("C:\\") + tooLong;
    const QString separatorBeyondLimit = tooLong + QStringLiteral("\\a.zel");
#else
    QTest::newRow("file in folder") << "/data/a.zel" << "/data" << ok << "a.zel" << ok;
    QTest::newRow("file in root") << "/a.zel" << "/" << ok << "a.zel" << ok;
    QTest::newRow("trailing separator") << "/data/" << "/data" << ok << untouched << FilePathError;
    QTest::newRow("root alone") << "/" << "/" << ok << untouched << FilePathError;
    QTest::newRow("relative") << "data/a.zel" << "data" << ok << "a.zel" << ok;
    QTest::newRow("dotted folder") << "/my.dir/noext" << "/my.dir" << ok << "noext" << ok;
    QTest::newRow("backslash is a character")
        << "C:\\data\\a.zel" << "" << FilePathError << untouched << FilePathError;
    const QString longPath = QStringLiteral("/") + tooLong;
    const QString separatorBeyondLimit = tooLong + QStringLiteral("/a.zel");
#endif
    QTest::newRow("no separator") << "a.zel" << "" << FilePathError << untouched << FilePathError;
    QTest::newRow("empty") << "" << "" << FilePathError << untouched << FilePathError;
    QTest::newRow("path longer than the routines count")
        << longPath << "" << UnknownError << tooLong << ok;
    QTest::newRow("last separator beyond the count")
        << separatorBeyondLimit << "" << UnknownError << untouched << FilePathError;
}

void TestPathHelpers::split()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, folderStatus);
    QFETCH(QString, fileName);
    QFETCH(QString, fileNameStatus);

    QString folderOut = QStringLiteral("stale");
    QCOMPARE(ExtractFolder(path, folderOut), folderStatus);
    QCOMPARE(folderOut, folder);

    QString fileNameOut = QStringLiteral("untouched");
    QCOMPARE(ExtractFileName(path, fileNameOut), fileNameStatus);
    QCOMPARE(fileNameOut, fileName);
}

QTEST_GUILESS_MAIN(TestPathHelpers)
#include "tst_pathhelpers.moc"
