#include "model/FactsText.h"
#include "model/FoodReference.h"
#include "model/GlobalVariable.h"
#include "support/PlatformRecorder.h"
#include "tripfile/TripFile.h"
#include "tripfile/TripTemplate.h"
#include "ui/Forms.h"
#include "ui/editor/frmMenu.h"
#include "ui/main/frmMainForm.h"
#include "ui/tools/frmNutrition.h"
#include "ui/tools/frmReference.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Sample = QStringLiteral(TORBEL_TEST_DATA_DIR "/../../examples/karelia.trb");

QStringList column(const QTableView* view, int intColumn)
{
    QStringList list;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        list.append(view->model()->index(r, intColumn).data().toString());
    return list;
}

// Typed letter by letter; QTest's own typing knows ASCII only.
void typeText(QWidget* widget, const QString& strText)
{
    for (const QChar c : strText)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Types into a cell as the user does: the cell's editor, then Enter.
void typeInCell(QTableView* view, int intRow, int intColumn, const QString& strText)
{
    const QModelIndex index = view->model()->index(intRow, intColumn);
    view->setCurrentIndex(index);
    view->edit(index);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    typeText(editor, strText);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view takes the value after the key, as the event loop goes on.
    QCoreApplication::processEvents();
    QCOMPARE(index.data().toString(), strText);
}

// Finds a food by typing and chooses it with Enter.
void choose(frmReference& w, const QString& strQuery)
{
    auto* find = w.findChild<QLineEdit*>(QStringLiteral("txtFind"));
    find->selectAll();
    typeText(find, strQuery);
    QTest::keyClick(find, Qt::Key_Return);
}

const clsProduct* productNamed(const clsCatalog& c, const QString& strName)
{
    for (int i = 1; i <= c.size(); ++i) {
        if (c.GetProduct(static_cast<qint16>(i)).Name() == strName)
            return &c.GetProduct(static_cast<qint16>(i));
    }
    return nullptr;
}

} // namespace

class tst_frmreference : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fromTheCatalogView();
    void search_data();
    void search();
    void alreadyInTheCatalog();
    void cancelAddsNothing();
    void fromTheNutritionWindow();
    void newTrip_data();
    void newTrip();

private:
    frmReference& openFromCatalog();

    std::unique_ptr<TestSupport::PlatformRecorder> m_platform;
    std::unique_ptr<GlobalVariable> m_g;
    std::unique_ptr<Forms> m_forms;
};

void tst_frmreference::init()
{
    m_platform = std::make_unique<TestSupport::PlatformRecorder>();
    m_g = std::make_unique<GlobalVariable>();
    InitGlobalVariable(*m_g);
    m_forms = std::make_unique<Forms>(*m_g);
    m_forms->MainForm().show();
}

void tst_frmreference::cleanup()
{
    m_forms.reset();
    m_g.reset();
    m_platform.reset();
}

frmReference& tst_frmreference::openFromCatalog()
{
    m_forms->MainForm().cmdMenu_Click();
    frmMenu& menu = m_forms->Menu();
    auto* button = menu.findChild<QPushButton*>(QStringLiteral("cmdReference"));
    if (button)
        QTest::mouseClick(button, Qt::LeftButton);
    return m_forms->Reference();
}

void tst_frmreference::fromTheCatalogView()
{
    frmReference& w = openFromCatalog();
    frmMenu& menu = m_forms->Menu();
    QVERIFY(w.isVisible());
    QVERIFY(!menu.isEnabled());
    choose(w, QStringLiteral("  ГРЕЧ"));
    choose(w, QStringLiteral("перепел"));
    auto* chosen = w.findChild<QTableView*>(QStringLiteral("tblChosen"));
    QCOMPARE(column(chosen, 0), (QStringList{"Гречка", "Яйцо перепелиное"}));
    QCOMPARE(column(chosen, 2), (QStringList{"гр", "шт"}));

    // Without the norms nothing is added and the user is told which are missing.
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QCOMPARE(m_platform->boxes.count(), 1);
    QVERIFY2(m_platform->boxes.last().text.startsWith(
                 QStringLiteral("Укажите норму на участника: Гречка, Яйцо перепелиное.")),
             qPrintable(m_platform->boxes.last().text));
    QCOMPARE(m_g->objCatalog.size(), qint16(0));
    QVERIFY(w.isVisible());

    // A norm to be typed stands out until it is typed.
    QVERIFY(chosen->model()->index(1, 1).data(Qt::BackgroundRole).isValid());
    typeInCell(chosen, 0, 1, QStringLiteral("80"));
    typeInCell(chosen, 1, 1, QStringLiteral("2"));
    QVERIFY(!chosen->model()->index(1, 1).data(Qt::BackgroundRole).value<QBrush>().color().isValid() ||
            chosen->model()->index(1, 1).data(Qt::BackgroundRole).value<QBrush>().style() == Qt::NoBrush);
    m_g->blnChanged = false;
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(menu.isEnabled());
    QVERIFY(m_g->blnChanged);
    QCOMPARE(m_platform->boxes.count(), 1);
    QCOMPARE(m_g->objCatalog.size(), qint16(2));
    const clsProduct& egg = m_g->objCatalog.GetProduct(2);
    QCOMPARE(egg.Name(), QStringLiteral("Яйцо перепелиное"));
    QCOMPARE(egg.Norma(), qint16(2));
    QCOMPARE(egg.strProductEdin, QStringLiteral("шт"));
    QCOMPARE(egg.facts.energy, FactValue(15800));
    QCOMPARE(egg.facts.gramsPerUnit, FactValue(900));
    // The catalog grid shows them at once, in name order.
    QCOMPARE(menu.nameOrder().size(), qint16(2));
    auto* grid = menu.findChild<QTableView*>(QStringLiteral("tblProduct"));
    QCOMPARE(column(grid, 0), (QStringList{"Гречка", "Яйцо перепелиное"}));
    QCOMPARE(column(grid, 1), (QStringList{" 80", " 2"}));

    // The grid's context menu and its shortcut do the same.
    auto* action = grid->findChild<QAction*>(QStringLiteral("actReference"));
    QVERIFY(action && grid->actions().contains(action));
    QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
    action->trigger();
    QVERIFY(w.isVisible());
    w.cmdCancel_Click();
    QVERIFY(menu.isEnabled());
}

