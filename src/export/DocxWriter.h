#pragma once

#include "export/WordDocument.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Saves a WordDocument as an Office Open XML word-processing file (.docx).
namespace DocxWriter {

using Part = QPair<QString, QByteArray>; // name inside the package, XML

// The package's parts in the order they are stored: content types, relationships,
// the main text, styles, settings, and the page header and footer when they hold
// anything.
QList<Part> parts(const WordDocument& doc);

// The whole file; empty, with error set, when the package cannot be built.
QByteArray package(const WordDocument& doc, QString* error = nullptr);

// Writes the file at path, replacing it only once every byte is written.
bool write(const WordDocument& doc, const QString& path, QString* error = nullptr);

// The name the file format gives a line style number (0 "nil", 1 "single", 2 "dotted",
// 9 "thinThickSmallGap", ...); empty for an unknown number.
QString borderName(int style);

} // namespace DocxWriter
