#pragma once

#include <QByteArrayView>
#include <QString>

// The lines of the trip file after the ration, for the optional sections that follow
// it. The trip file's reader hands itself over as this; a section reads its own lines.
class SectionLines
{
public:
    // The next whole line; fails when the file ends first.
    virtual QString line() = 0;
    // The same as the file's bytes (Windows-1251), for lines read by the thousand; the
    // view lasts as long as the file's bytes.
    virtual QByteArrayView lineBytes() = 0;
    // The bytes not read yet, for a section that reads many lines on its own; pass()
    // then steps over the bytes and lines it took.
    virtual QByteArrayView rest() = 0;
    virtual void pass(qsizetype intBytes, int intLines) = 0;
    // Refuses the whole file with a fault on the line read last.
    [[noreturn]] virtual void fail(const QString& strWhat) = 0;

protected:
    ~SectionLines() = default;
};
