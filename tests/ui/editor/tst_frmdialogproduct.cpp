#include "ui/editor/EditorHarness.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

// The harness with the product dialog at hand.
struct DialogHarness : EditorHarness
{
    frmDialogProduct& dialog() { return forms->DialogProduct(); }
    QLineEdit* field(const char* name) { return child<QLineEdit>(dialog(), name); }
    QComboBox* unit() { return child<QComboBox>(dialog(), "txtEd"); }
    QString title() { return child<QLabel>(dialog(), "lblTitle")->text(); }
    void clickDialog(const char* name) { QTest::mouseClick(child<QPushButton>(dialog(), name), Qt::LeftButton); }

    // Replaces a field's text the way typing does.
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        if (!text.isEmpty())
            typeText(edit, text);
    }
    void typeUnit(const QString& text)
    {
        QLineEdit* edit = unit()->lineEdit();
        type(edit, text);
    }

    // Opens the change command on a catalog position by picking its row.
    void openChange(qint16 intIndex)
    {
        pick(grid("tblProduct"), menu().nameOrder().IndexToRow(intIndex));
        click("cmdRename");
    }

    const clsProduct& product(int i) { return g.objCatalog.GetProduct(qint16(i)); }
};

} // namespace

class tst_frmdialogproduct : public QObject
{
    Q_OBJECT

private slots:
    void addFirstProduct();
    void enterIsOk_data();
    void enterIsOk();
    void dialogLayout();
    void norms_data();
    void norms();
    void normOutOfRange_data();
    void normOutOfRange();
    void missingName_data();
    void missingName();
    void blanksAreAName();
    void repeatedName_data();
    void repeatedName();
    void unchangedNameIsNotCompared();
    void cancelStoresNothing_data();
    void cancelStoresNothing();
    void changeShowsEverywhere();
    void currentRowAfterStore();
    void doubleClickOpensChange();
};

void tst_frmdialogproduct::addFirstProduct()
{
    DialogHarness h;
    frmMenu& m = h.open();
    QVERIFY(!h.button("cmdRename")->isEnabled());
    h.click("cmdAdd");
    QVERIFY(h.dialog().isVisible());
    QVERIFY(!m.isEnabled());
    QCOMPARE(h.title(), QStringLiteral("Добавить"));
    QVERIFY(h.field("txtName")->text().isEmpty());
    QVERIFY(h.field("txtNorm")->text().isEmpty());
    QVERIFY(h.unit()->currentText().isEmpty());

    h.typeText(h.field("txtName"), "Гречка");
    h.typeText(h.field("txtNorm"), "80");
    h.typeUnit("гр");
    h.clickDialog("cmdClose");

    QCOMPARE(h.boxes.count(), 0);
    QVERIFY(!h.dialog().isVisible());
    QVERIFY(m.isEnabled());
    QVERIFY(h.button("cmdRename")->isEnabled());
    QCOMPARE(h.g.objCatalog.size(), qint16(1));
    QCOMPARE(h.product(1).Name(), QStringLiteral("Гречка"));
    QCOMPARE(h.product(1).Norma(), qint16(80));
    QCOMPARE(h.product(1).strProductEdin, QStringLiteral("гр"));
    QCOMPARE(h.texts(h.grid("tblProduct")), (QList<QStringList>{{"Гречка", " 80", "гр"}}));
}

void tst_frmdialogproduct::enterIsOk_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("name") << "txtName";
    QTest::newRow("norm") << "txtNorm";
    QTest::newRow("unit") << "txtEd";
}

void tst_frmdialogproduct::enterIsOk()
{
    QFETCH(QString, field);

    DialogHarness h;
    h.open();
    h.click("cmdAdd");
    h.typeText(h.field("txtName"), "Рис");
    h.typeText(h.field("txtNorm"), "70");
    h.typeUnit("гр");
    QWidget* target = field == "txtEd" ? static_cast<QWidget*>(h.unit()->lineEdit()) : h.field(qPrintable(field));
    h.dialog().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.dialog()));
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QVERIFY(!h.dialog().isVisible());
    QCOMPARE(h.g.objCatalog.size(), qint16(1));
    QCOMPARE(h.product(1).Norma(), qint16(70));
    QCOMPARE(h.product(1).strProductEdin, QStringLiteral("гр"));
    QCOMPARE(h.unit()->count(), 6); // nothing typed joins the list
}

