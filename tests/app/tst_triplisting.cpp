#include "app/TripListing.h"

#include <QTest>

// The lists go to a terminal: nothing from a trip file may drive it.
class tst_triplisting : public QObject
{
    Q_OBJECT

private slots:
    void controlCharacters_data();
    void controlCharacters();
};

void tst_triplisting::controlCharacters_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("printed");

    const QString r(QChar::ReplacementCharacter);
    QTest::newRow("plain") << "Гречка «ядрица»"
                           << "Гречка «ядрица»";
    QTest::newRow("escape sequence") << "a\x1b[2Jb"
                                     << "a" + r + "[2Jb";
    QTest::newRow("bell") << "x\ay"
                          << "x" + r + "y";
    QTest::newRow("nul") << QString("n") + QChar(0) + "m"
                         << "n" + r + "m";
    QTest::newRow("backspace and delete") << "a\bb\x7f"
                                          << "a" + r + "b" + r;
    QTest::newRow("C1 control") << QString("c") + QChar(0x9b) + "31m"
                                << "c" + r + "31m";
    // The column and line separators inside a cell only split the row: a blank.
    QTest::newRow("tab and line ends") << "a\tb\nc\rd"
                                       << "a b c d";
}

void tst_triplisting::controlCharacters()
{
    QFETCH(QString, cell);
    QFETCH(QString, printed);

    const QByteArray bytes = TripListing::toTsv({{cell, "1", "гр"}});
    QCOMPARE(QString::fromUtf8(bytes), printed + "\t1\tгр\n");
}

QTEST_MAIN(tst_triplisting)
#include "tst_triplisting.moc"
