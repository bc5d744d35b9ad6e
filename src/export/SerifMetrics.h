#pragma once

#include "export/WordDocument.h"

#include <QStringView>

// Text widths in the serif face the documents are set in, from the face's own advance
// widths: no font engine and no display needed, so the .docx writer and the page
// renderer measure exactly alike. Characters the table lacks count as half an em.
namespace SerifMetrics {

// Advance of c in ems.
double advance(QChar c, bool bold, bool italic);
// Width of one character in points in the given format, on the twip grid word
// processors set text on.
double width(QChar c, const WordCharFormat& format);
// Width of text in points in the given format.
double width(QStringView text, const WordCharFormat& format);

// Vertical metrics in ems: a line of single spacing, and its baseline below its top.
constexpr double kLineHeight = 2355.0 / 2048.0;
constexpr double kAscent = 1825.0 / 2048.0;

} // namespace SerifMetrics