void tst_frmdialogproduct::dialogLayout()
{
    DialogHarness h;
    h.open();
    h.click("cmdAdd");
    frmDialogProduct& d = h.dialog();
    QCOMPARE(d.windowTitle(), QStringLiteral("Продукт"));
    QCOMPARE(d.size(), Twips::toPixels(&d, 3750, 2580));
    QCOMPARE(d.twipsOf(h.field("txtName")), QRect(1800, 600, 1812, 360));
    QCOMPARE(d.twipsOf(h.child<QPushButton>(d, "cmdClose")), QRect(2760, 2160, 852, 372));
    QCOMPARE(d.twipsOf(h.child<QFrame>(d, "Line1")), QRect(150, 600, 4350, 30));
    QCOMPARE(h.child<QLabel>(d, "lblTitle")->pos(), Twips::toPixels(&d, 1824, 120, 0, 0).topLeft());
    QStringList units;
    for (int i = 0; i < h.unit()->count(); ++i)
        units.append(h.unit()->itemText(i));
    QCOMPARE(units, (QStringList{"гр", "л", "шт", "пач.", "уп-к", "пол-к"}));
    // Every control lies inside the dialog, its text shown in full.
    for (const char* name : {"lblTitle", "Label1", "Label2", "Label3", "Label4"}) {
        auto* label = h.child<QLabel>(d, name);
        QVERIFY2(d.rect().contains(label->geometry()), name);
        QVERIFY2(label->width() >= label->sizeHint().width(), name);
    }

    // Keyboard order: name, norm, OK, Cancel, unit.
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    h.field("txtName")->setFocus();
    QStringList seen{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* w = QApplication::focusWidget();
        // The unit box's editor stands for the box.
        seen.append(w->parentWidget() == h.unit() ? h.unit()->objectName() : w->objectName());
    }
    QCOMPARE(seen, (QStringList{"txtName", "txtNorm", "cmdClose", "cmdEsc", "txtEd", "txtName"}));
}

void tst_frmdialogproduct::norms_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("norm");
    QTest::addColumn<int>("stored");

    // Changing starts from a product with norm 50.
    for (bool adding : {true, false}) {
        const char* path = adding ? "add" : "change";
        QTest::addRow("%s: 80g", path) << adding << "80g" << 80;
        QTest::addRow("%s: 2.5", path) << adding << "2.5" << 2;
        QTest::addRow("%s: 3.5", path) << adding << "3.5" << 4;
        QTest::addRow("%s: empty", path) << adding << "" << 0;
        QTest::addRow("%s: no number", path) << adding << "много" << 0;
        QTest::addRow("%s: comma stops", path) << adding << "12,5" << 12;
        QTest::addRow("%s: top of range", path) << adding << "32767" << 32767;
    }
    QTest::newRow("add: negative") << true << "-5" << 0;
    QTest::newRow("change: negative keeps the old norm") << false << "-5" << 50;
    QTest::newRow("add: lowest 16-bit") << true << "-32768" << 0;
}

void tst_frmdialogproduct::norms()
{
    QFETCH(bool, adding);
    QFETCH(QString, norm);
    QFETCH(int, stored);

    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}});
    h.open();
    h.menu().EnableRename();
    if (adding) {
        h.click("cmdAdd");
        h.typeText(h.field("txtName"), "Рис");
    } else {
        h.openChange(1);
        QCOMPARE(h.field("txtNorm")->text(), QStringLiteral("50"));
    }
    h.type(h.field("txtNorm"), norm);
    h.clickDialog("cmdClose");

    QCOMPARE(h.boxes.count(), 0);
    QVERIFY(!h.dialog().isVisible());
    QCOMPARE(h.g.objCatalog.size(), qint16(adding ? 2 : 1));
    QCOMPARE(h.product(adding ? 2 : 1).Norma(), qint16(stored));
}

