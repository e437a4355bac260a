#include "app/title.h"

#include <QtTest>

// The title is the only place where the operator sees which file the window holds.
class TestTitle : public QObject
{
    Q_OBJECT

private slots:
    void title_data();
    void title();
};

void TestTitle::title_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");

    const QString bare = QStringLiteral("VX613 ZEL File Generator   V1.02");
    const QString sep = QDir::separator();
    QTest::newRow("bare") << QString() << bare;
    QTest::newRow("file") << sep + "work" + sep + "line1.zel" << bare + " - line1.zel";
    QTest::newRow("no extension") << sep + "work" + sep + "noext" << bare + " - noext";
    QTest::newRow("no name part") << "line1.zel" << bare + " - ";
}

void TestTitle::title()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(path.isNull() ? bareTitle() : titleWithFile(path), title);
}

QTEST_GUILESS_MAIN(TestTitle)
#include "tst_title.moc"
