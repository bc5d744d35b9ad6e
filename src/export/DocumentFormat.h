#pragma once

#include <QString>

// What the document commands of the windows end in: a .docx for a word processor, a
// PDF, or the printer. The user's choice is kept between runs.
enum class DocumentFormat
{
    Docx,
    Pdf,
    Printer
};

namespace DocumentFormats {

// The choice kept in the program's settings; Docx when none is kept.
DocumentFormat saved();
void save(DocumentFormat format);

// A named file is a PDF when its name ends in ".pdf", in any letter case.
bool isPdfName(const QString& path);

} // namespace DocumentFormats