void tst_frmdialogproduct::normOutOfRange_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("norm");

    for (bool adding : {true, false}) {
        const char* path = adding ? "add" : "change";
        QTest::addRow("%s: 32768", path) << adding << "32768";
        QTest::addRow("%s: 32767.5 rounds out", path) << adding << "32767.5";
        QTest::addRow("%s: -32769", path) << adding << "-32769";
        QTest::addRow("%s: exponent", path) << adding << "1e10";
        QTest::addRow("%s: huge hex", path) << adding << "&HFFFFFFFFF";
    }
}

void tst_frmdialogproduct::normOutOfRange()
{
    QFETCH(bool, adding);
    QFETCH(QString, norm);

    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}});
    frmMenu& m = h.open();
    h.menu().EnableRename();
    if (adding) {
        h.click("cmdAdd");
        h.typeText(h.field("txtName"), "Рис");
    } else {
        h.openChange(1);
        h.type(h.field("txtName"), "Сахар-песок");
    }
    h.type(h.field("txtNorm"), norm);
    h.clickDialog("cmdClose");

    QCOMPARE(h.boxes.count(), 1);
    QCOMPARE(h.boxes.last().text, QStringLiteral("Нормировка должна быть числом от -32768 до 32767!"));
    QCOMPARE(h.boxes.last().caption, QStringLiteral("Неверный формат данных"));
    // The dialog stays open on the norm, nothing stored.
    QVERIFY(h.dialog().isVisible());
    QVERIFY(!m.isEnabled());
    QCOMPARE(h.g.objCatalog.size(), qint16(1));
    QCOMPARE(h.product(1).Name(), QStringLiteral("Сахар"));
    QCOMPARE(h.product(1).Norma(), qint16(50));
    QCOMPARE(h.dialog().focusWidget(), h.field("txtNorm"));

    // Corrected, it goes through.
    h.type(h.field("txtNorm"), "70");
    h.clickDialog("cmdClose");
    QVERIFY(!h.dialog().isVisible());
    QCOMPARE(h.product(adding ? 2 : 1).Norma(), qint16(70));
    QCOMPARE(h.product(adding ? 2 : 1).Name(), adding ? QStringLiteral("Рис") : QStringLiteral("Сахар-песок"));
}

void tst_frmdialogproduct::missingName_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("name");

    QTest::newRow("add, empty") << true << "";
    QTest::newRow("change, emptied") << false << "";
}

// Only an empty name is missing: blanks are a name, kept as typed.
void tst_frmdialogproduct::blanksAreAName()
{
    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}});
    h.open();
    h.click("cmdAdd");
    h.type(h.field("txtName"), "   ");
    h.type(h.field("txtNorm"), "10");
    h.clickDialog("cmdClose");
    QCOMPARE(h.boxes.count(), 0);
    QVERIFY(!h.dialog().isVisible());
    QCOMPARE(h.g.objCatalog.size(), qint16(2));
    QCOMPARE(h.product(2).Name(), QStringLiteral("   "));
}

void tst_frmdialogproduct::missingName()
{
    QFETCH(bool, adding);
    QFETCH(QString, name);

    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}});
    h.open();
    h.menu().EnableRename();
    if (adding)
        h.click("cmdAdd");
    else
        h.openChange(1);
    h.type(h.field("txtName"), name);
    h.type(h.field("txtNorm"), "10");
    h.clickDialog("cmdClose");

    QCOMPARE(h.boxes.count(), 1);
    QCOMPARE(h.boxes.last().text, QStringLiteral("Отсутствует наименование продукта!"));
    QCOMPARE(h.boxes.last().caption, QStringLiteral("Error!"));
    QVERIFY(h.dialog().isVisible());
    QCOMPARE(h.dialog().focusWidget(), h.field("txtName"));
    QCOMPARE(h.g.objCatalog.size(), qint16(1));
    QCOMPARE(h.product(1).Name(), QStringLiteral("Сахар"));
    QCOMPARE(h.product(1).Norma(), qint16(50));
}

