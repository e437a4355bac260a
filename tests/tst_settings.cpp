#include <QtTest>
class Testsettings : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(Testsettings)
#include "tst_settings.moc"
