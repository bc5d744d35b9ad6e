#pragma once

#include "export/WordDocument.h"
#include "model/GlobalVariable.h"
#include "support/PlatformRecorder.h"

#include <QStringList>
#include <QTemporaryDir>

// Looking at the documents the program writes, without a word processor.
namespace TestSupport {

// One edge as "style/width"; a cell's four as "top left bottom right".
QString border(const WordBorder& b);
QString edges(const WordCell& c);

// Everything a story holds, one line per paragraph (cells' paragraphs included):
// alignment, mark size, the runs with their formats, spans and borders. Two stories
// with equal dumps look the same.
QString dump(const WordStory& story);

// The texts of the message boxes shown so far.
QStringList messageTexts();

// A trip whose writer saves into a scratch folder, with every platform wrapper
// recording instead of showing.
struct ExportingTrip
{
    PlatformRecorder platform;
    QTemporaryDir dir;
    GlobalVariable g;

    ExportingTrip();
    // The folder the documents are saved in.
    QString documents() const;
    // The document the last export released; fails the test when there is none.
    const WordDocument& last() const;
};

} // namespace TestSupport
