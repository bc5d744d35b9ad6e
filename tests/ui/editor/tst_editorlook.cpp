#include "ui/editor/EditorHarness.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

// Every window of the editor as the user sees it: no control reaches past its window and
// no caption is cut off. With TORBEL_SHOTS_DIR set, each window is also saved as a picture.
class tst_editorlook : public QObject
{
    Q_OBJECT

private slots:
    void catalogView();
    void rationView();
    void productDialog();
    void exchangeDialog();

private:
    static void fill(EditorHarness& h);
    static void check(QWidget& window, const QString& name);
};

void tst_editorlook::fill(EditorHarness& h)
{
    h.addProducts({{"Гречка", "80", "гр"},
                   {"Сахар", "50", "гр"},
                   {"Чай", "2", "пак"},
                   {"Рис", "70", "гр"},
                   {"Сыр плавленый", "1", "шт"},
                   {"Масло сливочное", "20", "гр"},
                   {"Колбаса копчёная", "40", "гр"},
                   {"Хлеб", "0", "шт"},
                   {"Молоко сгущённое", "1", "уп-к"},
                   {"Овсяные хлопья", "60", "гр"},
                   {"Сухари", "30", "гр"},
                   {"Чеснок", "1", "шт"},
                   {"Лук", "15", "гр"},
                   {"Соль", "5", "гр"}});
    frmMenu& m = h.open();
    m.EnableRename();
    m.cmdAddDay_Click();
    m.cmdAddDay_Click();
    h.setMeal(1, 1, {2, 3, 5, 7});
    h.setMeal(2, 2, {1, 6, 13, 14, 12});
    h.setMeal(3, 3, {10, 2, 3, 9});
}

void tst_editorlook::check(QWidget& window, const QString& name)
{
    const QRect area = window.rect();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->inherits("QScrollBar") || w->parentWidget()->inherits("QTabBar"))
            continue;
        // Separator lines run on under the right edge.
        if (auto* frame = qobject_cast<QFrame*>(w); frame && frame->frameShape() == QFrame::HLine)
            continue;
        const QRect onWindow(w->mapTo(&window, QPoint(0, 0)), w->size());
        QVERIFY2(area.contains(onWindow), qPrintable(name + ": " + w->objectName() + " reaches past the window"));
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<QPushButton*>(w))
            text = button->text();
        if (text.isEmpty())
            continue;
        text.remove(QLatin1Char('&'));
        const QFontMetrics fm(w->font());
        const int padding = qobject_cast<QPushButton*>(w) ? 6 : 0;
        QVERIFY2(fm.horizontalAdvance(text) + padding <= w->width(),
                 qPrintable(name + ": the caption of " + w->objectName() + " is cut off"));
        QVERIFY2(fm.height() <= w->height(), qPrintable(name + ": " + w->objectName() + " is too low for its text"));
    }
    for (QTabBar* bar : window.findChildren<QTabBar*>()) {
        if (!bar->isVisibleTo(&window))
            continue;
        for (int i = 0; i < bar->count(); ++i)
            QVERIFY2(bar->tabRect(i).width() >= bar->fontMetrics().horizontalAdvance(bar->tabText(i)),
                     qPrintable(name + ": tab " + bar->tabText(i)));
    }

    const QString dir = qEnvironmentVariable("TORBEL_SHOTS_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        QVERIFY(window.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png")));
    }
}

void tst_editorlook::catalogView()
{
    EditorHarness h;
    fill(h);
    check(h.menu(), "editor-catalog");
}

void tst_editorlook::rationView()
{
    EditorHarness h;
    fill(h);
    h.click("cmdChange");
    h.clickTab(h.days(), 1);
    h.clickTab(h.meals(), 1);
    check(h.menu(), "editor-ration");
}

void tst_editorlook::productDialog()
{
    EditorHarness h;
    fill(h);
    h.pick(h.grid("tblProduct"), 6);
    h.click("cmdRename");
    frmDialogProduct& d = h.forms->DialogProduct();
    QVERIFY(d.isVisible());
    check(d, "dialog-product");
}

void tst_editorlook::exchangeDialog()
{
    EditorHarness h;
    fill(h);
    h.click("cmdChange");
    h.clickTab(h.days(), 1);
    h.click("cmdRemoveDay");
    frmRemoveDay& d = h.forms->RemoveDay();
    QVERIFY(d.isVisible());
    check(d, "dialog-exchange");
}

QTEST_MAIN(tst_editorlook)
#include "tst_editorlook.moc"