void tst_frmdialogproduct::repeatedName_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("typed");

    QTest::newRow("add an existing name") << true << 0 << QStringList{"Чай"};
    QTest::newRow("rename to another product") << false << 1 << QStringList{"Чай"};
    QTest::newRow("own name typed back") << false << 1 << QStringList{"Сахар-песок", "Сахар"};
}

void tst_frmdialogproduct::repeatedName()
{
    QFETCH(bool, adding);
    QFETCH(int, position);
    QFETCH(QStringList, typed);

    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Чай", "2", "пак"}});
    frmMenu& m = h.open();
    m.EnableRename();
    if (adding)
        h.click("cmdAdd");
    else
        h.openChange(qint16(position));
    for (const QString& name : typed)
        h.type(h.field("txtName"), name);
    h.type(h.field("txtNorm"), "7");
    h.clickDialog("cmdClose");

    QCOMPARE(h.boxes.count(), 1);
    QCOMPARE(h.boxes.last().text,
             QStringLiteral("Продукт с таким именем уже существует! Используйте другое название!"));
    QCOMPARE(h.boxes.last().caption, QStringLiteral("Повторное значение"));
    // The dialog closes as Cancel does; nothing is stored.
    QVERIFY(!h.dialog().isVisible());
    QVERIFY(m.isEnabled());
    QCOMPARE(h.g.objCatalog.size(), qint16(2));
    QCOMPARE(h.product(1).Name(), QStringLiteral("Сахар"));
    QCOMPARE(h.product(1).Norma(), qint16(50));
    QCOMPARE(h.product(2).Name(), QStringLiteral("Чай"));
    QCOMPARE(h.product(2).Norma(), qint16(2));
}

void tst_frmdialogproduct::unchangedNameIsNotCompared()
{
    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Чай", "2", "пак"}});
    h.open();
    h.menu().EnableRename();

    // OK without edits stores the same values and says nothing.
    h.openChange(2);
    QCOMPARE(h.title(), QStringLiteral("Изменить"));
    QCOMPARE(h.field("txtName")->text(), QStringLiteral("Чай"));
    QCOMPARE(h.unit()->currentText(), QStringLiteral("пак"));
    h.clickDialog("cmdClose");
    QCOMPARE(h.boxes.count(), 0);
    QCOMPARE(h.product(2).Name(), QStringLiteral("Чай"));
    QCOMPARE(h.product(2).Norma(), qint16(2));
    QCOMPARE(h.product(2).strProductEdin, QStringLiteral("пак"));

    // Only the norm and the unit change.
    h.openChange(1);
    h.type(h.field("txtNorm"), "60");
    h.typeUnit("г");
    h.clickDialog("cmdClose");
    QCOMPARE(h.boxes.count(), 0);
    QCOMPARE(h.product(1).Norma(), qint16(60));
    QCOMPARE(h.product(1).strProductEdin, QStringLiteral("г"));

    // A product whose norm is 0 shows an empty norm field.
    h.g.objCatalog.GetProduct(1).setNorma(0);
    h.menu().Form_Activate();
    h.openChange(1);
    QVERIFY(h.field("txtNorm")->text().isEmpty());
    h.clickDialog("cmdEsc");

    // A name check after a rejected norm still sees the edited name.
    h.openChange(1);
    h.type(h.field("txtName"), "Чай");
    h.type(h.field("txtNorm"), "99999");
    h.clickDialog("cmdClose");
    QCOMPARE(h.boxes.count(), 1);
    QVERIFY(h.dialog().isVisible());
    h.type(h.field("txtNorm"), "5");
    h.clickDialog("cmdClose");
    QCOMPARE(h.boxes.count(), 2);
    QCOMPARE(h.boxes.last().caption, QStringLiteral("Повторное значение"));
    QCOMPARE(h.product(1).Name(), QStringLiteral("Сахар"));
}

