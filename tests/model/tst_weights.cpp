#include "app/TripListing.h"
#include "export/LayoutDocument.h"
#include "model/GlobalVariable.h"
#include "model/RuDate.h"
#include "platform/MessageBox.h"
#include "support/SampleTrip.h"
#include "ui/Forms.h"
#include "ui/viewer/frmRasklad.h"

#include <QLabel>
#include <QTest>

// Meal and day weights past 2^31 grams: every place that shows them gives the whole number.
class tst_weights : public QObject
{
    Q_OBJECT

private slots:
    void pastThirtyTwoBits();
};

void tst_weights::pastThirtyTwoBits()
{
    // 2200 products at the largest norm, 30 participants: 2 162 622 000 g at lunch.
    QList<QStringList> products;
    QStringList lunch;
    for (int i = 1; i <= 2200; ++i) {
        products.append({QStringLiteral("П%1").arg(i), "32767", "гр"});
        lunch.append(QString::number(i));
    }
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, products, {lunch.join(' ') + " | | "}, 30, 1, 2);
    const qint64 intMeal = qint64(2200) * 32767 * 30;
    QCOMPARE(g.objMenuList.GetMenu(1).GetTrapeza(1)->GetVes(g.objCatalog, 30), intMeal);
    QCOMPARE(g.objMenuList.GetMenu(1).GetVes(g.objCatalog, 30), intMeal);
    const QString perPerson = QString::number(intMeal / 30); // 72 087 400

    const QList<QStringList> rows = TripListing::weights(g);
    QCOMPARE(rows.first(), (QStringList{"1", RuDate::shortDate(g.dtDataBegin), perPerson, "0", "0", perPerson}));
    QCOMPARE(rows.last(), (QStringList{"total", QString::number(2 * intMeal)}));

    const LayoutDocument::DayBlock block = LayoutDocument::dayBlock(g, 1, 0);
    QCOMPARE(block.mealWeights.first(), perPerson);
    QCOMPARE(block.strDayWeight, perPerson);

    MessageBox::Recorder boxes;
    Forms forms(g);
    frmRasklad& w = forms.Rasklad();
    w.Init();
    QCOMPARE(w.findChild<QLabel*>("lblVes")->text(), "Удельный вес обеда  -  " + perPerson + " гр.");
    QCOMPARE(w.findChild<QLabel*>("lblSutRac")->text(), "Удельный вес рациона -  " + perPerson + " гр.");
}

QTEST_MAIN(tst_weights)
#include "tst_weights.moc"
