#include "model/GlobalVariable.h"
#include "model/ModelErrors.h"
#include "model/NameOrder.h"
#include "model/clsCatalog.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

class tst_nameorder : public QObject
{
    Q_OBJECT

private slots:
    void order_data();
    void order();
    void bounds();
    void sameOrderAsCodeUnits_data();
    void sameOrderAsCodeUnits();
    void placeFollowsTheSort_data();
    void placeFollowsTheSort();
    void followsTheCatalog_data();
    void followsTheCatalog();
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
    // The sort looks at the first eight code units at once; past them the whole names decide.
    QTest::newRow("same first eight") << QStringList{"Молоко сгущёное", "Молоко", "Молоко сухое", "Моло"}
                                      << QList<qint16>{4, 2, 1, 3};
    const QString abNulC = QStringLiteral("Ab") + QChar(0) + QStringLiteral("c");
    const QString abNul = QStringLiteral("Ab") + QChar(0);
    QTest::newRow("NUL inside and a prefix") << QStringList{abNulC, "Ab", abNul} << QList<qint16>{2, 3, 1};
    const QString pua(QChar(0xE000));
    const QString apple = QString::fromUcs4(U"\U0001F34E");
    QTest::newRow("surrogates before U+E000") << QStringList{pua, apple} << QList<qint16>{2, 1};
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

void tst_nameorder::sameOrderAsCodeUnits_data()
{
    QTest::addColumn<int>("alphabet");
    QTest::addColumn<int>("count");
    QTest::newRow("few letters, many ties") << 3 << 400;
    QTest::newRow("cyrillic and latin") << 12 << 400;
    // A large catalog takes another way to the same order.
    QTest::newRow("large, few letters") << 3 << 9000;
    QTest::newRow("large, cyrillic and latin") << 12 << 9000;
}

void tst_nameorder::sameOrderAsCodeUnits()
{
    QFETCH(int, alphabet);
    QFETCH(int, count);
    // Random names against the plain definition: a stable sort by UTF-16 code units.
    const char16_t letters[] = {u'а', u'Б', u'б', u'Я', u'я', u'ё', u'A', u'a', u'Z', u' ', 0, 0xFFFF};
    QRandomGenerator rnd(20240701u + quint32(alphabet));
    clsCatalog c;
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QString name;
        const int len = int(rnd.bounded(12));
        for (int k = 0; k < len; ++k)
            name += QChar(letters[rnd.bounded(alphabet)]);
        names.append(name);
        c.AddProduct(name, QStringLiteral("1"), QString());
    }
    QList<qint16> expected;
    for (int k = 1; k <= names.size(); ++k)
        expected.append(static_cast<qint16>(k));
    std::stable_sort(expected.begin(), expected.end(), [&](qint16 a, qint16 b) {
        const QString& x = names.at(a - 1);
        const QString& y = names.at(b - 1);
        return std::lexicographical_compare(x.utf16(), x.utf16() + x.size(), y.utf16(), y.utf16() + y.size());
    });
    const NameOrder order = NameOrder::fromCatalog(c);
    for (qint16 r = 1; r <= order.size(); ++r)
        QCOMPARE(order.RowToIndex(r), expected.at(r - 1));

    // A part of the catalog comes in the same order as within the whole.
    QList<qint16> part;
    for (qint16 k = 1; k <= c.size(); k += 7)
        part.prepend(k);
    NameOrder::sortByName(c, part);
    QList<qint16> wanted;
    for (qint16 p : expected) {
        if ((p - 1) % 7 == 0)
            wanted.append(p);
    }
    QCOMPARE(part, wanted);
}

void tst_nameorder::placeFollowsTheSort_data()
{
    QTest::addColumn<int>("alphabet");
    QTest::newRow("few letters, many equal names") << 2;
    QTest::newRow("cyrillic and latin") << 12;
}

