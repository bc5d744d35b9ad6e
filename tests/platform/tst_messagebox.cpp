#include "platform/Help.h"
#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class tst_messagebox : public QObject
{
    Q_OBJECT

private slots:
    void unqueuedAnswerIsFirstButton_data();
    void unqueuedAnswerIsFirstButton();
    void queuedAnswersInOrder();
    void recordsWhatWasShown();
    void recorderStartsAndEndsClean();
    void answererTakesUnqueuedBoxes();
    void headlessNeverShowsRealBox();
    void escapeAndFrame_data();
    void escapeAndFrame();
    void recordedEscape_data();
    void recordedEscape();
    void f1OpensTheHelpTopic();
};

void tst_messagebox::unqueuedAnswerIsFirstButton_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("expected");

    QTest::newRow("ok only") << int(MessageBox::OkOnly) << int(MessageBox::Ok);
    QTest::newRow("yes/no") << int(MessageBox::YesNo) << int(MessageBox::Yes);
    QTest::newRow("ok/cancel") << int(MessageBox::OkCancel) << int(MessageBox::Ok);
}

void tst_messagebox::unqueuedAnswerIsFirstButton()
{
    QFETCH(int, buttons);
    QFETCH(int, expected);
    MessageBox::Recorder recorder;
    QCOMPARE(int(MessageBox::show(nullptr, "t", "c", MessageBox::Buttons(buttons))), expected);
    QCOMPARE(recorder.last().answer, MessageBox::Button(expected));
}

void tst_messagebox::queuedAnswersInOrder()
{
    MessageBox::Recorder recorder;
    recorder.setNextAnswer(MessageBox::No);
    recorder.setNextAnswer(MessageBox::Cancel);
    QCOMPARE(MessageBox::pendingAnswers(), 2);

    QCOMPARE(MessageBox::show(nullptr, "1", "c", MessageBox::YesNo), MessageBox::No);
    QCOMPARE(MessageBox::show(nullptr, "2", "c", MessageBox::OkCancel), MessageBox::Cancel);
    // The queue is used up: back to the default.
    QCOMPARE(MessageBox::show(nullptr, "3", "c", MessageBox::YesNo), MessageBox::Yes);
    QCOMPARE(recorder.count(), 3);
}

void tst_messagebox::recordsWhatWasShown()
{
    MessageBox::Recorder recorder;
    MessageBox::show(nullptr, "Сохранить раскладку?", "Торбел 3.1", MessageBox::YesNo, MessageBox::Question);
    MessageBox::show(nullptr, "Некорректное выражение!", "Error");

    QCOMPARE(recorder.count(), 2);
    const MessageBox::Shown first = recorder.shown().first();
    QCOMPARE(first.text, QString("Сохранить раскладку?"));
    QCOMPARE(first.caption, QString("Торбел 3.1"));
    QCOMPARE(first.buttons, MessageBox::YesNo);
    QCOMPARE(first.icon, MessageBox::Question);
    const MessageBox::Shown last = recorder.last();
    QCOMPARE(last.text, QString("Некорректное выражение!"));
    QCOMPARE(last.buttons, MessageBox::OkOnly);
    QCOMPARE(last.icon, MessageBox::NoIcon);
}

void tst_messagebox::recorderStartsAndEndsClean()
{
    {
        MessageBox::Recorder recorder;
        recorder.setNextAnswer(MessageBox::No); // left over on purpose
        MessageBox::show(nullptr, "x", "y");
    }
    QCOMPARE(MessageBox::shown().size(), 0);
    QCOMPARE(MessageBox::pendingAnswers(), 0);

    MessageBox::Recorder recorder;
    QCOMPARE(recorder.last().text, QString());
    QCOMPARE(MessageBox::show(nullptr, "z", "y", MessageBox::YesNo), MessageBox::Yes);
}

void tst_messagebox::answererTakesUnqueuedBoxes()
{
    {
        MessageBox::Recorder recorder;
        QList<MessageBox::Buttons> asked;
        MessageBox::setAnswerer([&](const MessageBox::Shown& box) {
            asked.append(box.buttons);
            return box.buttons == MessageBox::YesNo ? MessageBox::No : MessageBox::Cancel;
        });
        recorder.setNextAnswer(MessageBox::Yes); // a queued answer still comes first
        QCOMPARE(MessageBox::show(nullptr, "1", "c", MessageBox::YesNo), MessageBox::Yes);
        QCOMPARE(MessageBox::show(nullptr, "2", "c", MessageBox::YesNo), MessageBox::No);
        QCOMPARE(MessageBox::show(nullptr, "3", "c", MessageBox::OkCancel), MessageBox::Cancel);
        QCOMPARE(asked, (QList<MessageBox::Buttons>{MessageBox::YesNo, MessageBox::OkCancel}));
        QCOMPARE(recorder.last().answer, MessageBox::Cancel);
    }
    // The recorder's end removes it.
    MessageBox::Recorder recorder;
    QCOMPARE(MessageBox::show(nullptr, "4", "c", MessageBox::YesNo), MessageBox::Yes);
}

