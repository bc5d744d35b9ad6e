#include "model/CatalogText.h"
#include "model/NameOrder.h"
#include "ui/editor/EditorHarness.h"

#include <QLineEdit>

#include <functional>

// The editor keeps its catalog lists between refreshes and rebuilds them only when the
// catalog has changed; whatever happened to the catalog, a refresh must show it.
class tst_editorlists : public QObject
{
    Q_OBJECT

private slots:
    void refreshShowsTheCatalog_data();
    void refreshShowsTheCatalog();
    void productDialogChangeShows();
};

using Change = std::function<void(EditorHarness&)>;
Q_DECLARE_METATYPE(Change)

namespace {

// The lists a refresh of this catalog must show, built from nothing.
void compareWithCatalog(EditorHarness& h)
{
    const NameOrder order = NameOrder::fromCatalog(h.g.objCatalog);
    QList<QStringList> products = CatalogText::productRows(h.g.objCatalog, order);
    QList<QStringList> catalog = CatalogText::catalogRows(h.g.objCatalog, order);
    if (products.isEmpty()) {
        products = {{QString(), QString(), QString()}};
        catalog = {{QString(), QString()}};
    }
    QCOMPARE(h.texts(h.grid("tblProduct")), products);
    QCOMPARE(h.texts(h.grid("tblCatalog")), catalog);
    for (qint16 r = 1; r <= order.size(); ++r)
        QCOMPARE(h.menu().GetIndexFromString(r), order.RowToIndex(r));
}

} // namespace

void tst_editorlists::refreshShowsTheCatalog_data()
{
    QTest::addColumn<Change>("change");

    QTest::newRow("nothing") << Change([](EditorHarness&) {});
    QTest::newRow("renamed to sort first") << Change(
        [](EditorHarness& h) { h.changeProduct(3, [](clsProduct& p) { p.setName(QStringLiteral("Абрикосы")); }); });
    QTest::newRow("norm") << Change([](EditorHarness& h) { h.changeProduct(1, [](clsProduct& p) { p.setNorma(0); }); });
    QTest::newRow("unit") << Change(
        [](EditorHarness& h) { h.changeProduct(2, [](clsProduct& p) { p.strProductEdin = QStringLiteral("кг"); }); });
    QTest::newRow("renamed twice") << Change([](EditorHarness& h) {
        h.changeProduct(3, [](clsProduct& p) { p.setName(QStringLiteral("Абрикосы")); });
        h.changeProduct(3, [](clsProduct& p) { p.setName(QStringLiteral("Яблоки")); });
    });
    QTest::newRow("two renamed") << Change([](EditorHarness& h) {
        h.changeProduct(1, [](clsProduct& p) { p.setName(QStringLiteral("Яблоки")); });
        h.changeProduct(2, [](clsProduct& p) { p.setName(QStringLiteral("Абрикосы")); });
    });
    QTest::newRow("added") << Change([](EditorHarness& h) { h.addProducts({{"Бублики", "2", "шт"}}); });
    QTest::newRow("emptied") << Change([](EditorHarness& h) { h.emptyCatalog(); });
    QTest::newRow("refilled with the same texts") << Change([](EditorHarness& h) {
        h.emptyCatalog();
        h.addProducts({{"Сахар", "50", "гр"}, {"Гречка", "80", "гр"}, {"Чай", "5", "гр"}});
    });
    QTest::newRow("refilled, two swapped") << Change([](EditorHarness& h) {
        h.emptyCatalog();
        h.addProducts({{"Гречка", "80", "гр"}, {"Сахар", "50", "гр"}, {"Чай", "5", "гр"}});
    });
}

void tst_editorlists::refreshShowsTheCatalog()
{
    QFETCH(Change, change);

    EditorHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Гречка", "80", "гр"}, {"Чай", "5", "гр"}});
    frmMenu& m = h.open();
    compareWithCatalog(h);
    change(h);
    m.Form_Activate();
    compareWithCatalog(h);
    // And once more with nothing changed in between.
    m.VisibleCatalog();
    compareWithCatalog(h);
}

void tst_editorlists::productDialogChangeShows()
{
    EditorHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Гречка", "80", "гр"}});
    frmMenu& m = h.open();
    // "Гречка" is row 1; the dialog renames it past "Сахар".
    m.VisibleCatalog();
    h.pick(h.grid("tblProduct"), 1);
    h.click("cmdRename");
    frmDialogProduct& dialog = h.forms->DialogProduct();
    EditorHarness::child<QLineEdit>(dialog, "txtName")->setText(QStringLiteral("Ячмень"));
    dialog.cmdClose_Click();
    QCOMPARE(h.names(h.grid("tblProduct")), (QStringList{"Сахар", "Ячмень"}));
    compareWithCatalog(h);
}

QTEST_MAIN(tst_editorlists)
#include "tst_editorlists.moc"
