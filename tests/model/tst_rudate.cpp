#include "model/RuDate.h"

#include <QLocale>
#include <QTest>

class tst_rudate : public QObject
{
    Q_OBJECT

private slots:
    void forms_data();
    void forms();
    void formsIgnoreProcessLocale();
    void invalidDateGivesEmptyText();
    void names();
    void parseShort_data();
    void parseShort();
    void parseShortRoundTrip();
};

void tst_rudate::forms_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("shortForm");
    QTest::addColumn<QString>("medium");
    QTest::addColumn<QString>("longForm");
    QTest::addColumn<QString>("withWeekday");

    QTest::newRow("sunday in june") << QDate(2026, 6, 7) << "07.06.2026"
                                    << "07-июн-26"
                                    << "7  июня  2026"
                                    << " 7  июня  2026, ( воскресенье )";
    QTest::newRow("two-digit day, monday") << QDate(2026, 3, 2).addDays(28) << "30.03.2026"
                                           << "30-мар-26"
                                           << "30  марта  2026"
                                           << " 30  марта  2026, ( понедельник )";
    QTest::newRow("may is its own abbreviation") << QDate(2025, 5, 1) << "01.05.2025"
                                                 << "01-май-25"
                                                 << "1  мая  2025"
                                                 << " 1  мая  2025, ( четверг )";
    QTest::newRow("new year's eve, wednesday") << QDate(2025, 12, 31) << "31.12.2025"
                                               << "31-дек-25"
                                               << "31  декабря  2025"
                                               << " 31  декабря  2025, ( среда )";
    QTest::newRow("start-up date") << QDate(1900, 1, 1) << "01.01.1900"
                                   << "01-янв-00"
                                   << "1  января  1900"
                                   << " 1  января  1900, ( понедельник )";
    QTest::newRow("leap day, saturday") << QDate(2020, 2, 29) << "29.02.2020"
                                        << "29-фев-20"
                                        << "29  февраля  2020"
                                        << " 29  февраля  2020, ( суббота )";
}

void tst_rudate::forms()
{
    QFETCH(QDate, date);
    QFETCH(QString, shortForm);
    QFETCH(QString, medium);
    QFETCH(QString, longForm);
    QFETCH(QString, withWeekday);

    QCOMPARE(RuDate::shortDate(date), shortForm);
    QCOMPARE(RuDate::mediumDate(date), medium);
    QCOMPARE(RuDate::longDate(date), longForm);
    QCOMPARE(RuDate::longDateWithWeekday(date), withWeekday);
}

void tst_rudate::formsIgnoreProcessLocale()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDate d(2026, 6, 7);
    QCOMPARE(RuDate::shortDate(d), QString("07.06.2026"));
    QCOMPARE(RuDate::longDateWithWeekday(d), QString(" 7  июня  2026, ( воскресенье )"));
    QLocale::setDefault(previous);
}

void tst_rudate::invalidDateGivesEmptyText()
{
    QCOMPARE(RuDate::shortDate(QDate()), QString());
    QCOMPARE(RuDate::mediumDate(QDate()), QString());
    QCOMPARE(RuDate::longDate(QDate()), QString());
    QCOMPARE(RuDate::longDateWithWeekday(QDate()), QString());
}

void tst_rudate::names()
{
    QCOMPARE(RuDate::monthGenitive(1), QString("января"));
    QCOMPARE(RuDate::monthGenitive(12), QString("декабря"));
    QCOMPARE(RuDate::monthShort(9), QString("сен"));
    QCOMPARE(RuDate::weekdayName(1), QString("понедельник"));
    QCOMPARE(RuDate::weekdayName(7), QString("воскресенье"));
    QCOMPARE(RuDate::monthGenitive(0), QString());
    QCOMPARE(RuDate::monthShort(13), QString());
    QCOMPARE(RuDate::weekdayName(8), QString());
}

void tst_rudate::parseShort_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid: not a date

    QTest::newRow("short form") << "07.06.2026" << QDate(2026, 6, 7);
    QTest::newRow("single digits") << "7.6.2026" << QDate(2026, 6, 7);
    QTest::newRow("blanks around") << "  07.06.2026 " << QDate(2026, 6, 7);
    QTest::newRow("slashes") << "07/06/2026" << QDate(2026, 6, 7);
    QTest::newRow("dashes") << "7-6-2026" << QDate(2026, 6, 7);
    QTest::newRow("two-digit year 2000s") << "07.06.26" << QDate(2026, 6, 7);
    QTest::newRow("two-digit year 29") << "01.01.29" << QDate(2029, 1, 1);
    QTest::newRow("two-digit year 1900s") << "01.01.30" << QDate(1930, 1, 1);
    QTest::newRow("leap day") << "29.02.2024" << QDate(2024, 2, 29);
    QTest::newRow("far end") << "01.01.9999" << QDate(9999, 1, 1);
    QTest::newRow("31 february") << "31.02.2026" << QDate();
    QTest::newRow("29 february of a common year") << "29.02.2026" << QDate();
    QTest::newRow("1900 not leap") << "29.02.1900" << QDate();
    QTest::newRow("31 april") << "31.04.2026" << QDate();
    QTest::newRow("month 13") << "01.13.2026" << QDate();
    QTest::newRow("day 0") << "00.06.2026" << QDate();
    QTest::newRow("year 0000") << "01.01.0000" << QDate();
    QTest::newRow("mixed separators") << "07.06/2026" << QDate();
    QTest::newRow("three-digit year") << "07.06.202" << QDate();
    QTest::newRow("five-digit year") << "07.06.20260" << QDate();
    QTest::newRow("blank inside") << "07. 06.2026" << QDate();
    QTest::newRow("trailing text") << "07.06.2026г" << QDate();
    QTest::newRow("two parts") << "07.06" << QDate();
    QTest::newRow("negative") << "-7.06.2026" << QDate();
    QTest::newRow("words") << "седьмое июня" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("٠٧.٠٦.٢٠٢٦") << QDate();
}

void tst_rudate::parseShort()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const std::optional<QDate> parsed = RuDate::parseShort(text);
    if (expected.isValid()) {
        QVERIFY(parsed.has_value());
        QCOMPARE(*parsed, expected);
    } else {
        QVERIFY(!parsed.has_value());
    }
}

void tst_rudate::parseShortRoundTrip()
{
    for (QDate d(2024, 1, 1); d.year() == 2024; d = d.addDays(1)) {
        const auto back = RuDate::parseShort(RuDate::shortDate(d));
        QVERIFY(back.has_value());
        QCOMPARE(*back, d);
    }
}

QTEST_GUILESS_MAIN(tst_rudate)
#include "tst_rudate.moc"
