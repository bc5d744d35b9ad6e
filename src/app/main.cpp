#include "model/GlobalVariable.h"
#include "ui/Forms.h"
#include "ui/main/frmMainForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    forms.MainForm().show();
    return QApplication::exec();
}
