#include "model/ModelErrors.h"
#include "model/Numeric.h"

#include <QTest>

class tst_numeric : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data();
    void leadingNumber();
    void textToInt16_data();
    void textToInt16();
    void overflow_data();
    void overflow();
};

void tst_numeric::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("plain") << "80" << 80.0;
    QTest::newRow("blanks around") << " 80 " << 80.0;
    QTest::newRow("blanks inside") << "1 000" << 1000.0;
    QTest::newRow("tabs and breaks") << "\t1\n2\r\n3" << 123.0;
    QTest::newRow("unit after") << "80g" << 80.0;
    QTest::newRow("comma stops") << "12,5" << 12.0;
    QTest::newRow("decimal") << "2.5" << 2.5;
    QTest::newRow("leading dot") << ".5" << 0.5;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("blank after sign") << "- 5" << -5.0;
    QTest::newRow("exponent E") << "1.5E2" << 150.0;
    QTest::newRow("exponent d") << "2d1" << 20.0;
    QTest::newRow("negative exponent") << "25e-1" << 2.5;
    QTest::newRow("exponent without digits") << "3e" << 3.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex small letters") << "&hff" << 255.0;
    QTest::newRow("hex 16-bit pattern") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O78" << 7.0;
    QTest::newRow("tiny") << "1e-400" << 0.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only sign") << "-" << 0.0;
    QTest::newRow("lone ampersand") << "&" << 0.0;
    QTest::newRow("cyrillic letters") << "сто" << 0.0;
}

void tst_numeric::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Numeric::leadingNumber(text), expected);
}

void tst_numeric::textToInt16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("2.5 ties to even") << "2.5" << 2;
    QTest::newRow("3.5 ties to even") << "3.5" << 4;
    QTest::newRow("12.5") << "12.5" << 12;
    QTest::newRow("13.5") << "13.5" << 14;
    QTest::newRow("-2.5") << "-2.5" << -2;
    QTest::newRow("2.51") << "2.51" << 3;
    QTest::newRow("max") << "32767" << 32767;
    QTest::newRow("min") << "-32768" << -32768;
    QTest::newRow("32767.4") << "32767.4" << 32767;
}

void tst_numeric::textToInt16()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(int(Numeric::textToInt16(text)), expected);
}

void tst_numeric::overflow_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("32768") << "32768";
    QTest::newRow("32767.5 rounds up") << "32767.5";
    QTest::newRow("-32769") << "-32769";
    QTest::newRow("huge exponent") << "1e400";
    QTest::newRow("huge") << "99999999999999999999999";
    QTest::newRow("hex 32-bit") << "&H10000";
}

void tst_numeric::overflow()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(OverflowError, Numeric::textToInt16(text));
}

QTEST_GUILESS_MAIN(tst_numeric)
#include "tst_numeric.moc"
