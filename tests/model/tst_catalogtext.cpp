#include "model/CatalogText.h"
#include "model/NameOrder.h"
#include "model/clsCatalog.h"

#include <QTest>

class tst_catalogtext : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void readNorm_data();
    void readNorm();
    void normField_data();
    void normField();
    void fullCatalogInNameOrder();
};

void tst_catalogtext::rows_data()
{
    QTest::addColumn<QString>("norm");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("productRow");
    QTest::addColumn<QString>("catalogCell");

    QTest::newRow("grams") << "250"
                           << "гр" << QStringList{"Рис", " 250", "гр"} << " 250гр";
    QTest::newRow("norm 0") << "0"
                            << "шт" << QStringList{"Рис", "", "шт"} << " 0шт";
    QTest::newRow("negative read as 0") << "-3"
                                        << "шт" << QStringList{"Рис", "", "шт"} << " 0шт";
    QTest::newRow("no unit") << "1"
                             << "" << QStringList{"Рис", " 1", ""} << " 1";
    QTest::newRow("largest") << "32767"
                             << "л" << QStringList{"Рис", " 32767", "л"} << " 32767л";
}

void tst_catalogtext::rows()
{
    QFETCH(QString, norm);
    QFETCH(QString, unit);
    QFETCH(QStringList, productRow);
    QFETCH(QString, catalogCell);

    clsCatalog c;
    c.AddProduct(QStringLiteral("Рис"), norm, unit);
    QCOMPARE(CatalogText::productRow(c.GetProduct(1)), productRow);
    QCOMPARE(CatalogText::catalogRow(c.GetProduct(1)), (QStringList{"Рис", catalogCell}));
}

void tst_catalogtext::readNorm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("value");

    QTest::newRow("80g") << "80g" << true << 80;
    QTest::newRow("2.5 to even") << "2.5" << true << 2;
    QTest::newRow("3.5 to even") << "3.5" << true << 4;
    QTest::newRow("blanks inside") << " 1 000 " << true << 1000;
    QTest::newRow("empty") << "" << true << 0;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("lowest") << "-32768" << true << -32768;
    QTest::newRow("highest") << "32767" << true << 32767;
    QTest::newRow("one over") << "32768" << false << 0;
    QTest::newRow("rounds over") << "32767.5" << false << 0;
    QTest::newRow("one under") << "-32769" << false << 0;
    QTest::newRow("exponent") << "4E5" << false << 0;
    QTest::newRow("beyond 64 bits") << "1e300" << false << 0;
    QTest::newRow("hex pattern") << "&HFFFF" << true << -1;
}

void tst_catalogtext::readNorm()
{
    QFETCH(QString, text);
    QFETCH(bool, fits);
    QFETCH(int, value);

    const std::optional<qint16> norm = CatalogText::readNorm(text);
    QCOMPARE(norm.has_value(), fits);
    if (fits)
        QCOMPARE(int(*norm), value);
}

void tst_catalogtext::normField_data()
{
    QTest::addColumn<int>("norm");
    QTest::addColumn<QString>("text");
    QTest::newRow("0 is empty") << 0 << "";
    QTest::newRow("1") << 1 << "1";
    QTest::newRow("250") << 250 << "250";
}

void tst_catalogtext::normField()
{
    QFETCH(int, norm);
    QFETCH(QString, text);
    QCOMPARE(CatalogText::normField(qint16(norm)), text);
    QCOMPARE(CatalogText::dayCaption(norm + 1), QStringLiteral("День ") + QString::number(norm + 1));
}

void tst_catalogtext::fullCatalogInNameOrder()
{
    // A full catalog in reverse order: every row and both maps to the last entry.
    clsCatalog c;
    for (int i = 0; i < clsCatalog::MaxSize; ++i)
        c.AddProduct(QStringLiteral("%1").arg(clsCatalog::MaxSize - i, 5, 10, QLatin1Char('0')), "1", "шт");
    const NameOrder order = NameOrder::fromCatalog(c);
    QCOMPARE(order.size(), clsCatalog::MaxSize);
    QCOMPARE(order.RowToIndex(1), clsCatalog::MaxSize);
    QCOMPARE(order.RowToIndex(clsCatalog::MaxSize), qint16(1));
    QCOMPARE(order.IndexToRow(clsCatalog::MaxSize), qint16(1));
    const QList<QStringList> rows = CatalogText::catalogRows(c, order);
    QCOMPARE(rows.size(), qsizetype(clsCatalog::MaxSize));
    QCOMPARE(rows.first(), (QStringList{"00001", " 1шт"}));
    QCOMPARE(rows.last(), (QStringList{"32767", " 1шт"}));
}

QTEST_GUILESS_MAIN(tst_catalogtext)
#include "tst_catalogtext.moc"
