#include "model/Cp1251.h"
#include "model/GlobalVariable.h"
#include "support/TestSupport.h"
#include "tripfile/TripFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// What may follow the ration: nothing, or the sections exactly as the writer writes
// them. Everything else refuses the whole file, since a save would drop what was not
// understood.
namespace {

QByteArray cp1251(const QString& text)
{
    return Cp1251::bytes(text);
}

QByteArray twoDays()
{
    QFile f(TestSupport::dataPath(QStringLiteral("tripfile/two_days.trb")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The ration of two_days.trb ends on its 42nd line.
constexpr int RationLines = 42;

const QString Facts = QStringLiteral("Пищевая ценность и закупка\r\n"
                                     "3500,\"Калорий в сутки на участника\"\r\n"
                                     "2,\"Размер каталога\"\r\n"
                                     "№ 1;343;13.3;3.4;71.5;;900;120\r\n"
                                     "№ 2;;;;;2;25;89.9\r\n"
                                     "_____________________________\r\n");

const QString People = QStringLiteral("Участники\r\n"
                                      "4,\"Число участников\"\r\n"
                                      "№ 1;Аня;0.8\r\n"
                                      "№ 2;Участник 2;1\r\n"
                                      "№ 3;Боря;1.25\r\n"
                                      "№ 4;Вера;3\r\n"
                                      "___________________________________\r\n");

QString replaced(QString text, const QString& from, const QString& to)
{
    return text.replace(from, to);
}

} // namespace

class tst_trailingsections : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void damagedRefused_data();
    void damagedRefused();
};

void tst_trailingsections::accepted_data()
{
    QTest::addColumn<QByteArray>("tail");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("facts") << cp1251(Facts);
    QTest::newRow("participants") << cp1251(People);
    QTest::newRow("both") << cp1251(Facts + People);
}

// What is accepted is written back byte for byte.
void tst_trailingsections::accepted()
{
    QFETCH(QByteArray, tail);
    TripData data;
    QString strError;
    QVERIFY2(TripFile::read(twoDays() + tail, data, strError), qPrintable(strError));
    QByteArray bytes;
    QVERIFY2(TripFile::write(data, bytes, strError), qPrintable(strError));
    QCOMPARE(bytes, twoDays() + tail);
}

void tst_trailingsections::damagedRefused_data()
{
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<int>("line"); // of the fault, in the whole file

    const int first = RationLines + 1;
    const QString marker = QStringLiteral("Пищевая ценность и закупка");
    const auto facts = [&](const QString& strMarker) { return cp1251(replaced(Facts, marker, strMarker)); };
    QTest::newRow("marker misspelt") << facts(QStringLiteral("Пищевая ценность и закупки")) << first;
    QTest::newRow("marker in other case") << facts(QStringLiteral("пищевая ценность и закупка")) << first;
    QTest::newRow("blank after the marker") << facts(marker + u' ') << first;
    QTest::newRow("blank before the marker") << facts(u' ' + marker) << first;
    QTest::newRow("Latin o in the marker") << facts(QStringLiteral("Пищевая ценнoсть и закупка")) << first;
    QTest::newRow("participants' marker misspelt")
        << cp1251(replaced(People, QStringLiteral("Участники"), QStringLiteral("Учасники"))) << first;
    QTest::newRow("blank line before a section") << cp1251(QStringLiteral("\r\n") + Facts) << first;
    QTest::newRow("blank line after the ration") << QByteArray("\r\n") << first;
    QTest::newRow("a stray line") << cp1251(QStringLiteral("что-то ещё\r\n")) << first;
    QTest::newRow("sections in the other order") << cp1251(People + Facts) << first + 7;
    QTest::newRow("a section twice") << cp1251(Facts + Facts) << first + 6;
    QTest::newRow("CR line ends in a section")
        << cp1251(replaced(Facts, QStringLiteral("\r\n"), QStringLiteral("\r"))) << first;
    QTest::newRow("CR CR LF line ends in a section")
        << cp1251(Facts.first(marker.size() + 2) +
                  replaced(Facts.mid(marker.size() + 2), QStringLiteral("\r\n"), QStringLiteral("\r\r\n")))
        << first + 1;
    QTest::newRow("LF line ends in a section")
        << cp1251(Facts.first(marker.size() + 2) +
                  replaced(Facts.mid(marker.size() + 2), QStringLiteral("\r\n"), QStringLiteral("\n")))
        << first + 1;
    QTest::newRow("cut after the facts' marker") << cp1251(marker + QStringLiteral("\r\n")) << first + 1;
    QTest::newRow("facts' marker without its line end") << cp1251(marker) << first;
    QTest::newRow("cut after the participants' marker") << cp1251(QStringLiteral("Участники\r\n")) << first + 1;
    QTest::newRow("cut inside the participants")
        << cp1251(People.first(People.indexOf(QStringLiteral("№ 3")))) << first + 4;
    QTest::newRow("lines after the participants") << cp1251(People + QStringLiteral("ещё\r\n")) << first + 7;
    QTest::newRow("blank line after the facts") << cp1251(Facts + QStringLiteral("\r\n")) << first + 6;
    QTest::newRow("empty facts section") << cp1251(QStringLiteral("Пищевая ценность и закупка\r\n"
                                                                  "0,\"Калорий в сутки на участника\"\r\n"
                                                                  "2,\"Размер каталога\"\r\n"
                                                                  "№ 1;;;;;;;\r\n"
                                                                  "№ 2;;;;;;;\r\n"
                                                                  "_____________________________\r\n"))
                                         << first + 5;
    QTest::newRow("aim 001") << cp1251(replaced(Facts, QStringLiteral("3500,"), QStringLiteral("001,"))) << first + 1;
    QTest::newRow("aim with blanks") << cp1251(replaced(Facts, QStringLiteral("3500,"), QStringLiteral(" 3000 ,")))
                                     << first + 1;
    QTest::newRow("price 1.50") << cp1251(replaced(Facts, QStringLiteral("89.9"), QStringLiteral("1.50"))) << first + 4;
    QTest::newRow("energy +8") << cp1251(replaced(Facts, QStringLiteral(";343;"), QStringLiteral(";+8;"))) << first + 3;
    QTest::newRow("share 1.50") << cp1251(replaced(People, QStringLiteral("1.25"), QStringLiteral("1.50")))
                                << first + 4;
    QTest::newRow("share 001") << cp1251(replaced(People, QStringLiteral(";3\r"), QStringLiteral(";003\r")))
                               << first + 5;

    // A trip file saved again as UTF-8: its sections' markers are no longer the writer's.
    const QByteArray whole = twoDays() + cp1251(Facts + People);
    const QByteArray utf8 = Cp1251::text(whole).toUtf8();
    QTest::newRow("whole file as UTF-8") << utf8.sliced(twoDays().size() + (utf8.size() - whole.size())) << first;
}

void tst_trailingsections::damagedRefused()
{
    QFETCH(QByteArray, tail);
    QFETCH(int, line);
    const QByteArray bytes = twoDays() + tail;

    TripData data;
    data.strTitle = QStringLiteral("прежний");
    QString strError;
    QVERIFY(!TripFile::read(bytes, data, strError));
    QVERIFY2(strError.startsWith(QStringLiteral("строка %1:").arg(line)), qPrintable(strError));
    QCOMPARE(data.strTitle, QStringLiteral("прежний"));

    // The open trip is left exactly as it was, and the user is told.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("damaged.trb"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    GlobalVariable g;
    InitGlobalVariable(g);
    TripData open;
    QVERIFY(TripFile::read(twoDays() + cp1251(Facts + People), open, strError));
    QVERIFY(TripFile::apply(open, g, strError));
    QByteArray before;
    QVERIFY(TripFile::write(TripFile::fromState(g), before, strError));
    QString strMessage;
    QString strDetail;
    QVERIFY(!TripFile::load(g, path, strMessage, &strDetail));
    QCOMPARE(strMessage, TripFile::readErrorText());
    QVERIFY(strDetail.contains(QString::number(line)));
    QByteArray after;
    QVERIFY(TripFile::write(TripFile::fromState(g), after, strError));
    QCOMPARE(after, before);
}

QTEST_GUILESS_MAIN(tst_trailingsections)
#include "tst_trailingsections.moc"