void tst_nameorder::placeFollowsTheSort()
{
    QFETCH(int, alphabet);
    // One product renamed or appended at a time, moved in place, against a new sort.
    const char16_t letters[] = {u'а', u'Б', u'б', u'Я', u'я', u'ё', u'A', u'a', u'Z', u' ', 0, 0xFFFF};
    QRandomGenerator rnd(20240817u + quint32(alphabet));
    auto randomName = [&] {
        QString name;
        const int len = int(rnd.bounded(5));
        for (int k = 0; k < len; ++k)
            name += QChar(letters[rnd.bounded(alphabet)]);
        return name;
    };
    clsCatalog c;
    for (int i = 0; i < 60; ++i)
        c.AddProduct(randomName(), QStringLiteral("1"), QString());
    NameOrder order = NameOrder::fromCatalog(c);
    for (int step = 0; step < 400; ++step) {
        qint16 intIndex;
        if (rnd.bounded(4) == 0) {
            c.AddProduct(randomName(), QStringLiteral("1"), QString());
            intIndex = c.size();
        } else {
            intIndex = static_cast<qint16>(1 + rnd.bounded(int(c.size())));
            // setName keeps the old name for an empty one.
            c.GetProduct(intIndex).setName(randomName() + QLatin1Char('x'));
        }
        order.place(c, intIndex);
        const NameOrder fresh = NameOrder::fromCatalog(c);
        QCOMPARE(order.size(), fresh.size());
        for (qint16 r = 1; r <= fresh.size(); ++r) {
            QCOMPARE(order.RowToIndex(r), fresh.RowToIndex(r));
            QCOMPARE(order.IndexToRow(r), fresh.IndexToRow(r));
        }
    }
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, order.place(c, 0));
    QVERIFY_THROWS_EXCEPTION(OutOfRangeError, order.place(c, static_cast<qint16>(c.size() + 1)));
}

QTEST_GUILESS_MAIN(tst_nameorder)
void tst_nameorder::followsTheCatalog_data()
{
    QTest::addColumn<int>("renamed"); // positions renamed after the order was made
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("said");
    QTest::newRow("nothing changed") << 0 << 0 << 0;
    QTest::newRow("one renamed") << 1 << 0 << 3;
    QTest::newRow("one added") << 0 << 1 << 6;
    QTest::newRow("two renamed") << 2 << 0 << -1;
    QTest::newRow("renamed and added") << 1 << 1 << -1;
}

void tst_nameorder::followsTheCatalog()
{
    QFETCH(int, renamed);
    QFETCH(int, added);
    QFETCH(int, said);
    GlobalVariable g;
    const clsCatalog& c = g.objCatalog;
    QList<clsProduct> start;
    for (const char* name : {"Сахар", "Гречка", "Чай", "Рис", "Соль"}) {
        start.append(clsProduct());
        start.last().setName(QString::fromUtf8(name));
    }
    g.edits.appendProducts(start, QString());
    NameOrder order;
    order.follow(c, -1);
    const quint64 seen = g.edits.catalogRevision();
    QCOMPARE(g.edits.catalogChangeSince(seen), 0);
    for (int k = 0; k < renamed; ++k) {
        clsProduct p = c.GetProduct(qint16(3 + k));
        p.setName(QStringLiteral("Арахис %1").arg(k));
        g.edits.setProduct(qint16(3 + k), p, QString());
    }
    for (int k = 0; k < added; ++k) {
        clsProduct p;
        p.setName(QStringLiteral("Баранки"));
        g.edits.appendProducts({p}, QString());
    }
    QCOMPARE(g.edits.catalogChangeSince(seen), said);
    order.follow(c, g.edits.catalogChangeSince(seen));
    // Whichever way it went, the order is the sort's.
    const NameOrder sorted = NameOrder::fromCatalog(c);
    QCOMPARE(order.size(), sorted.size());
    for (qint16 r = 1; r <= sorted.size(); ++r)
        QCOMPARE(order.RowToIndex(r), sorted.RowToIndex(r));
    QCOMPARE(g.edits.catalogChangeSince(g.edits.catalogRevision()), 0);
}

#include "tst_nameorder.moc"
