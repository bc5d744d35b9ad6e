#pragma once

#include "export/DocumentFormat.h"
#include "export/WordDocument.h"
#include "model/DocumentWriter.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <utility>

class WordEditor;
struct GlobalVariable;

// The document writer: a small cursor-based vocabulary (type text, set size, bold and
// alignment, enter the page header and footer, build tables, move by character, line
// or cell, merge cells, draw cell borders) over a document held in memory.
// OpenWord starts a document; CloseWord saves it as a .docx file in the user's
// documents folder and hands it to the desktop's word processor.
//
// Every operation catches its own failure (no document open, a step that cannot be
// done where the cursor is, an argument out of range), shows its message box with the
// caption "Ошибка!" and returns: the Boolean ones return false. What was written
// before stays.
class clsRKWord : public DocumentWriter
{
public:
    clsRKWord();
    ~clsRKWord();
    clsRKWord(const clsRKWord&) = delete;
    clsRKWord& operator=(const clsRKWord&) = delete;

    // A new, empty document with the cursor at its start. A document still open is first
    // saved and handed out as CloseWord does. Fails when no document can be saved
    // where CloseWord will put it.
    bool OpenWord();
    // Types Str at the cursor ('\n' breaks the paragraph, '\t' is a tab); a cell
    // selection is replaced. An empty text inserts nothing and succeeds.
    bool InsertText(const QString& Str);
    void SetFontSize(qint16 nSize); // points, 1..1638
    // Page margins in centimetres.
    void SetPole(float fLeftMargin, float fRightMargin, float fTopMargin, float fBottomMargin);
    // "Left", "Center", "Right", "Justify", letter case as written; any other word does nothing.
    void SetAlign(const QString& strAlign);
    void Bold(bool bBold);
    void Italic(bool bItalic);
    void Enter();            // paragraph break; the new paragraph keeps the formats
    void SetTab(float nTab); // a left tab stop, centimetres from the margin
    void InsertTab();
    // The word last given to Orientation(word), or empty. Never fails.
    QString Orientation() const;
    // "standart" portrait, "albom" landscape; any other word is kept and changes nothing.
    void Orientation(const QString& varNewValue);
    void SetFontStyle(const QString& strStyle); // font face name
    void NewPage();                             // page break; main text, outside tables
    void OpenTopTitule();                       // cursor into the page header
    void CloseTitule();                         // back to where it was in the main text
    void OpenBottomTitule();                    // cursor into the page footer
    void InsertNumPage();                       // "Стр. " PAGE " из " NUMPAGES
    void ZoomProcent(qint16 procent);           // display zoom, 10..500
    // A table of nRows x nCols cells fitting its contents, single 0.5 pt grid lines;
    // the cursor goes into row 1, column 1. Not inside a table.
    void InsertTable(qint32 nRows, qint32 nCols);
    // "right", "left" (by character), "up", "down" (by line), lower case; any other word
    // does nothing. From whole selected cells "right" goes to the start of the next
    // cell and "left" to the start of the first selected one; at the end of a cell's
    // text "right" goes into the next cell, at its start "left" into the previous one;
    // "down"/"up" go to the cell below/above under the cursor, out of the table below
    // its last row.
    void Move(const QString& strDirection);
    void InsertCopyRigth(); // ©
    // The cell holding the cursor and the cells after it in its row, nCount in all,
    // become one cell, which stays selected.
    void UnionCells(qint16 nCount);
    void MoveRightCell(qint16 nCountCells); // whole cells forward, on into the next row
    void MoveLeftCell(qint16 nCountCells);  // whole cells back
    // One edge (bord -1 top, -2 left, -3 bottom, -4 right) of the selected cells or of
    // the cell holding the cursor: line style (0 none, 1 single, 2 dotted, 9, 10, 11
    // double and triple lines, ... up to 24) and width in eighths of a point (2, 4, 6,
    // 8, 12, 18, 24, 36, 48).
    bool DesignSelectionCells(qint32 bord, qint32 style, qint32 size);
    // The table holding the cursor, with the paragraph before it, starts on a fresh page
    // rather than being split when it fits on one.
    void KeepTableTogether();
    // Saves the document (see setOutputFile), opens it in the desktop's word processor
    // and releases it. Without a document open it does nothing.
    void CloseWord();

    // ---- where documents go ----
    // Folder of the saved documents; empty (the default) means the user's documents
    // folder. Created when missing.
    void setDocumentsFolder(const QString& dir);
    QString documentsFolder() const;
    // What CloseWord makes of a document when no file is named: a .docx or a PDF in the
    // documents folder, opened by the desktop, or the print dialog.
    void setFormat(DocumentFormat format) { m_format = format; }
    DocumentFormat format() const { return m_format; }
    // When set, CloseWord writes the document to exactly this file, replacing it, and
    // opens nothing (the export to a named file): a PDF when the name ends in ".pdf",
    // a .docx otherwise. Empty: back to the format and the documents folder.
    void setOutputFile(const QString& path);
    QString outputFile() const { return m_outputFile; }
    // With an output file: CloseWord makes the file's bytes and keeps them for
    // takeOutput() instead of writing them (lastSavedFile() names the file they are
    // for). The export to a named file writes them only when the document is whole.
    void setHoldOutput(bool hold) { m_holdOutput = hold; }
    QByteArray takeOutput() { return std::exchange(m_heldOutput, QByteArray()); }
    // The first words of the saved file's name; empty (the default): the first line of
    // the page header, else "Раскладка". The date and time of saving follow:
    // "Раскладка 2026-06-07 10-31.docx", " (2)" and on when the name is taken.
    void setDocumentName(const QString& name) { m_documentName = name; }
    // Writes the open document to path now, without closing or opening it.
    bool saveTo(const QString& path, QString* error = nullptr) const;

    // ---- for tests and callers that look ----
    bool isOpen() const { return bool(m_doc); }
    const WordDocument* document() const { return m_doc.get(); }
    const WordEditor* editor() const { return m_editor.get(); }
    // The document the last CloseWord released.
    const WordDocument* lastDocument() const { return m_last.get(); }
    // The file the last CloseWord saved; empty when it saved none.
    QString lastSavedFile() const { return m_lastSavedFile; }
    // Why the last save failed, or why the last OpenWord could not start a document.
    QString lastError() const { return m_lastError; }

private:
    enum class Op;
    template <typename F>
    bool run(Op op, F&& body);
    void fail(Op op) const;
    QString documentBaseName() const;
    bool checkTarget(QString* error) const;
    bool saveNew(QString* path, QString* error) const;
    void print() const;

    std::unique_ptr<WordDocument> m_doc;
    std::unique_ptr<WordEditor> m_editor;
    std::unique_ptr<WordDocument> m_last;
    QString m_orientation;
    DocumentFormat m_format = DocumentFormat::Docx;
    QString m_documentsFolder;
    QString m_outputFile;
    QString m_documentName;
    QString m_lastSavedFile;
    QString m_lastError;
    bool m_holdOutput = false;
    QByteArray m_heldOutput;
};

// The trip's writer (GlobalVariable::objWord), created on first use.
clsRKWord& objWord(GlobalVariable& g);
