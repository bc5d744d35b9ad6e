#include "model/GlobalVariable.h"
#include "support/SampleTrip.h"
#include "support/TestSupport.h"
#include "tripfile/RecoveryCopy.h"
#include "tripfile/TripFile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using TestSupport::readBytes;
using TestSupport::writeBytes;

// A trip of n participants with norms at the ends of the file's 16-bit range.
void makeTrip(GlobalVariable& g, qint16 intPeople)
{
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Гречка", "32767", "гр"}, {"Соль", "0", "гр"}, {"Чай", "1", "пакет"}},
                          {"1 2 | 3 | 1", "3 | 1 2 | "}, intPeople, qMax<qint16>(1, intPeople / 2), 51);
}

// A copy left behind: a trip file and its note, no program holding it.
bool leaveCopy(const QString& strFolder, const QString& strName, const QByteArray& note)
{
    QDir().mkpath(strFolder);
    GlobalVariable g;
    makeTrip(g, 2);
    return writeBytes(QDir(strFolder).filePath(strName + ".trb"), TestSupport::tripBytes(g)) &&
           (note.isNull() || writeBytes(QDir(strFolder).filePath(strName + ".note"), note));
}

QByteArray note(const QString& strTrip, const QString& strWhen)
{
    return "torbel-recovery 1\nfile=" + QUrl::toPercentEncoding(strTrip, "/") + "\nwritten=" + strWhen.toUtf8() + "\n";
}

} // namespace

class tst_recoverycopy : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void copyIsTheSavedBytes_data();
    void copyIsTheSavedBytes();
    void burstOfChangesWritesInTime();
    void copyIsNeverSeenHalfWritten();
    void forgetRemovesEverything_data();
    void forgetRemovesEverything();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
    void pendingCopiesNewestFirst();
    void livingProgramsCopyIsNotPending();
    void discardAndSetAside();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->filePath("state/torbel"); }
};

void tst_recoverycopy::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_recoverycopy::copyIsTheSavedBytes_data()
{
    QTest::addColumn<qint16>("people");
    QTest::addColumn<QString>("trip");
    QTest::newRow("1 participant, new trip") << qint16(1) << QString();
    QTest::newRow("2 participants") << qint16(2) << QStringLiteral("/home/анна/Поход на Кольский.trb");
    QTest::newRow("30 participants") << qint16(30) << QStringLiteral("/tmp/a.trb");
    // A path may hold line ends and percent signs; the note keeps it whole.
    QTest::newRow("odd path") << qint16(30) << QStringLiteral("/tmp/100%\nзапас\r/x=y.trb");
}

void tst_recoverycopy::copyIsTheSavedBytes()
{
    QFETCH(qint16, people);
    QFETCH(QString, trip);
    GlobalVariable g;
    makeTrip(g, people);
    g.strFileName = trip;
    RecoveryCopy copy(g, folder());
    QSignalSpy written(&copy, &RecoveryCopy::written);
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
    copy.noteChanged();
    QVERIFY(!QFile::exists(copy.copyPath())); // after the change settles, not at once
    QVERIFY(written.wait(5000));
    const QDateTime after = QDateTime::currentDateTime().addMSecs(1);
    QCOMPARE(readBytes(copy.copyPath()), TestSupport::tripBytes(g));

    TripData data;
    QString strError;
    QVERIFY2(TripFile::readFile(copy.copyPath(), data, strError), qPrintable(strError));
    QVERIFY(data == TripFile::fromState(g));
    QString strTrip;
    QDateTime dtWritten;
    QVERIFY(RecoveryCopy::readNote(copy.notePath(), strTrip, dtWritten));
    QCOMPARE(strTrip, trip);
    QVERIFY2(dtWritten >= before && dtWritten <= after, qPrintable(dtWritten.toString(Qt::ISODateWithMs)));
    QVERIFY(copy.lastError().isEmpty());
}