void tst_frmreference::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("count"); // -1: as many as the reference finds

    QTest::newRow("case, ё and blanks") << "  сгущЕнное   МОЛОКО "
                                        << ""
                                        << "Сгущёнка" << -1;
    QTest::newRow("a synonym") << "доширак"
                               << ""
                               << "Лапша быстрого приготовления" << 1;
    QTest::newRow("a group alone") << ""
                                   << "Сыр"
                                   << "Сыр чеддер" << 13;
    QTest::newRow("a group hides the rest") << "гречка"
                                            << "Сыр"
                                            << "" << 0;
    QTest::newRow("nothing typed: everything") << ""
                                               << ""
                                               << "Масло сливочное" << 352;
}

void tst_frmreference::search()
{
    QFETCH(QString, query);
    QFETCH(QString, group);
    QFETCH(QString, first);
    QFETCH(int, count);
    frmReference& w = openFromCatalog();
    auto* groups = w.findChild<QComboBox*>(QStringLiteral("cboGroup"));
    QCOMPARE(groups->itemText(0), QStringLiteral("Все группы"));
    if (!group.isEmpty())
        groups->setCurrentText(group);
    typeText(w.findChild<QLineEdit*>(QStringLiteral("txtFind")), query);
    const QStringList shown = column(w.findChild<QTableView*>(QStringLiteral("tblFoods")), 0);
    QCOMPARE(shown.value(0), first);
    if (count >= 0)
        QCOMPARE(shown.size(), count);
    QCOMPARE(shown.size(), w.found().size());
}

void tst_frmreference::alreadyInTheCatalog()
{
    QString strMessage;
    QVERIFY(TripFile::load(*m_g, Sample, strMessage));
    frmReference& w = openFromCatalog();
    // "Сгущёнка" is the first name of the sample's "Сгущённое молоко".
    choose(w, QStringLiteral("сгущенка"));
    choose(w, QStringLiteral("финики"));
    QCOMPARE(column(w.findChild<QTableView*>(QStringLiteral("tblChosen")), 0), QStringList{"Финики"});
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QString());
    choose(w, QStringLiteral("сгущенка"));
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(),
             QStringLiteral("Уже в каталоге: Сгущённое молоко."));
    QCOMPARE(column(w.findChild<QTableView*>(QStringLiteral("tblChosen")), 0), QStringList{"Финики"});
}

void tst_frmreference::cancelAddsNothing()
{
    frmReference& w = openFromCatalog();
    choose(w, QStringLiteral("рис"));
    typeInCell(w.findChild<QTableView*>(QStringLiteral("tblChosen")), 0, 1, QStringLiteral("80"));
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QVERIFY(m_forms->Menu().isEnabled());
    QCOMPARE(m_g->objCatalog.size(), qint16(0));
    // The next opening starts afresh.
    openFromCatalog();
    QCOMPARE(w.findChild<QTableView*>(QStringLiteral("tblChosen"))->model()->rowCount(), 0);
}

