#pragma once

class QMenu;
class clsRKWord;

// The choice of what the document commands end in, at the end of a menu: a separator
// and "Документы: &Word (.docx)", "Документы: &PDF", "Документы: &печать" as one group.
// The kept choice is checked and handed to the writer; a new choice is kept.
namespace DocumentFormatMenu {

void addTo(QMenu& menu, clsRKWord& writer);

} // namespace DocumentFormatMenu
