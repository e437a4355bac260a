#include <QtTest>
class Testpathhelpers : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(Testpathhelpers)
#include "tst_pathhelpers.moc"
