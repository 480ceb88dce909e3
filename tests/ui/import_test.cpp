#include <QTest>
class Empty : public QObject {
    Q_OBJECT
};
QTEST_MAIN(Empty)
#include "import_test.moc"
