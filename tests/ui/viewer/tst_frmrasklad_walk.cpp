// Layout window faults that the random walk (tests/robust) found, one case each.
#include "model/GlobalVariable.h"
#include "support/PlatformRecorder.h"
#include "support/SampleTrip.h"
#include "ui/Forms.h"
#include "ui/main/frmMainForm.h"
#include "ui/viewer/frmPrintOption.h"
#include "ui/viewer/frmRasklad.h"

#include <QTest>

class tst_frmrasklad_walk : public QObject
{
    Q_OBJECT

private slots:
    void frameCloseWaitsForTheExportDialog();
};

void tst_frmrasklad_walk::frameCloseWaitsForTheExportDialog()
{
    TestSupport::PlatformRecorder recorder;
    GlobalVariable g;
    InitGlobalVariable(g);
    TestSupport::makeTrip(g, {{"Гречка", "80", "гр"}}, {"1 | 1 | 1"}, 4, 2, 3);
    Forms forms(g);
    frmMainForm& main = forms.MainForm();
    main.show();
    main.cmdRaklad_Click();
    frmRasklad& rasklad = forms.Rasklad();
    QVERIFY(rasklad.isVisible());
    rasklad.cmdWord_Click();
    frmPrintOption& options = forms.PrintOption();
    QVERIFY(options.isVisible());
    QVERIFY(!rasklad.isEnabled());

    // The frame's close button of the waiting window: the dialog keeps its window.
    rasklad.close();
    QVERIFY(rasklad.isVisible());
    QVERIFY(!main.isEnabled());
    QVERIFY(options.isVisible());

    options.cmdCancel_Click();
    QVERIFY(rasklad.isEnabled());
    rasklad.close();
    QVERIFY(!rasklad.isVisible());
    QVERIFY(main.isEnabled());
}

QTEST_MAIN(tst_frmrasklad_walk)
#include "tst_frmrasklad_walk.moc"