void tst_messagebox::headlessNeverShowsRealBox()
{
    // Without a recorder the offscreen platform alone keeps a forgotten box from blocking.
    MessageBox::setTestMode(false);
    QVERIFY(MessageBox::testMode());
    QCOMPARE(MessageBox::show(nullptr, "x", "y", MessageBox::OkCancel), MessageBox::Ok);
    MessageBox::clear();
}

// The real box: a question cannot be dismissed, other boxes answer Escape and the frame.
void tst_messagebox::escapeAndFrame_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("escape"); // the answer Escape gives; NoButton: refused

    QTest::newRow("ok only") << int(MessageBox::OkOnly) << int(QMessageBox::Ok);
    QTest::newRow("ok/cancel") << int(MessageBox::OkCancel) << int(QMessageBox::Cancel);
    QTest::newRow("yes/no") << int(MessageBox::YesNo) << int(QMessageBox::NoButton);
}

void tst_messagebox::escapeAndFrame()
{
    QFETCH(int, buttons);
    QFETCH(int, escape);

    for (const bool byFrame : {false, true}) {
        const std::unique_ptr<QMessageBox> box(MessageBox::makeBox(nullptr, "t", "c", MessageBox::Buttons(buttons)));
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        if (byFrame)
            box->close();
        else
            QTest::keyClick(box.get(), Qt::Key_Escape);
        QCOMPARE(box->isVisible(), escape == QMessageBox::NoButton);
        if (escape != QMessageBox::NoButton) {
            QCOMPARE(box->clickedButton(), box->button(QMessageBox::StandardButton(escape)));
            continue;
        }
        QVERIFY(!(box->windowFlags() & Qt::WindowCloseButtonHint));
        // Only an answer closes it.
        box->button(QMessageBox::No)->click();
        QVERIFY(!box->isVisible());
        QCOMPARE(box->clickedButton(), box->button(QMessageBox::No));
    }
}

// The recorder answers Escape as the real box does.
void tst_messagebox::recordedEscape_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("then"); // queued after the Escape
    QTest::addColumn<int>("expected");

    QTest::newRow("ok/cancel: cancel") << int(MessageBox::OkCancel) << int(MessageBox::Ok) << int(MessageBox::Cancel);
    QTest::newRow("yes/no: the next answer") << int(MessageBox::YesNo) << int(MessageBox::No) << int(MessageBox::No);
    QTest::newRow("yes/no: Enter after it")
        << int(MessageBox::YesNo) << int(MessageBox::NoButton) << int(MessageBox::Yes);
}

void tst_messagebox::recordedEscape()
{
    QFETCH(int, buttons);
    QFETCH(int, then);
    QFETCH(int, expected);

    MessageBox::Recorder recorder;
    recorder.setNextAnswer(MessageBox::Escape);
    if (then != MessageBox::NoButton)
        recorder.setNextAnswer(MessageBox::Button(then));
    QCOMPARE(int(MessageBox::show(nullptr, "Сохранить раскладку?", "c", MessageBox::Buttons(buttons))), expected);
    QCOMPARE(recorder.count(), 1);
    QCOMPARE(int(recorder.last().escape), buttons == MessageBox::YesNo ? int(MessageBox::NoButton) : expected);
}

void tst_messagebox::f1OpensTheHelpTopic()
{
    QTemporaryDir dir;
    const QString guide = dir.filePath("Torbel.html");
    QFile f(guide);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    Help::Recorder help;
    help.setFilePath(guide);

    const std::unique_ptr<QMessageBox> plain(MessageBox::makeBox(nullptr, "t", "c", MessageBox::OkOnly));
    plain->show();
    QTest::keyClick(plain.get(), Qt::Key_F1);
    QCOMPARE(help.shownCount(), 0);

    const std::unique_ptr<QMessageBox> box(
        MessageBox::makeBox(nullptr, "t", "c", MessageBox::OkOnly, MessageBox::NoIcon, "word"));
    box->show();
    QTest::keyClick(box.get(), Qt::Key_F1);
    QCOMPARE(help.shownCount(), 1);
    QCOMPARE(help.lastTopic(), QString("word"));
    QVERIFY(box->isVisible());
}

QTEST_MAIN(tst_messagebox)
#include "tst_messagebox.moc"