void tst_frmreference::fromTheNutritionWindow()
{
    QString strMessage;
    QVERIFY(TripFile::load(*m_g, Sample, strMessage));
    m_forms->MainForm().mnuNutrition_Click();
    frmNutrition& nutrition = m_forms->Nutrition();
    QTest::mouseClick(nutrition.findChild<QPushButton*>(QStringLiteral("cmdReference")), Qt::LeftButton);
    frmReference& w = m_forms->Reference();
    QVERIFY(w.isVisible());
    QVERIFY(!nutrition.isEnabled());
    // Its frame does not close the window under the open reference.
    nutrition.close();
    QVERIFY(nutrition.isVisible());
    // "Сухари" is in the sample's catalog: it is not chosen, and the user is told.
    choose(w, QStringLiteral("сухари"));
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(), QStringLiteral("Уже в каталоге: Сухари."));
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QCOMPARE(m_platform->boxes.last().text, QStringLiteral("Ничего не выбрано: найдите продукт и нажмите «Выбрать»."));
    QVERIFY(w.isVisible());
    w.cmdCancel_Click();
    QCOMPARE(m_g->objCatalog.size(), qint16(42));
    QVERIFY(nutrition.isEnabled());

    QTest::mouseClick(nutrition.findChild<QPushButton*>(QStringLiteral("cmdReference")), Qt::LeftButton);
    choose(w, QStringLiteral("финики"));
    typeInCell(w.findChild<QTableView*>(QStringLiteral("tblChosen")), 0, 1, QStringLiteral("3"));
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QCOMPARE(m_g->objCatalog.size(), qint16(43));
    QVERIFY(nutrition.isEnabled());
    // The products table shows the new product with its values.
    auto* facts = nutrition.findChild<QTableView*>(QStringLiteral("tblFacts"));
    QVERIFY(column(facts, 0).contains(QStringLiteral("Финики")));
    const int intRow = int(column(facts, 0).indexOf(QStringLiteral("Финики")));
    int intKcal = 0;
    while (intKcal < facts->model()->columnCount() && facts->model()->headerData(intKcal, Qt::Horizontal).toString() !=
                                                          FactsText::caption(FactsText::Field::Energy))
        ++intKcal;
    QCOMPARE(facts->model()->index(intRow, intKcal).data().toString(), QStringLiteral("282"));
}

void tst_frmreference::newTrip_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("path"); // the file chosen: "sample", "bad", or empty for cancel
    QTest::addColumn<bool>("done");
    QTest::addColumn<int>("products");
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("changed");

    using F = frmMainForm::NewFrom;
    QTest::newRow("empty") << int(F::Empty) << "" << true << 0 << 1 << false;
    QTest::newRow("the sample's catalog and menus") << int(F::Sample) << "" << true << 42 << 4 << true;
    QTest::newRow("a trip file's catalog") << int(F::File) << "sample" << true << 42 << 1 << true;
    QTest::newRow("file dialog cancelled") << int(F::File) << "" << false << 3 << 2 << true;
    QTest::newRow("no trip file") << int(F::File) << "bad" << false << 3 << 2 << true;
}

void tst_frmreference::newTrip()
{
    QFETCH(int, from);
    QFETCH(QString, path);
    QFETCH(bool, done);
    QFETCH(int, products);
    QFETCH(int, days);
    QFETCH(bool, changed);
    QCOMPARE(TripTemplate::samplePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/karelia.trb"));

    // An open trip of three products and two days, with a file, changed.
    frmMainForm& main = m_forms->MainForm();
    for (const char* name : {"Соль", "Сахар", "Чай"})
        m_g->objCatalog.AddProduct(QString::fromUtf8(name), qint16(5), QStringLiteral("гр"));
    m_g->intCountPeople = 8;
    m_g->strDeffine = QStringLiteral("Старый поход");
    m_forms->Menu().cmdAddDay_Click();
    m_g->strFileName = QStringLiteral("/nowhere/old.trb");
    m_g->blnChanged = true;

    QTemporaryDir dir;
    if (path == QLatin1String("sample"))
        m_platform->files.setNextFileName(Sample);
    else if (path == QLatin1String("bad")) {
        QFile bad(dir.filePath(QStringLiteral("bad.trb")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a trip\r\n");
        bad.close();
        m_platform->files.setNextFileName(bad.fileName());
    }
    m_platform->boxes.setNextAnswer(MessageBox::No); // do not save the old trip

    QCOMPARE(main.NewTrip(static_cast<frmMainForm::NewFrom>(from)), done);
    QCOMPARE(m_platform->boxes.shown().value(0).text, QStringLiteral("Сохранить раскладку?"));
    QCOMPARE(m_platform->boxes.count(), path == QLatin1String("bad") ? 2 : 1);
    QCOMPARE(int(m_g->objCatalog.size()), products);
    QCOMPARE(int(m_g->objMenuList.size()), days);
    QCOMPARE(int(m_g->intPeriod), days);
    QCOMPARE(m_g->blnChanged, changed);
    QCOMPARE(m_forms->Menu().nameOrder().size(), qint16(products));
    if (!done) {
        QCOMPARE(m_g->strFileName, QStringLiteral("/nowhere/old.trb"));
        QCOMPARE(m_g->intCountPeople, qint16(8));
        return;
    }
    QCOMPARE(m_g->strFileName, QString());
    QCOMPARE(m_g->intCountPeople, qint16(0));
    QCOMPARE(m_g->intCountSmena, qint16(0));
    QCOMPARE(m_g->strDeffine, QString());
    QCOMPARE(m_g->dtDataBegin, QDate(1900, 1, 1));
    QCOMPARE(main.StatusPanelTexts().value(0), QStringLiteral("Новая раскладка"));
    if (products > 0) {
        // Each product keeps its values.
        const clsProduct* rice = productNamed(m_g->objCatalog, QStringLiteral("Рис"));
        QVERIFY(rice);
        QCOMPARE(rice->facts.energy, FactValue(36500));
    }
}

QTEST_MAIN(tst_frmreference)
#include "tst_frmreference.moc"
