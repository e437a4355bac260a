#include "ui/keyfilters.h"

#include <QtTest>

class TestKeyFilters : public QObject
{
    Q_OBJECT

private slots:
    void typedKey_data();
    void typedKey();
    void pastedText_data();
    void pastedText();
};

void TestKeyFilters::typedKey_data()
{
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("digitField");
    QTest::addColumn<int>("hexField");

    QTest::newRow("backspace") << 8 << 8 << 8;
    QTest::newRow("0") << int('0') << int('0') << int('0');
    QTest::newRow("9") << int('9') << int('9') << int('9');
    QTest::newRow("A") << int('A') << 0 << int('A');
    QTest::newRow("F") << int('F') << 0 << int('F');
    QTest::newRow("a made upper") << int('a') << 0 << int('A');
    QTest::newRow("f made upper") << int('f') << 0 << int('F');
    QTest::newRow("G") << int('G') << 0 << 0;
    QTest::newRow("g") << int('g') << 0 << 0;
    QTest::newRow("slash below 0") << int('/') << 0 << 0;
    QTest::newRow("colon above 9") << int(':') << 0 << 0;
    QTest::newRow("@ below A") << int('@') << 0 << 0;
    QTest::newRow("` below a") << int('`') << 0 << 0;
    QTest::newRow("percent sign") << 37 << 0 << 0;
    QTest::newRow("apostrophe") << 39 << 0 << 0;
    QTest::newRow("space") << 32 << 0 << 0;
    QTest::newRow("enter") << 13 << 0 << 0;
    QTest::newRow("ctrl+v") << 22 << 0 << 0;
    QTest::newRow("full-width digit") << 0xff11 - 0x10000 << 0 << 0;
    QTest::newRow("negative code") << -1 << 0 << 0;
}

void TestKeyFilters::typedKey()
{
    QFETCH(int, typed);
    QFETCH(int, digitField);
    QFETCH(int, hexField);

    qint16 key = qint16(typed);
    QCOMPARE(int(FilterDigitKey(key)), digitField);
    QCOMPARE(int(key), digitField);
    key = qint16(typed);
    QCOMPARE(int(FilterHexKey(key)), hexField);
    QCOMPARE(int(key), hexField);
}

void TestKeyFilters::pastedText_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("digitField");
    QTest::addColumn<QString>("hexField");

    QTest::newRow("digits") << "0123" << "0123" << "0123";
    QTest::newRow("hex lower") << "0d" << "0" << "0D";
    QTest::newRow("mixed") << " 1a-2%'3\t" << "123" << "1A23";
    QTest::newRow("backspace dropped") << "1\b2" << "12" << "12";
    QTest::newRow("non-ascii") << QString::fromUtf8("１２é3") << "3" << "3";
    QTest::newRow("empty") << "" << "" << "";
}

void TestKeyFilters::pastedText()
{
    QFETCH(QString, pasted);
    QFETCH(QString, digitField);
    QFETCH(QString, hexField);

    QCOMPARE(filterPastedText(pasted, FilterDigitKey), digitField);
    QCOMPARE(filterPastedText(pasted, FilterHexKey), hexField);
}

QTEST_GUILESS_MAIN(TestKeyFilters)
#include "tst_keyfilters.moc"
