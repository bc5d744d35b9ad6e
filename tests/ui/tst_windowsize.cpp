#include "ui/WindowSize.h"

#include <QTest>

class tst_windowsize : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void fit_data();
    void fit();
};

void tst_windowsize::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("expected"); // invalid: refused

    QTest::newRow("laptop") << "1280x800" << QSize(1280, 800);
    QTest::newRow("smallest") << "1x1" << QSize(1, 1);
    QTest::newRow("largest") << "100000x100000" << QSize(100000, 100000);
    QTest::newRow("past the largest") << "100001x600" << QSize();
    QTest::newRow("zero") << "0x600" << QSize();
    QTest::newRow("negative") << "-5x600" << QSize();
    QTest::newRow("past 2^31") << "2147483648x600" << QSize();
    QTest::newRow("leading zeros") << "0800x0600" << QSize(800, 600);
    QTest::newRow("blank around") << " 800x600" << QSize();
    QTest::newRow("three numbers") << "800x600x2" << QSize();
    QTest::newRow("cyrillic x") << "800х600" << QSize();
    QTest::newRow("empty") << "" << QSize();
}

void tst_windowsize::parse()
{
    QFETCH(QString, text);
    QFETCH(QSize, expected);
    const std::optional<QSize> size = WindowSize::parse(text);
    QCOMPARE(size.has_value(), expected.isValid());
    if (size) {
        QCOMPARE(*size, expected);
        QCOMPARE(WindowSize::parse(WindowSize::text(*size)), size);
    }
}

void tst_windowsize::fit_data()
{
    QTest::addColumn<QSize>("wanted");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("expected");

    const QRect laptop(0, 0, 1280, 760);
    QTest::newRow("fits") << QSize(900, 600) << laptop << QSize(900, 600);
    QTest::newRow("just fits") << QSize(1264, 720) << laptop << QSize(1264, 720);
    QTest::newRow("too wide") << QSize(1265, 600) << laptop << QSize(1264, 600);
    QTest::newRow("too tall") << QSize(900, 100000) << laptop << QSize(900, 720);
    QTest::newRow("empty wish") << QSize(0, 0) << laptop << QSize(1, 1);
    QTest::newRow("no room") << QSize(900, 600) << QRect(0, 0, 10, 10) << QSize(1, 1);
    QTest::newRow("screen not at the origin") << QSize(900, 600) << QRect(1280, 0, 800, 600) << QSize(784, 560);
}

void tst_windowsize::fit()
{
    QFETCH(QSize, wanted);
    QFETCH(QRect, available);
    QFETCH(QSize, expected);
    QCOMPARE(WindowSize::fit(wanted, available), expected);
}

QTEST_MAIN(tst_windowsize)
#include "tst_windowsize.moc"