// A change every 100 ms: the first copy still comes while they go on (a delay started
// again by each change would never end), and later changes bring later copies.
void tst_recoverycopy::burstOfChangesWritesInTime()
{
    GlobalVariable g;
    makeTrip(g, 2);
    RecoveryCopy copy(g, folder());
    QSignalSpy written(&copy, &RecoveryCopy::written);
    int intChanges = 0;
    for (; intChanges < 100 && written.count() < 2; ++intChanges) {
        g.strDeffine = QStringLiteral("шаг %1").arg(intChanges);
        copy.noteChanged();
        QTest::qWait(100);
    }
    QVERIFY2(written.count() == 2, qPrintable(QString::number(intChanges)));
    QVERIFY(copy.flush());
    QCOMPARE(readBytes(copy.copyPath()), TestSupport::tripBytes(g));
}

// Another reader sees the copy missing or whole, never in between, however often it
// is replaced.
void tst_recoverycopy::copyIsNeverSeenHalfWritten()
{
    GlobalVariable g;
    makeTrip(g, 30);
    RecoveryCopy copy(g, folder());
    const QString path = copy.copyPath();
    std::atomic<bool> done{false};
    std::atomic<int> seen{0};
    std::atomic<int> broken{0};
    std::thread reader([&] {
        while (!done) {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            TripData data;
            QString strError;
            if (TripFile::read(f.readAll(), data, strError))
                ++seen;
            else
                ++broken;
        }
    });
    for (int i = 0; i < 40; ++i) {
        g.strDeffine = QString(i * 500, QLatin1Char('x'));
        copy.noteChanged();
        QVERIFY(copy.flush());
    }
    done = true;
    reader.join();
    QCOMPARE(broken.load(), 0);
    QVERIFY(seen.load() > 0);
    QCOMPARE(readBytes(path), TestSupport::tripBytes(g));
}

void tst_recoverycopy::forgetRemovesEverything_data()
{
    QTest::addColumn<bool>("writtenFirst");
    QTest::newRow("after a write") << true;
    // A change still waiting for its copy: none appears later.
    QTest::newRow("before the write") << false;
}

void tst_recoverycopy::forgetRemovesEverything()
{
    QFETCH(bool, writtenFirst);
    GlobalVariable g;
    makeTrip(g, 1);
    RecoveryCopy copy(g, folder());
    copy.noteChanged();
    if (writtenFirst) {
        QVERIFY(copy.flush());
        QVERIFY(QFile::exists(copy.copyPath()));
        QVERIFY(QFile::exists(copy.notePath()));
    }
    copy.forget();
    QTest::qWait(RecoveryCopy::DelayMs + 300);
    QVERIFY(!QFile::exists(copy.copyPath()));
    QVERIFY(!QFile::exists(copy.notePath()));
    QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList());
    // The next change starts again.
    copy.noteChanged();
    QVERIFY(copy.flush());
    QVERIFY(QFile::exists(copy.copyPath()));
}

void tst_recoverycopy::failedWriteIsReported_data()
{
    QTest::addColumn<bool>("folderIsFile");
    QTest::addColumn<QString>("product");
    QTest::newRow("folder cannot be made") << true << QStringLiteral("Гречка");
    QTest::newRow("trip has no bytes") << false << QStringLiteral("Гречка 日本");
}

void tst_recoverycopy::failedWriteIsReported()
{
    QFETCH(bool, folderIsFile);
    QFETCH(QString, product);
    if (folderIsFile) {
        QVERIFY(QDir().mkpath(m_dir->filePath("state")));
        QVERIFY(writeBytes(folder(), "a file"));
    }
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{product, "100", "гр"}}, {"1 | | "}, 2, 1, 1);
    RecoveryCopy copy(g, folder());
    QSignalSpy failed(&copy, &RecoveryCopy::writeFailed);
    copy.noteChanged();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("копия для восстановления не записана"));
    QVERIFY(!copy.flush());
    QCOMPARE(failed.count(), 1);
    QVERIFY(!copy.lastError().isEmpty());
    QCOMPARE(failed.at(0).at(0).toString(), copy.lastError());
}

