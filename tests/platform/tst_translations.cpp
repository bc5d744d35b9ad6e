#include "platform/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool hasCyrillic(const QString& text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return cyrillic.match(text).hasMatch();
}

bool hasLatinWord(const QString& text)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]{2,}"));
    return latin.match(text).hasMatch();
}

QString plain(QString text)
{
    return text.remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0).trimmed();
}

// Every visible text of a dialog's buttons and labels.
QStringList shownTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) {
        if (b->isVisible() && !b->text().isEmpty())
            texts.append(plain(b->text()));
    }
    for (const QLabel* l : dialog.findChildren<QLabel*>()) {
        if (l->isVisible() && !l->text().isEmpty())
            texts.append(plain(l->text()));
    }
    return texts;
}

} // namespace

class tst_translations : public QObject
{
    Q_OBJECT

private slots:
    void missingCatalogueIsNotAnError_data();
    void missingCatalogueIsNotAnError();
    void installed();
    void standardButtons_data();
    void standardButtons();
    void fileDialog_data();
    void fileDialog();
    void lineEditContextMenu();
};

void tst_translations::missingCatalogueIsNotAnError_data()
{
    QTest::addColumn<QByteArray>("content"); // of qtbase_ru.qm; empty: no file at all

    QTest::newRow("no file") << QByteArray();
    QTest::newRow("not a catalogue") << QByteArray("this is not a translation catalogue");
}

void tst_translations::missingCatalogueIsNotAnError()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (!content.isEmpty()) {
        QFile file(dir.filePath(QStringLiteral("qtbase_ru.qm")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const int before = qApp->children().size();
    QVERIFY(!Translations::installToolkitRussian(*qApp, dir.path()));
    // Nothing left behind and the toolkit's texts untouched.
    QCOMPARE(qApp->children().size(), before);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

void tst_translations::installed()
{
    // The package depends on the catalogue, so it must be there for the tests below.
    const QString path = Translations::toolkitDir() + QStringLiteral("/qtbase_ru.qm");
    if (!QFile::exists(path))
        QFAIL(qPrintable(path + QStringLiteral(" is missing: install qt6-translations-l10n")));
    QVERIFY(Translations::installToolkitRussian(*qApp));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
}

void tst_translations::standardButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");

    QTest::newRow("cancel") << int(QDialogButtonBox::Cancel) << QStringLiteral("Отмена");
    QTest::newRow("yes") << int(QDialogButtonBox::Yes) << QStringLiteral("Да");
    QTest::newRow("no") << int(QDialogButtonBox::No) << QStringLiteral("Нет");
    QTest::newRow("open") << int(QDialogButtonBox::Open) << QStringLiteral("Открыть");
    QTest::newRow("save") << int(QDialogButtonBox::Save) << QStringLiteral("Сохранить");
    QTest::newRow("close") << int(QDialogButtonBox::Close) << QStringLiteral("Закрыть");
}

void tst_translations::standardButtons()
{
    QFETCH(int, button);
    QFETCH(QString, text);
    QDialogButtonBox box{QDialogButtonBox::StandardButtons(button)};
    QCOMPARE(plain(box.button(QDialogButtonBox::StandardButton(button))->text()), text);
}

void tst_translations::fileDialog_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("accept");

    QTest::newRow("open") << int(QFileDialog::AcceptOpen) << QStringLiteral("Открыть");
    QTest::newRow("save") << int(QFileDialog::AcceptSave) << QStringLiteral("Сохранить");
}

void tst_translations::fileDialog()
{
    QFETCH(int, mode);
    QFETCH(QString, accept);
    QTemporaryDir dir;
    QFileDialog dialog(nullptr, QStringLiteral("Раскладка"), dir.path(), QStringLiteral("Раскладка (*.trb)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptMode(mode));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    const QStringList texts = shownTexts(dialog);
    QVERIFY2(texts.contains(accept), qPrintable(texts.join(QStringLiteral(" | "))));
    QVERIFY(texts.contains(QStringLiteral("Отмена")));
    for (const QString& text : texts) {
        if (text != QStringLiteral("Раскладка (*.trb)"))
            QVERIFY2(hasCyrillic(text) || !hasLatinWord(text), qPrintable(text));
    }
    dialog.close();
}

void tst_translations::lineEditContextMenu()
{
    QLineEdit edit(QStringLiteral("Гречка"));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QMenu* menu = edit.createStandardContextMenu();
    menu->popup(edit.mapToGlobal(QPoint(2, 2)));

    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(plain(action->text()));
    }
    // Undo, redo, cut, copy, paste, delete, select all.
    QCOMPARE(texts.size(), 7);
    for (const QString& text : texts)
        QVERIFY2(hasCyrillic(text) && !hasLatinWord(text), qPrintable(texts.join(QStringLiteral(" | "))));
    menu->close();
    delete menu;
}

QTEST_MAIN(tst_translations)
#include "tst_translations.moc"
