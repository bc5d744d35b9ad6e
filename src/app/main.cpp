#include "model/GlobalVariable.h"
#include "ui/Forms.h"
#include "ui/main/frmMainForm.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("torbel"));
    GlobalVariable g;
    InitGlobalVariable(g);
    Forms forms(g);
    frmMainForm& main = forms.MainForm();
    main.show();
    // A trip file given on the command line (a double-click in the file manager) opens
    // at once; a bad one is reported and the program starts with a new trip.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1 && !args.at(1).isEmpty())
        main.OpenFile(QFileInfo(args.at(1)).absoluteFilePath());
    return QApplication::exec();
}
