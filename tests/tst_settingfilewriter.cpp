#include <QtTest>
class Testsettingfilewriter : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(Testsettingfilewriter)
#include "tst_settingfilewriter.moc"
