#pragma once

#include <QDate>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>

class Forms;
struct GlobalVariable;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTableView;
class QFrame;
class RaskladGridModel;
class UpDown;

// The layout window: the trip day by day and meal by meal with the group's amounts
// and the per-person weights (layout mode), or the purchase list of the whole trip or
// of one duty shift (report mode). It reads the trip state and never changes it.
//
// Created once, then only shown and hidden, so the day, the meal tab, the mode and the
// view option last from one opening to the next.
class frmRasklad : public QWidget
{
    Q_OBJECT

public:
    frmRasklad(GlobalVariable& g, Forms& forms, QWidget* parent = nullptr);
    ~frmRasklad() override;

    // Re-reads the trip parameters: spinner ranges, the day brought into the trip, its
    // date and duty shift, the weight labels. Run before every showing.
    void Init();

    // What the export reads.
    bool IsReportMode() const { return m_blnReport; }
    // Purchase list over all trip days (option "Всё") or over the days of shift Smen().
    bool ViewAll() const { return m_blnViewAll; }
    qint16 Smen() const { return m_intSmen; }
    qint16 CurrentDay() const { return m_intCurrentDay; }
    QDate CurrentDate() const { return m_dtCurrentDate; }
    qint16 CurrentTrapeza() const { return m_intCurrentTrapeza; }
    qint16 ActiveSmena() const { return m_intActiveSmena; }
    // The grid below its header row, exactly as shown.
    QList<QStringList> GridRows() const;

    // "&Word": in the report mode the purchase list document; in the layout mode, and
    // after a purchase list that could not be written, the export options dialog.
    void cmdWord_Click();
    void cmdReport_Click();
    void cmdClose_Click();

signals:
    // The window has closed; the main window takes over again (Forms wires it).
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    // Init without its own failure report, for handlers that report once for all their work.
    void initState();
    void ShowWeights();
    void RefreshRasklad();
    void BuildPurchaseList();
    void applyGridPlacement();
    void setDay(qint16 intDay);

    void tsTrapeza_Click(int intIndex);
    void updDate_Change(int intValue);
    void updDay_Change(int intValue);
    void txtSmena_Change(const QString& strText);
    void updSmena_Change(int intValue);
    void rbAll_Click();
    void rbSmena_Click();

    // Runs an event's work; a failure of the model is reported, never passed on.
    void guarded(const std::function<void()>& work);

    int twipsX(int intTwips) const;
    int twipsY(int intTwips) const;
    void place(QWidget* w, int intLeft, int intTop, int intWidth, int intHeight) const;

    GlobalVariable& m_g;
    Forms& m_forms;

    qint16 m_intCurrentDay = 1;
    QDate m_dtCurrentDate;
    qint16 m_intCurrentTrapeza = 1;
    qint16 m_intActiveSmena = 1;
    qint16 m_intSmen = 0;
    bool m_blnViewAll = true;
    bool m_blnReport = false;

    RaskladGridModel* m_grid = nullptr;
    QLabel* m_lblHead = nullptr;
    QLabel* m_lblList = nullptr;
    QTableView* m_tblRasklad = nullptr;
    QFrame* m_frameRasklad = nullptr;
    QTabBar* m_tsTrapeza = nullptr;
    QLabel* m_lblVes = nullptr;
    QLabel* m_lblDateTrapeza = nullptr;
    QLabel* m_lblSutRac = nullptr;
    QLabel* m_lblAllVes = nullptr;
    QGroupBox* m_frameViewAll = nullptr;
    QLabel* m_lblDate = nullptr;
    QLineEdit* m_txtDate = nullptr;
    UpDown* m_updDate = nullptr;
    QLabel* m_lblDay = nullptr;
    QLineEdit* m_txtDay = nullptr;
    UpDown* m_updDay = nullptr;
    QLabel* m_lblSmena = nullptr;
    QLineEdit* m_txtSmena = nullptr;
    UpDown* m_updSmena = nullptr;
    QGroupBox* m_frameViewOption = nullptr;
    QRadioButton* m_rbAll = nullptr;
    QRadioButton* m_rbSmena = nullptr;
    QPushButton* m_cmdWord = nullptr;
    QPushButton* m_cmdReport = nullptr;
    QPushButton* m_cmdClose = nullptr;
    QLabel* m_lblRKForge = nullptr;
};
