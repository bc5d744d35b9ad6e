#include "model/TripCheck.h"

#include <QTest>

Q_DECLARE_METATYPE(TripCheck::Field)

class tst_tripcheck : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void tst_tripcheck::check_data()
{
    QTest::addColumn<QDate>("begin");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<int>("people");
    QTest::addColumn<int>("smena");
    QTest::addColumn<TripCheck::Field>("field");
    QTest::addColumn<int>("days");

    const QDate b(2002, 7, 1);
    using F = TripCheck::Field;
    QTest::newRow("51 days") << b << QDate(2002, 8, 20) << 8 << 3 << F::None << 51;
    QTest::newRow("52 days") << b << QDate(2002, 8, 21) << 8 << 3 << F::DataBegin << 0;
    QTest::newRow("one day") << b << b << 1 << 1 << F::None << 1;
    QTest::newRow("reversed") << b << b.addDays(-1) << 8 << 3 << F::DataBegin << 0;
    // A date that is no date must not pass as a one-day trip.
    QTest::newRow("no start") << QDate() << b << 8 << 3 << F::DataBegin << 0;
    QTest::newRow("no end") << b << QDate() << 8 << 3 << F::DataBegin << 0;
    QTest::newRow("bad dates before people") << b << b.addDays(-1) << 0 << 0 << F::DataBegin << 0;
    QTest::newRow("no people") << b << b << 0 << 1 << F::CountPeople << 0;
    QTest::newRow("31 people") << b << b << 31 << 1 << F::CountPeople << 0;
    QTest::newRow("30 people") << b << b << 30 << 15 << F::None << 1;
    QTest::newRow("people before shifts") << b << b << 31 << 0 << F::CountPeople << 0;
    QTest::newRow("no shifts") << b << b << 4 << 0 << F::CountSmena << 0;
}

void tst_tripcheck::check()
{
    QFETCH(QDate, begin);
    QFETCH(QDate, end);
    QFETCH(int, people);
    QFETCH(int, smena);
    QFETCH(TripCheck::Field, field);
    QFETCH(int, days);

    const TripCheck::Result r = TripCheck::check(begin, end, qint16(people), qint16(smena));
    QCOMPARE(r.field, field);
    QCOMPARE(r.ok(), field == TripCheck::Field::None);
    QCOMPARE(r.intCountDay, qint16(days));
    const QString expected = field == TripCheck::Field::None ? QString()
                             : field == TripCheck::Field::DataBegin
                                 ? QStringLiteral("Некорректные даты проведения похода!")
                                 : QStringLiteral("Некорректные данные!");
    QCOMPARE(r.strMessage, expected);
}

QTEST_APPLESS_MAIN(tst_tripcheck)
#include "tst_tripcheck.moc"
