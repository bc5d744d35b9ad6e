#include "model/GlobalVariable.h"
#include "support/PlatformRecorder.h"
#include "support/SampleTrip.h"
#include "support/TestSupport.h"
#include "tripfile/RecoveryCopy.h"
#include "tripfile/TripFile.h"
#include "ui/Forms.h"
#include "ui/main/RecoveryOffer.h"
#include "ui/main/frmMainForm.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using TestSupport::readBytes;

// A run of the program that changed its trip and was killed: its copy stays behind.
QString leaveCopy(const QString& strFolder, const QString& strTrip, const QString& strDeffine)
{
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Гречка", "100", "гр"}, {"Чай", "5", "гр"}}, {"1 | 2 | 1"}, 4, 2, 3);
    g.strDeffine = strDeffine;
    g.strFileName = strTrip;
    RecoveryCopy copy(g, strFolder);
    copy.noteChanged();
    return copy.flush() ? copy.copyPath() : QString();
}

} // namespace

class tst_recoveryoffer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void answers_data();
    void answers();
    void damagedCopyIsSetAside();
    void secondRestoreOffersToSaveTheFirst();
    void saveOrExplicitNoRemovesTheCopy_data();
    void saveOrExplicitNoRemovesTheCopy();
    void failedCopyIsToldOnce();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->filePath("state/torbel"); }
};

void tst_recoveryoffer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("XDG_STATE_HOME", m_dir->filePath("state").toLocal8Bit());
    QCOMPARE(RecoveryOffer::folder(), folder());
}

void tst_recoveryoffer::cleanup()
{
    qunsetenv("XDG_STATE_HOME");
    m_dir.reset();
}

// Restore opens the copy as changed under its own trip's name; "Нет", then "Да" deletes
// it; "Нет" twice keeps it for the next start. Nothing happens before the answer.
void tst_recoveryoffer::answers_data()
{
    QTest::addColumn<QString>("trip");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("kept");
    const QList<int> restore{MessageBox::Yes};
    const QList<int> discard{MessageBox::No, MessageBox::Yes};
    const QList<int> later{MessageBox::No, MessageBox::No};
    QTest::newRow("restore a saved trip") << QStringLiteral("/походы/Хибины.trb") << restore << true << false;
    QTest::newRow("restore a new trip") << QString() << restore << true << false;
    QTest::newRow("discard") << QStringLiteral("/походы/Хибины.trb") << discard << false << false;
    QTest::newRow("keep for later") << QString() << later << false << true;
}

void tst_recoveryoffer::answers()
{
    QFETCH(QString, trip);
    QFETCH(QList<int>, answers);
    QFETCH(bool, restored);
    QFETCH(bool, kept);
    const QString strCopy = leaveCopy(folder(), trip, QStringLiteral("до сбоя"));
    QVERIFY(QFile::exists(strCopy));

    TestSupport::PlatformRecorder rec;
    for (int a : answers)
        rec.boxes.setNextAnswer(MessageBox::Button(a));
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& w = forms.MainForm();
    RecoveryOffer::run(w, folder());

    QCOMPARE(rec.boxes.count(), answers.size());
    const QString strWhich = trip.isEmpty() ? QStringLiteral("новый поход") : QStringLiteral("Поход «Хибины.trb»");
    QVERIFY2(rec.boxes.shown().at(0).text.contains(strWhich), qPrintable(rec.boxes.shown().at(0).text));
    QCOMPARE(rec.boxes.shown().at(0).buttons, MessageBox::YesNo);
    QCOMPARE(QFile::exists(strCopy), kept);
    QCOMPARE(RecoveryCopy::pending(folder()).size(), kept ? 1 : 0);
    QCOMPARE(g.strDeffine, restored ? QStringLiteral("до сбоя") : QString());
    QCOMPARE(g.blnChanged, restored);
    QCOMPARE(g.strFileName, restored ? trip : QString());
    if (restored) {
        QCOMPARE(g.intCountPeople, qint16(4));
        QCOMPARE(w.StatusPanelTexts().first(),
                 trip.isEmpty() ? QStringLiteral("Новая раскладка") : QStringLiteral("Файл: ") + trip);
        // The restored trip has this run's copy from the start.
        TripData data;
        QString strError;
        QVERIFY(TripFile::readFile(w.Recovery().copyPath(), data, strError));
        QVERIFY(data == TripFile::fromState(g));
    }
}

