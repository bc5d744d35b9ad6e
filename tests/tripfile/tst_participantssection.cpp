#include "model/GlobalVariable.h"
#include "model/Participants.h"
#include "support/TestSupport.h"
#include "tripfile/ParticipantsSection.h"
#include "tripfile/TripFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>
#include <QTest>

namespace {

QByteArray cp1251(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

// The two-day trip of 4 participants, as its file holds it.
QByteArray twoDays()
{
    QFile f(TestSupport::dataPath(QStringLiteral("tripfile/two_days.trb")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray section(const QStringList& lines)
{
    return cp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

const QString Sep = QString(35, u'_');

QStringList goodSection()
{
    return {QStringLiteral("Участники"),
            QStringLiteral("4,\"Число участников\""),
            QStringLiteral("№ 1;Аня;0.8"),
            QStringLiteral("№ 2;Участник 2;1"),
            QStringLiteral("№ 3;Боря;1.25"),
            QStringLiteral("№ 4;Вера;3"),
            Sep};
}

} // namespace

class tst_participantssection : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void defaultsWriteNoSection();
    void lastLineWithoutLineEnd();
    void malformedRefused_data();
    void malformedRefused();
    void namesRefusedAtSave_data();
    void namesRefusedAtSave();
    void loadFitsTheCount();
};

void tst_participantssection::roundTrip()
{
    const QByteArray bytes = twoDays() + section(goodSection());
    TripData data;
    QString strError;
    QVERIFY2(TripFile::read(bytes, data, strError), qPrintable(strError));
    QCOMPARE(data.participants, (QList<Participant>{{"Аня", 80}, {"Участник 2", 100}, {"Боря", 125}, {"Вера", 300}}));

    GlobalVariable g;
    InitGlobalVariable(g);
    QVERIFY(TripFile::apply(data, g, strError));
    QByteArray written;
    QVERIFY(TripFile::write(TripFile::fromState(g), written, strError));
    QCOMPARE(written, bytes);
}

void tst_participantssection::defaultsWriteNoSection()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    TripData data;
    QString strError;
    QVERIFY(TripFile::read(twoDays(), data, strError));
    QVERIFY(TripFile::apply(data, g, strError));
    QCOMPARE(g.participants.size(), 4);
    QVERIFY(Participants::allDefault(g.participants));
    QByteArray written;
    QVERIFY(TripFile::write(TripFile::fromState(g), written, strError));
    QCOMPARE(written, twoDays());

    // A section of defaults alone is not what the writer writes: the next save would drop it.
    QStringList lines = goodSection();
    lines[2] = QStringLiteral("№ 1;Участник 1;1");
    lines[4] = QStringLiteral("№ 3;Участник 3;1");
    lines[5] = QStringLiteral("№ 4;Участник 4;1");
    QVERIFY(!TripFile::read(twoDays() + section(lines), data, strError));
    QVERIFY2(strError.contains(QStringLiteral("по умолчанию")), qPrintable(strError));
}

void tst_participantssection::malformedRefused_data()
{
    QTest::addColumn<QByteArray>("tail");
    auto with = [](int line, const QString& text) {
        QStringList lines = goodSection();
        if (text.isNull())
            lines.removeAt(line);
        else
            lines[line] = text;
        return section(lines);
    };
    QTest::newRow("count not the trip's") << with(1, QStringLiteral("3,\"Число участников\""));
    QTest::newRow("count not a number") << with(1, QStringLiteral("четыре,\"Число участников\""));
    QTest::newRow("participant missing") << with(5, QString());
    QTest::newRow("wrong number") << with(3, QStringLiteral("№ 3;Участник 2;1"));
    QTest::newRow("no share") << with(2, QStringLiteral("№ 1;Аня"));
    QTest::newRow("extra field") << with(2, QStringLiteral("№ 1;Аня;0.8;1"));
    QTest::newRow("share too small") << with(2, QStringLiteral("№ 1;Аня;0.05"));
    QTest::newRow("share too large") << with(2, QStringLiteral("№ 1;Аня;3.5"));
    QTest::newRow("share with comma") << with(2, QStringLiteral("№ 1;Аня;0,8"));
    QTest::newRow("share three decimals") << with(2, QStringLiteral("№ 1;Аня;0.805"));
    QTest::newRow("empty name") << with(2, QStringLiteral("№ 1;;0.8"));
    QTest::newRow("no separator") << with(6, QString());
    QTest::newRow("short separator") << with(6, QString(29, u'_'));
    QTest::newRow("text after the section") << section(goodSection() + QStringList{QStringLiteral("ещё")});
    QTest::newRow("CR inside a line") << section(goodSection()).replace("0.8", "0\r.8");
    // Numbers only as the writer writes them.
    QTest::newRow("share with a trailing zero") << with(2, QStringLiteral("№ 1;Аня;0.80"));
    QTest::newRow("share with a leading zero") << with(4, QStringLiteral("№ 3;Боря;01.25"));
    QTest::newRow("share with a sign") << with(5, QStringLiteral("№ 4;Вера;+3"));
    QTest::newRow("share 1.0") << with(3, QStringLiteral("№ 2;Участник 2;1.0"));
    QTest::newRow("count with a leading zero") << with(1, QStringLiteral("04,\"Число участников\""));
    QTest::newRow("count with blanks") << with(1, QStringLiteral(" 4 ,\"Число участников\""));
    QTest::newRow("count's label misspelt") << with(1, QStringLiteral("4,\"Число учасников\""));
}

// A last line without its line end is a line, here as anywhere in the file.
void tst_participantssection::lastLineWithoutLineEnd()
{
    TripData whole;
    TripData cut;
    QString strError;
    QVERIFY2(TripFile::read(twoDays() + section(goodSection()), whole, strError), qPrintable(strError));
    QVERIFY2(TripFile::read(twoDays() + section(goodSection()).chopped(2), cut, strError), qPrintable(strError));
    QVERIFY(!cut.participants.isEmpty());
    QCOMPARE(cut.participants, whole.participants);
}

void tst_participantssection::malformedRefused()
{
    QFETCH(QByteArray, tail);
    TripData data;
    QString strError;
    QVERIFY(!TripFile::read(twoDays() + tail, data, strError));
    QVERIFY(!strError.isEmpty());
    QCOMPARE(data, TripData());

    // And the open trip stays as it was.
    GlobalVariable g;
    InitGlobalVariable(g);
    g.participants = {{QStringLiteral("Прежний"), 100}};
    QString strMessage;
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(twoDays() + tail);
    file.close();
    QVERIFY(!TripFile::load(g, file.fileName(), strMessage));
    QCOMPARE(g.participants.at(0).strName, QStringLiteral("Прежний"));
}

void tst_participantssection::namesRefusedAtSave_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("semicolon") << QStringLiteral("Аня;Боря");
    QTest::newRow("line break") << QStringLiteral("Аня\nБоря");
    QTest::newRow("outside the code page") << QStringLiteral("Аня ☃");
    QTest::newRow("blank") << QStringLiteral("  ");
}

void tst_participantssection::namesRefusedAtSave()
{
    QFETCH(QString, name);
    GlobalVariable g;
    InitGlobalVariable(g);
    TripData data;
    QString strError;
    QVERIFY(TripFile::read(twoDays(), data, strError));
    QVERIFY(TripFile::apply(data, g, strError));
    g.participants[1].strName = name;
    QByteArray written;
    QVERIFY(!TripFile::write(TripFile::fromState(g), written, strError));
    QVERIFY2(strError.contains(QStringLiteral("участника № 2")), qPrintable(strError));
    QVERIFY(!Participants::checkName(name, 2, strError));
}

void tst_participantssection::loadFitsTheCount()
{
    GlobalVariable g;
    InitGlobalVariable(g);
    g.participants = {{QStringLiteral("Аня"), 80}};
    TripData data;
    QString strError;
    QVERIFY(TripFile::read(twoDays(), data, strError));
    QVERIFY(TripFile::apply(data, g, strError));
    // The file has no section: its four participants are all defaults.
    QCOMPARE(g.participants.size(), 4);
    QCOMPARE(g.participants.at(0).strName, QStringLiteral("Участник 1"));
}

QTEST_GUILESS_MAIN(tst_participantssection)
#include "tst_participantssection.moc"
