#pragma once

#include <functional>

#include "model/GlobalVariable.h"
#include "platform/MessageBox.h"
#include "ui/Forms.h"
#include "ui/Twips.h"
#include "ui/editor/frmDialogProduct.h"
#include "ui/editor/frmMenu.h"
#include "ui/editor/frmRemoveDay.h"
#include "ui/main/frmMainForm.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <memory>

// A fresh trip with its windows, the ration editor opened from the main window the way
// the "Рацион" button does, and every message box recorded instead of shown.
struct EditorHarness
{
    GlobalVariable g;
    std::unique_ptr<Forms> forms;
    MessageBox::Recorder boxes;

    EditorHarness()
    {
        InitGlobalVariable(g);
        forms = std::make_unique<Forms>(g);
    }

    frmMenu& menu() { return forms->Menu(); }

    // Opens the editor from the main window; the editor is created on first use.
    frmMenu& open()
    {
        frmMainForm& main = forms->MainForm();
        main.show();
        Forms::openFrom(main, menu());
        return menu();
    }

    template <typename T = QWidget>
    static T* child(QWidget& window, const char* name)
    {
        T* found = window.findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s in %s", name, qPrintable(window.objectName()));
        return found;
    }
    template <typename T = QWidget>
    T* ctl(const char* name)
    {
        return child<T>(menu(), name);
    }

    QPushButton* button(const char* name) { return ctl<QPushButton>(name); }
    QTableView* grid(const char* name) { return ctl<QTableView>(name); }
    QTabBar* days() { return ctl<QTabBar>("StripDayMenuTabs"); }
    QTabBar* meals() { return ctl<QTabBar>("StripTrapezaTabs"); }

    // Types any text, Cyrillic too, key by key into the widget.
    static void typeText(QWidget* widget, const QString& text)
    {
        for (QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void clickTab(QTabBar* bar, int index) { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center()); }

    // Every cell text of a grid, row by row below the header.
    static QList<QStringList> texts(const QTableView* view)
    {
        QList<QStringList> rows;
        const QAbstractItemModel* m = view->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < m->columnCount(); ++c)
                row.append(m->index(r, c).data().toString());
            rows.append(row);
        }
        return rows;
    }
    // The names column of a grid.
    static QStringList names(const QTableView* view)
    {
        QStringList out;
        for (const QStringList& row : texts(view))
            out.append(row.value(0));
        return out;
    }
    // The current cell as the program counts rows: 1 is the first row below the header.
    static QPoint current(const QTableView* view)
    {
        const QModelIndex i = view->currentIndex();
        return i.isValid() ? QPoint(i.column(), i.row() + 1) : QPoint(-1, 0);
    }
    static void pick(QTableView* view, int intRow)
    {
        const QModelIndex i = view->model()->index(intRow - 1, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(i).center());
    }

    QStringList tabTexts(QTabBar* bar)
    {
        QStringList out;
        for (int i = 0; i < bar->count(); ++i)
            out.append(bar->tabText(i));
        return out;
    }

    // Through the trip's editor, as the windows change the catalog.
    void addProducts(const QList<QStringList>& products)
    {
        clsCatalog read;
        QList<clsProduct> added;
        for (const QStringList& p : products) {
            read.AddProduct(p.value(0), p.value(1), p.value(2));
            added.append(read.GetProduct(read.size()));
        }
        g.edits.appendProducts(added, QString());
    }
    void changeProduct(qint16 intIndex, const std::function<void(clsProduct&)>& change)
    {
        clsProduct p = g.objCatalog.GetProduct(intIndex);
        change(p);
        g.edits.setProduct(intIndex, p, QString());
    }
    // As when a trip without products is opened.
    void emptyCatalog()
    {
        g.objCatalog.DelAllProduct();
        g.edits.replaced();
    }

    // Catalog positions held by a meal of a daily menu.
    QList<qint16> meal(int intDay, int intMeal)
    {
        QList<qint16> out;
        const clsTrapeza* t = g.objMenuList.GetMenu(qint16(intDay)).GetTrapeza(qint16(intMeal));
        for (qint16 i = 1; i <= t->GetCountProduct(); ++i)
            out.append(t->GetIndexProduct(i));
        return out;
    }
    void setMeal(int intDay, int intMeal, const QList<qint16>& positions)
    {
        clsTrapeza* t = g.objMenuList.GetMenu(qint16(intDay)).GetTrapeza(qint16(intMeal));
        t->DelAllProduct();
        for (qint16 p : positions)
            t->AddProduct(p);
    }
};
