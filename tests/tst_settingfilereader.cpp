#include <QtTest>
class Testsettingfilereader : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(Testsettingfilereader)
#include "tst_settingfilereader.moc"