void tst_recoverycopy::pendingCopiesNewestFirst()
{
    QVERIFY(leaveCopy(folder(), "b", note("/t/old.trb", "2020-12-01T10:00:00.000+03:00")));
    QVERIFY(leaveCopy(folder(), "a", note("", "2020-12-08T09:00:00.000Z")));
    QVERIFY(leaveCopy(folder(), "c", note("/t/mid.trb", "2020-12-05T10:00:00.000+03:00")));
    // A note lost or spoilt: a trip never saved, as old as its file.
    QVERIFY(leaveCopy(folder(), "d", "torbel-recovery 1\nfile=/t/x.trb\n"));
    QVERIFY(writeBytes(QDir(folder()).filePath("stray.note"), note("/t/y.trb", "2020-12-09T10:00:00Z")));
    QVERIFY(writeBytes(QDir(folder()).filePath("e.trb.damaged"), "Торбел"));

    QList<RecoveryCopy::Pending> found = RecoveryCopy::pending(folder());
    QStringList names;
    for (const RecoveryCopy::Pending& p : found) {
        names << QFileInfo(p.strCopy).completeBaseName() + ":" + p.strTrip;
        QVERIFY(p.lock && p.lock->isLocked());
    }
    QCOMPARE(names, QStringList({"d:", "a:", "c:/t/mid.trb", "b:/t/old.trb"}));
    QVERIFY(found.at(0).dtWritten.secsTo(QDateTime::currentDateTime()) < 60);

    // While this holder has them, another start finds none of them.
    QCOMPARE(RecoveryCopy::pending(folder()).size(), 0);
    for (RecoveryCopy::Pending& p : found)
        RecoveryCopy::keep(p);
    QCOMPARE(RecoveryCopy::pending(folder()).size(), 4);
    QCOMPARE(RecoveryCopy::pending(m_dir->filePath("none")).size(), 0);
    QCOMPARE(RecoveryCopy::pending(QString()).size(), 0);
}

// Two programs open at once: neither offers the other's copy. One that ends with the
// save question unanswered (its window destroyed) leaves its newest state behind.
void tst_recoverycopy::livingProgramsCopyIsNotPending()
{
    GlobalVariable g;
    makeTrip(g, 2);
    g.strFileName = QStringLiteral("/t/живой.trb");
    auto first = std::make_unique<RecoveryCopy>(g, folder());
    RecoveryCopy second(g, folder());
    first->noteChanged();
    second.noteChanged();
    QVERIFY(first->flush() && second.flush());
    QCOMPARE(RecoveryCopy::pending(folder()).size(), 0);

    g.strDeffine = QStringLiteral("последнее");
    first->noteChanged();
    const QString strLeft = first->copyPath();
    first.reset();
    const QList<RecoveryCopy::Pending> found = RecoveryCopy::pending(folder());
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).strCopy, strLeft);
    QCOMPARE(found.at(0).strTrip, g.strFileName);
    QCOMPARE(readBytes(strLeft), TestSupport::tripBytes(g));
}

void tst_recoverycopy::discardAndSetAside()
{
    QVERIFY(leaveCopy(folder(), "a", note("/t/a.trb", "2026-12-01T10:00:00Z")));
    QVERIFY(leaveCopy(folder(), "b", note("/t/b.trb", "2026-12-02T10:00:00Z")));
    QList<RecoveryCopy::Pending> found = RecoveryCopy::pending(folder());
    QCOMPARE(found.size(), 2);
    QString strError;
    QVERIFY(RecoveryCopy::discard(found[0], strError));
    QVERIFY(!QFile::exists(found[0].strCopy));
    QVERIFY(!QFile::exists(found[0].strNote));
    QVERIFY(!found[0].lock);

    QString strAside;
    QVERIFY(RecoveryCopy::setAside(found[1], strAside, strError));
    QCOMPARE(strAside, found[1].strCopy + ".damaged");
    QVERIFY(QFile::exists(strAside));
    QVERIFY(QFile::exists(found[1].strNote + ".damaged"));
    QCOMPARE(RecoveryCopy::pending(folder()).size(), 0);

    // A second damaged copy of the same name keeps the first.
    QVERIFY(leaveCopy(folder(), "a", note("/t/a.trb", "2026-12-03T10:00:00Z")));
    found = RecoveryCopy::pending(folder());
    QCOMPARE(found.size(), 1);
    QVERIFY(RecoveryCopy::setAside(found[0], strAside, strError));
    QCOMPARE(strAside, found[0].strCopy + ".damaged-2");
    QCOMPARE(QDir(folder()).entryList({"*.damaged*"}, QDir::Files).size(), 4);
}

QTEST_GUILESS_MAIN(tst_recoverycopy)
#include "tst_recoverycopy.moc"
