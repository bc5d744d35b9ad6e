#include "model/GlobalVariable.h"
#include "ui/main/frmMainForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    GlobalVariable g;
    InitGlobalVariable(g);
    frmMainForm mainForm(g);
    mainForm.show();
    return QApplication::exec();
}
