#include "model/ModelErrors.h"
#include "model/NameOrder.h"
#include "model/clsCatalog.h"

#include <QTest>

class tst_nameorder : public QObject
{
    Q_OBJECT

private slots:
    void order_data();
    void order();
    void bounds();
};

void tst_nameorder::order_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<qint16>>("rowToIndex");

    QTest::newRow("latin, capitals, cyrillic")
        << QStringList{"Сахар", "Гречка", "Chai", "рис"} << QList<qint16>{3, 2, 1, 4};
    QTest::newRow("one product") << QStringList{"Соль"} << QList<qint16>{1};
    QTest::newRow("prefix first") << QStringList{"Сыр плавленый", "Сыр"} << QList<qint16>{2, 1};
    QTest::newRow("ё after я") << QStringList{"ёж", "яблоко", "Ёрш", "Яйцо"} << QList<qint16>{3, 4, 2, 1};
    QTest::newRow("equal names keep catalog order")
        << QStringList{"Чай", "Кофе", "Чай", "Кофе"} << QList<qint16>{2, 4, 1, 3};
    QTest::newRow("leading blank sorts first") << QStringList{"Рис", " Рис"} << QList<qint16>{2, 1};
    QTest::newRow("empty catalog") << QStringList{} << QList<qint16>{};
}

void tst_nameorder::order()
{
    QFETCH(QStringList, names);
    QFETCH(QList<qint16>, rowToIndex);

    clsCatalog c;
    for (const QString& n : names)
        c.AddProduct(n, QStringLiteral("1"), QString());
    const NameOrder order = NameOrder::fromCatalog(c);
    QCOMPARE(int(order.size()), rowToIndex.size());
    for (qint16 r = 1; r <= order.size(); ++r) {
        QCOMPARE(order.RowToIndex(r), rowToIndex[r - 1]);
        QCOMPARE(order.IndexToRow(order.RowToIndex(r)), r);
    }
}

void tst_nameorder::bounds()
{
    clsCatalog c;
    c.AddProduct(QStringLiteral("a"), QStringLiteral("1"), QString());
    const NameOrder order = NameOrder::fromCatalog(c);
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, order.RowToIndex(0));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, order.IndexToRow(2));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, NameOrder().RowToIndex(1));
}

QTEST_GUILESS_MAIN(tst_nameorder)
#include "tst_nameorder.moc"
