#include <QtTest>
class Testkeyfilters : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(Testkeyfilters)
#include "tst_keyfilters.moc"