void tst_recoveryoffer::damagedCopyIsSetAside()
{
    const QString strCopy = leaveCopy(folder(), QStringLiteral("/походы/Хибины.trb"), QStringLiteral("до сбоя"));
    QFile f(strCopy);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.resize(f.size() / 2));
    f.close();

    TestSupport::PlatformRecorder rec;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    RecoveryOffer::run(forms.MainForm(), folder());
    QCOMPARE(rec.boxes.count(), 1);
    const MessageBox::Shown box = rec.boxes.last();
    QCOMPARE(box.buttons, MessageBox::OkOnly);
    QCOMPARE(box.icon, MessageBox::Warning);
    // Which copy, what the reader found wrong, where the copy went.
    QVERIFY2(box.text.contains(QStringLiteral("повреждена")) && box.text.contains(QStringLiteral("Хибины.trb")) &&
                 box.text.contains(QStringLiteral("Строка ")) && box.text.contains(strCopy + ".damaged"),
             qPrintable(box.text));
    QVERIFY(!QFile::exists(strCopy));
    QVERIFY(QFile::exists(strCopy + ".damaged"));
    QCOMPARE(g.strDeffine, QString());
    QVERIFY(!g.blnChanged);

    // The next start says nothing more of it.
    rec.boxes.clear();
    RecoveryOffer::run(forms.MainForm(), folder());
    QCOMPARE(rec.boxes.count(), 0);
}

// Two copies: the newer first; restoring the second asks to save the first.
void tst_recoveryoffer::secondRestoreOffersToSaveTheFirst()
{
    const QString strSaved = m_dir->filePath("первый.trb");
    QVERIFY(!leaveCopy(folder(), strSaved, QStringLiteral("первый")).isEmpty());
    QTest::qWait(20);
    QVERIFY(!leaveCopy(folder(), QString(), QStringLiteral("второй")).isEmpty());

    TestSupport::PlatformRecorder rec;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    for (MessageBox::Button a : {MessageBox::Yes, MessageBox::Yes, MessageBox::Yes})
        rec.boxes.setNextAnswer(a);
    RecoveryOffer::run(forms.MainForm(), folder());
    QCOMPARE(rec.boxes.count(), 3);
    QVERIFY(rec.boxes.shown().at(0).text.contains(QStringLiteral("новый поход")));
    QVERIFY(rec.boxes.shown().at(1).text.contains(QStringLiteral("Поход «первый.trb»")));
    QCOMPARE(rec.boxes.shown().at(2).text, QStringLiteral("Сохранить раскладку?"));
    // The new trip has no file: its save asks for one, and the test gives none, so the
    // first copy waits for the next start.
    QCOMPARE(g.strDeffine, QStringLiteral("второй"));
    QCOMPARE(RecoveryCopy::pending(folder()).size(), 1);
    QVERIFY(!QFile::exists(strSaved));
}

void tst_recoveryoffer::saveOrExplicitNoRemovesTheCopy_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Да: saved") << int(MessageBox::Yes) << true;
    QTest::newRow("Нет: given up") << int(MessageBox::No) << false;
}

void tst_recoveryoffer::saveOrExplicitNoRemovesTheCopy()
{
    QFETCH(int, answer);
    QFETCH(bool, saved);
    const QString strTrip = m_dir->filePath("поход.trb");
    QVERIFY(TestSupport::writeSmallTrip(strTrip));
    const QByteArray before = readBytes(strTrip);

    TestSupport::PlatformRecorder rec;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& w = forms.MainForm();
    QVERIFY(w.OpenFile(strTrip));
    w.findChild<QPlainTextEdit*>("rtbDeffine")->setPlainText(QStringLiteral("новое описание"));
    QVERIFY(g.blnChanged);
    QVERIFY(w.Recovery().flush());
    QVERIFY(QFile::exists(w.Recovery().copyPath()));
    // Only a save writes the trip file.
    QCOMPARE(readBytes(strTrip), before);

    rec.boxes.setNextAnswer(MessageBox::Button(answer));
    QVERIFY(w.QuerySave());
    QCOMPARE(rec.boxes.count(), 1);
    QVERIFY(!QFile::exists(w.Recovery().copyPath()));
    QVERIFY(!QFile::exists(w.Recovery().notePath()));
    QCOMPARE(readBytes(strTrip) != before, saved);
    QTest::qWait(RecoveryCopy::DelayMs + 300);
    QCOMPARE(RecoveryCopy::pending(folder()).size(), 0);
}

// A folder that cannot be made: one message, not one a second.
void tst_recoveryoffer::failedCopyIsToldOnce()
{
    QVERIFY(QDir().mkpath(m_dir->filePath("state")));
    QFile blocker(folder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TestSupport::PlatformRecorder rec;
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& w = forms.MainForm();
    RecoveryOffer::watch(w);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("не записана"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("не записана"));
    for (const QString& text : {QStringLiteral("раз"), QStringLiteral("два")}) {
        w.findChild<QPlainTextEdit*>("rtbDeffine")->setPlainText(text);
        QVERIFY(!w.Recovery().flush());
    }
    QCOMPARE(rec.boxes.count(), 1);
    QVERIFY2(rec.boxes.last().text.contains(folder()), qPrintable(rec.boxes.last().text));
}

QTEST_MAIN(tst_recoveryoffer)
#include "tst_recoveryoffer.moc"
