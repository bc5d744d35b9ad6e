#include "platform/Desktop.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

class tst_help : public QObject
{
    Q_OBJECT

private slots:
    void fileBesideExecutable();
    void findFile_data();
    void findFile();
    void missingFileGivesMessage();
    void presentFileIsShown();
    void guideOpensInHelpWindow();
};

void tst_help::fileBesideExecutable()
{
    Help::Recorder help;
    QCOMPARE(Help::filePath(), QCoreApplication::applicationDirPath() + "/Torbel.html");
    help.setFilePath("/somewhere/else.html");
    QCOMPARE(Help::filePath(), QString("/somewhere/else.html"));
    help.setFilePath(QString());
    QCOMPARE(Help::filePath(), QCoreApplication::applicationDirPath() + "/Torbel.html");
}

void tst_help::findFile_data()
{
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("expected"); // relative to the program folder

    QTest::newRow("beside the program") << true << false << "Torbel.html";
    QTest::newRow("installed") << false << true << "../share/torbel/Torbel.html";
    QTest::newRow("both: beside wins") << true << true << "Torbel.html";
    QTest::newRow("neither: beside, for the message") << false << false << "Torbel.html";
}

void tst_help::findFile()
{
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QFETCH(QString, expected);

    QTemporaryDir tmp;
    QDir root(tmp.path());
    QVERIFY(root.mkpath("bin") && root.mkpath("share/torbel"));
    auto touch = [](const QString& path) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    };
    if (beside)
        touch(root.filePath("bin/Torbel.html"));
    if (installed)
        touch(root.filePath("share/torbel/Torbel.html"));

    QCOMPARE(Help::findFile(root.filePath("bin")), QDir::cleanPath(root.filePath("bin/" + expected)));
}

void tst_help::missingFileGivesMessage()
{
    Help::Recorder help;
    MessageBox::Recorder boxes;
    QTemporaryDir tmp;
    help.setFilePath(tmp.filePath("Torbel.html"));

    QVERIFY(!Help::showContents());
    QCOMPARE(help.shownCount(), 0);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.last().text.startsWith("Не найден файл справки"));
    QVERIFY(boxes.last().text.contains(tmp.filePath("Torbel.html")));
    QCOMPARE(boxes.last().caption, QString("Торбел 3.1"));
    QCOMPARE(boxes.last().buttons, MessageBox::OkOnly);

    // A directory of that name is no help file either.
    QVERIFY(QDir(tmp.path()).mkdir("Torbel.html"));
    QVERIFY(!Help::showContents());
    QCOMPARE(boxes.count(), 2);
}

void tst_help::presentFileIsShown()
{
    Help::Recorder help;
    MessageBox::Recorder boxes;
    QTemporaryDir tmp;
    QFile f(tmp.filePath("Torbel.html"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<html><body>Торбел</body></html>");
    f.close();
    help.setFilePath(f.fileName());

    QVERIFY(Help::showContents());
    QVERIFY(Help::showContents());
    QCOMPARE(help.shownCount(), 2);
    QCOMPARE(boxes.count(), 0);
}

void tst_help::guideOpensInHelpWindow()
{
    // The guide shipped with the program.
    const QString guide = QStringLiteral(TORBEL_TEST_DATA_DIR "/../../help/Torbel.html");
    QVERIFY(QFileInfo(guide).isFile());

    QPointer<QWidget> window = Help::openWindow(guide);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    auto* browser = window->findChild<QTextBrowser*>("helpBrowser");
    QVERIFY(browser);
    QVERIFY(browser->toPlainText().contains("Параметры похода"));
    QVERIFY(browser->documentTitle().startsWith("Торбел"));

    // Links inside the guide stay in it, one after the other; others go to the desktop.
    Desktop::Recorder desktop;
    emit browser->anchorClicked(QUrl("#file"));
    emit browser->anchorClicked(QUrl("#start"));
    QCOMPARE(browser->source(), QUrl::fromLocalFile(QFileInfo(guide).absoluteFilePath()).resolved(QUrl("#start")));
    QCOMPARE(desktop.count(), 0);
    emit browser->anchorClicked(QUrl("http://www.example.org/"));
    QCOMPARE(desktop.count(), 1);
    QCOMPARE(desktop.last().target, QString("http://www.example.org/"));
    QVERIFY(browser->toPlainText().contains("Параметры похода"));

    // Asked again, the same window comes forward.
    QCOMPARE(Help::openWindow(guide), window.data());
    window->close(); // destroyed on close
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
}

QTEST_MAIN(tst_help)
#include "tst_help.moc"
