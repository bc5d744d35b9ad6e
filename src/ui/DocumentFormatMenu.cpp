#include "ui/DocumentFormatMenu.h"

#include "export/DocumentFormat.h"
#include "export/clsRKWord.h"

#include <QActionGroup>
#include <QMenu>

namespace DocumentFormatMenu {

void addTo(QMenu& menu, clsRKWord& writer)
{
    struct Choice
    {
        const char* text;
        const char* name;
        DocumentFormat format;
    };
    static const Choice choices[] = {
        {"Документы: &Word (.docx)", "mnuDocumentsDocx", DocumentFormat::Docx},
        {"Документы: &PDF", "mnuDocumentsPdf", DocumentFormat::Pdf},
        {"Документы: &печать", "mnuDocumentsPrint", DocumentFormat::Printer},
    };
    const DocumentFormat kept = DocumentFormats::saved();
    writer.setFormat(kept);
    menu.addSeparator();
    auto* group = new QActionGroup(&menu);
    group->setExclusive(true);
    for (const Choice& c : choices) {
        QAction* action = menu.addAction(QString::fromUtf8(c.text));
        action->setObjectName(QString::fromLatin1(c.name));
        action->setCheckable(true);
        action->setChecked(c.format == kept);
        group->addAction(action);
        const DocumentFormat format = c.format;
        QObject::connect(action, &QAction::triggered, &menu, [&writer, format] {
            writer.setFormat(format);
            DocumentFormats::save(format);
        });
    }
}

} // namespace DocumentFormatMenu