void tst_frmdialogproduct::cancelStoresNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << "button";
    QTest::newRow("escape") << "escape";
    QTest::newRow("frame") << "frame";
}

void tst_frmdialogproduct::cancelStoresNothing()
{
    QFETCH(QString, how);

    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}});
    frmMenu& m = h.open();
    m.EnableRename();
    h.openChange(1);
    h.type(h.field("txtName"), "Соль");
    h.type(h.field("txtNorm"), "5");
    if (how == "button")
        h.clickDialog("cmdEsc");
    else if (how == "escape")
        QTest::keyClick(h.field("txtNorm"), Qt::Key_Escape);
    else
        h.dialog().close();

    QVERIFY(!h.dialog().isVisible());
    QVERIFY(m.isEnabled());
    QCOMPARE(h.product(1).Name(), QStringLiteral("Сахар"));
    QCOMPARE(h.product(1).Norma(), qint16(50));
    QCOMPARE(h.boxes.count(), 0);
}

void tst_frmdialogproduct::changeShowsEverywhere()
{
    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Чай", "2", "пак"}});
    h.setMeal(1, 1, {1, 2});
    h.g.intCountPeople = 4;
    frmMenu& m = h.open();
    m.EnableRename();
    QCOMPARE(h.g.objMenuList.GetMenu(1).GetVes(h.g.objCatalog, h.g.intCountPeople), 200);

    h.openChange(1);
    h.type(h.field("txtName"), "Азу");
    h.type(h.field("txtNorm"), "75");
    h.clickDialog("cmdClose");

    QCOMPARE(h.texts(h.grid("tblProduct")), (QList<QStringList>{{"Азу", " 75", "гр"}, {"Чай", " 2", "пак"}}));
    QCOMPARE(h.texts(h.grid("tblCatalog")), (QList<QStringList>{{"Азу", " 75гр"}, {"Чай", " 2пак"}}));
    QCOMPARE(h.g.objMenuList.GetMenu(1).GetVes(h.g.objCatalog, h.g.intCountPeople), 300);
    h.click("cmdChange");
    QCOMPARE(h.names(h.grid("tblDayMenu")), (QStringList{"Азу", "Чай"}));
}

void tst_frmdialogproduct::currentRowAfterStore()
{
    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Чай", "2", "пак"}});
    frmMenu& m = h.open();
    m.EnableRename();

    // Added: its own row is current, wherever its name sorts.
    h.click("cmdAdd");
    h.typeText(h.field("txtName"), "Бобы");
    h.clickDialog("cmdClose");
    QCOMPARE(h.current(h.grid("tblProduct")), QPoint(2, 1));

    // Changed: the row of the product added last, not of the changed one.
    h.openChange(2);
    h.type(h.field("txtName"), "Ячмень");
    h.clickDialog("cmdClose");
    QCOMPARE(h.names(h.grid("tblProduct")), (QStringList{"Бобы", "Сахар", "Ячмень"}));
    QCOMPARE(h.current(h.grid("tblProduct")), QPoint(2, 1));
}

void tst_frmdialogproduct::doubleClickOpensChange()
{
    DialogHarness h;
    h.addProducts({{"Сахар", "50", "гр"}, {"Чай", "2", "пак"}, {"Гречка", "80", "гр"}});
    frmMenu& m = h.open();
    QTableView* grid = h.grid("tblProduct");
    const QRect row2 = grid->visualRect(grid->model()->index(1, 0)); // Сахар
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row2.center());
    QVERIFY(h.dialog().isVisible());
    QCOMPARE(h.title(), QStringLiteral("Изменить"));
    QCOMPARE(m.ActiveProduct(), qint16(1));
    QCOMPARE(h.field("txtName")->text(), QStringLiteral("Сахар"));
    QVERIFY(!m.isEnabled());
}

QTEST_MAIN(tst_frmdialogproduct)
#include "tst_frmdialogproduct.moc"
