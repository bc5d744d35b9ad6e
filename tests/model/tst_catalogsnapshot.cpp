#include "model/CatalogSnapshot.h"
#include "model/clsCatalog.h"
#include "model/clsMenuOfDay.h"
#include "model/clsTrapeza.h"

#include <QSet>
#include <QTest>

#include <functional>

// A snapshot must notice every change that would change the editor's lists, and the
// meal copies must keep the meal exactly.
class tst_catalogsnapshot : public QObject
{
    Q_OBJECT

private slots:
    void noticesChanges_data();
    void noticesChanges();
    void sameTextsInOtherStorageMatch();
    void setProductsAsAddProduct_data();
    void setProductsAsAddProduct();
    void mealCopyKeepsEntries();
};

using CatalogChange = std::function<void(clsCatalog&)>;
Q_DECLARE_METATYPE(CatalogChange)

namespace {

void fill(clsCatalog& c)
{
    c.DelAllProduct();
    c.AddProduct(QStringLiteral("Гречка"), QStringLiteral("80"), QStringLiteral("гр."));
    c.AddProduct(QStringLiteral("Сахар"), QStringLiteral("50"), QStringLiteral("гр."));
    c.AddProduct(QStringLiteral("Чай"), QStringLiteral("10"), QStringLiteral("гр."));
}

} // namespace

void tst_catalogsnapshot::noticesChanges_data()
{
    QTest::addColumn<CatalogChange>("change");
    QTest::addColumn<bool>("matches");
    QTest::addColumn<int>("single"); // what singleChange() says

    QTest::newRow("nothing") << CatalogChange([](clsCatalog&) {}) << true << 0;
    QTest::newRow("name") << CatalogChange([](clsCatalog& c) { c.GetProduct(2).setName(QStringLiteral("Соль")); })
                          << false << 2;
    QTest::newRow("name, one letter") << CatalogChange([](clsCatalog& c) {
        QString name = c.GetProduct(1).Name();
        name[0] = u'г';
        c.GetProduct(1).setName(name);
    }) << false << 1;
    QTest::newRow("norm") << CatalogChange([](clsCatalog& c) { c.GetProduct(3).setNorma(11); }) << false << 3;
    QTest::newRow("unit") << CatalogChange([](clsCatalog& c) { c.GetProduct(1).strProductEdin = QStringLiteral("г"); })
                          << false << 1;
    QTest::newRow("one more") << CatalogChange([](clsCatalog& c) {
        c.AddProduct(QStringLiteral("Соль"), QStringLiteral("5"), QStringLiteral("гр."));
    }) << false << 4;
    QTest::newRow("emptied") << CatalogChange([](clsCatalog& c) { c.DelAllProduct(); }) << false << -1;
    QTest::newRow("same name again") << CatalogChange([](clsCatalog& c) {
        c.GetProduct(2).setName(QStringLiteral("Сах") + QStringLiteral("ар"));
    }) << true << 0;
    QTest::newRow("two names") << CatalogChange([](clsCatalog& c) {
        c.GetProduct(1).setName(QStringLiteral("Рис"));
        c.GetProduct(3).setName(QStringLiteral("Кофе"));
    }) << false << -1;
    QTest::newRow("one changed, one more") << CatalogChange([](clsCatalog& c) {
        c.GetProduct(1).setNorma(1);
        c.AddProduct(QStringLiteral("Соль"), QStringLiteral("5"), QStringLiteral("гр."));
    }) << false << -1;
}

void tst_catalogsnapshot::noticesChanges()
{
    QFETCH(CatalogChange, change);
    QFETCH(bool, matches);
    QFETCH(int, single);

    clsCatalog c;
    fill(c);
    CatalogSnapshot s;
    QVERIFY(!s.matches(c)); // nothing taken yet
    QCOMPARE(s.singleChange(c), -1);
    s.take(c);
    QVERIFY(s.matches(c));
    change(c);
    QCOMPARE(s.matches(c), matches);
    QCOMPARE(s.singleChange(c), single);
    if (single > 0) {
        // Taking the one change again brings the snapshot up to date.
        s.retake(c, static_cast<qint16>(single));
        QVERIFY(s.matches(c));
    }
    s.clear();
    QVERIFY(!s.matches(c));
}

void tst_catalogsnapshot::sameTextsInOtherStorageMatch()
{
    // A trip loaded again from its file has new strings with the same texts.
    clsCatalog c;
    fill(c);
    CatalogSnapshot s;
    s.take(c);
    fill(c);
    QVERIFY(s.matches(c));

    clsCatalog empty;
    s.take(empty);
    QVERIFY(s.matches(empty));
    QVERIFY(!s.matches(c));
}

void tst_catalogsnapshot::setProductsAsAddProduct_data()
{
    QTest::addColumn<QList<qint16>>("positions");
    QTest::newRow("none") << QList<qint16>{};
    QTest::newRow("plain") << QList<qint16>{3, 1, 2};
    QTest::newRow("repeats keep the first") << QList<qint16>{5, 2, 5, 2, 7, 5};
    QTest::newRow("extremes") << QList<qint16>{32767, 1, -1, 0, -32768, 32767, 0};
    QList<qint16> many;
    for (int i = 0; i < 40000; ++i)
        many.append(static_cast<qint16>((i * 7919) % 32767 + 1));
    QTest::newRow("a whole catalog and more") << many;
}

void tst_catalogsnapshot::setProductsAsAddProduct()
{
    QFETCH(QList<qint16>, positions);
    QList<qint16> unique;
    QSet<qint16> seen;
    for (qint16 p : positions) {
        if (!seen.contains(p)) {
            seen.insert(p);
            unique.append(p);
        }
    }
    clsTrapeza meal;
    meal.AddProduct(99); // replaced, not kept
    meal.SetProducts(positions);
    QCOMPARE(int(meal.GetCountProduct()), int(unique.size()));
    for (int k = 1; k <= meal.GetCountProduct(); ++k)
        QCOMPARE(meal.GetIndexProduct(static_cast<qint16>(k)), unique.at(k - 1));
}

void tst_catalogsnapshot::mealCopyKeepsEntries()
{
    clsTrapeza meal;
    meal.SetProducts({4, 2, 9});
    clsMenuOfDay menu;
    menu.SetTrapeza(meal, 2);
    meal.AddProduct(1); // the stored copy is the menu's own
    const clsTrapeza* stored = menu.GetTrapeza(2);
    QCOMPARE(int(stored->GetCountProduct()), 3);
    QCOMPARE(stored->GetIndexProduct(1), qint16(4));
    QCOMPARE(stored->GetIndexProduct(3), qint16(9));
    menu.SetTrapeza(meal, 4); // outside 1..3: nothing stored
    QCOMPARE(int(menu.GetTrapeza(1)->GetCountProduct()), 0);
}

QTEST_GUILESS_MAIN(tst_catalogsnapshot)
#include "tst_catalogsnapshot.moc"
