#include "export/clsRKWord.h"

#include "export/DocxWriter.h"
#include "export/PageRenderer.h"
#include "export/WordEditor.h"
#include "model/GlobalVariable.h"
#include "platform/AtomicFile.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/Printing.h"
#include "platform/SystemError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cmath>
#include <unistd.h>

enum class clsRKWord::Op
{
    OpenWord,
    InsertText,
    SetFontSize,
    SetPole,
    SetAlign,
    Bold,
    Italic,
    Enter,
    SetTab,
    InsertTab,
    OrientationWrite,
    SetFontStyle,
    NewPage,
    OpenTopTitule,
    CloseTitule,
    OpenBottomTitule,
    InsertNumPage,
    ZoomProcent,
    InsertTable,
    Move,
    InsertCopyRigth,
    UnionCells,
    MoveRightCell,
    MoveLeftCell,
    DesignSelectionCells,
    CloseWord
};

namespace {

const QString kCaption = QStringLiteral("Ошибка!");
// The section of the guide on documents.
constexpr const char* kHelpTopic = "word";

// Margins the page still has room for, in centimetres.
constexpr double kMaxMarginCm = 55.87;
constexpr double kMinTextCm = 0.5;

} // namespace

clsRKWord::clsRKWord() = default;
clsRKWord::~clsRKWord() = default;

void clsRKWord::fail(Op op) const
{
    QString text;
    switch (op) {
    case Op::OpenWord:
        text = QStringLiteral("Невозможно открыть приложение Word 2000 !  Error in ClassWord::OpenWord");
        break;
    case Op::InsertText:
        text = QStringLiteral("Невозможно вставить текст!  Error in ClassWord::InsertText");
        break;
    case Op::SetFontSize:
        text = QStringLiteral("Невозможно установить размер шрифта! Error in ClassWord::SetFontSize ");
        break;
    case Op::SetPole:
        text = QStringLiteral("Невозможно задать отступ! Error in ClassWord::SetPole ");
        break;
    case Op::SetAlign:
        text = QStringLiteral("Невозможно задать выравнивание! Error in ClassWord::SetAlign ");
        break;
    case Op::Bold:
        text = QStringLiteral("Невозможно задать свойство! Error in ClassWord::Bold ");
        break;
    case Op::Italic:
        text = QStringLiteral("Невозможно задать свойство! Error in ClassWord::Italic ");
        break;
    case Op::Enter:
        text = QStringLiteral("Невозможно выполнить перевод строки! Error in ClassWord::Enter ");
        break;
    case Op::SetTab:
        text = QStringLiteral("Невозможно установить отступ! Error in ClassWord::SetTab ");
        break;
    case Op::InsertTab:
        text = QStringLiteral("Невозможно вставить символ табуляции! Error in ClassWord::InsertTab ");
        break;
    case Op::OrientationWrite:
        text = QStringLiteral("Невозможно задать ориентацию листа! Error in ClassWord::Orientation ");
        break;
    case Op::SetFontStyle:
        text = QStringLiteral("Невозможно задать стиль! Error in ClassWord::SetFontStyle ");
        break;
    case Op::NewPage:
        text = QStringLiteral("Невозможно перейти на новую страницу! Error in ClassWord::NewPage ");
        break;
    case Op::OpenTopTitule:
        text = QStringLiteral("Невозможно открыть верхний колонтитул! Error in ClassWord::OpenTopTitule ");
        break;
    case Op::CloseTitule:
        text = QStringLiteral("Невозможно закрыть колонтитул! Error in ClassWord::CloseTitule ");
        break;
    case Op::OpenBottomTitule:
        text = QStringLiteral("Невозможно открыть нижний колонтитул! Error in ClassWord::OpenBottomTitule ");
        break;
    case Op::InsertNumPage:
        text = QStringLiteral("Невозможно ввести нумерацию страниц! Error in ClassWord::InsertNumPage ");
        break;
    case Op::ZoomProcent:
        text = QStringLiteral("Невозможно выполнить масштабирование! Error in ClassWord::ZoomProcent ");
        break;
    case Op::InsertTable:
        text = QStringLiteral("Невозможно вставить таблицу! Error in ClassWord::InsertTable ");
        break;
    case Op::Move:
        text = QStringLiteral("Невозможно переместить курсор! Error in ClassWord::Move ");
        break;
    case Op::InsertCopyRigth:
        text = QStringLiteral("Невозможно вставить символ CopyRight! Error in ClassWord::InsertCopyRight ");
        break;
    case Op::UnionCells:
        text = QStringLiteral("Невозможно объединить ячейки! Error in ClassWord::UnionCells ");
        break;
    case Op::MoveRightCell:
        text = QStringLiteral("Невозможно перевести курсор вправо! Error in ClassWord::MoveRightCell ");
        break;
    case Op::MoveLeftCell:
        text = QStringLiteral("Невозможно перевести курсор влево! Error in ClassWord::MoveLeftCell ");
        break;
    case Op::DesignSelectionCells:
        text = QStringLiteral("Невозможно установить стиль ячейки таблицы! Error in ClassWord::DesignSelectionCells ");
        break;
    case Op::CloseWord:
        text = QStringLiteral("Невозможно корректно завершить экспорт в Word 2000! Error in ClassWord::CloseWord ");
        break;
    }
    // Every message but those of the first two steps leads to the writer's help.
    const bool blnHelp = op != Op::OpenWord && op != Op::InsertText;
    MessageBox::show(nullptr, text, kCaption, MessageBox::OkOnly, MessageBox::NoIcon,
                     blnHelp ? QString::fromLatin1(kHelpTopic) : QString());
}

// Runs one step on the open document; any failure shows the step's message.
template <typename F>
bool clsRKWord::run(Op op, F&& body)
{
    try {
        if (!m_editor)
            throw WordError("no document is open");
        body(*m_editor);
        return true;
    } catch (...) {
        // Whatever went wrong, the step reports and the caller decides whether to go on.
    }
    fail(op);
    return false;
}

// ---------------------------------------------------------------- the vocabulary

bool clsRKWord::OpenWord()
{
    if (m_doc)
        CloseWord();
    m_lastError.clear();
    try {
        QString why;
        if (!checkTarget(&why))
            throw WordError(why.toStdString());
        m_doc = std::make_unique<WordDocument>();
        m_editor = std::make_unique<WordEditor>(*m_doc);
        return true;
    } catch (const std::exception& e) {
        m_lastError = QString::fromStdString(e.what());
    } catch (...) {
    }
    m_editor.reset();
    m_doc.reset();
    fail(Op::OpenWord);
    return false;
}

bool clsRKWord::InsertText(const QString& Str)
{
    return run(Op::InsertText, [&](WordEditor& e) { e.typeText(Str); });
}

void clsRKWord::SetFontSize(qint16 nSize)
{
    run(Op::SetFontSize, [&](WordEditor& e) { e.setSize(nSize); });
}

void clsRKWord::SetPole(float fLeftMargin, float fRightMargin, float fTopMargin, float fBottomMargin)
{
    run(Op::SetPole, [&](WordEditor&) {
        const double margins[] = {fLeftMargin, fRightMargin, fTopMargin, fBottomMargin};
        for (double m : margins) {
            if (!std::isfinite(m) || m < 0 || m > kMaxMarginCm)
                throw WordError("margin out of range");
        }
        WordPageSetup& page = m_doc->page;
        const double widthCm = page.widthTwips() / 20.0 * 2.54 / 72.0;
        const double heightCm = page.heightTwips() / 20.0 * 2.54 / 72.0;
        if (widthCm - fLeftMargin - fRightMargin < kMinTextCm || heightCm - fTopMargin - fBottomMargin < kMinTextCm)
            throw WordError("no room left for the text");
        page.leftMargin = centimetersToPoints(fLeftMargin);
        page.rightMargin = centimetersToPoints(fRightMargin);
        page.bottomMargin = centimetersToPoints(fBottomMargin);
        page.topMargin = centimetersToPoints(fTopMargin);
    });
}

void clsRKWord::SetAlign(const QString& strAlign)
{
    run(Op::SetAlign, [&](WordEditor& e) {
        if (strAlign == QLatin1String("Left"))
            e.setAlign(WordAlign::Left);
        else if (strAlign == QLatin1String("Center"))
            e.setAlign(WordAlign::Center);
        else if (strAlign == QLatin1String("Right"))
            e.setAlign(WordAlign::Right);
        else if (strAlign == QLatin1String("Justify"))
            e.setAlign(WordAlign::Justify);
    });
}

void clsRKWord::Bold(bool bBold)
{
    run(Op::Bold, [&](WordEditor& e) { e.setBold(bBold); });
}

void clsRKWord::Italic(bool bItalic)
{
    run(Op::Italic, [&](WordEditor& e) { e.setItalic(bItalic); });
}

void clsRKWord::Enter()
{
    run(Op::Enter, [](WordEditor& e) { e.typeParagraph(); });
}

void clsRKWord::SetTab(float nTab)
{
    run(Op::SetTab, [&](WordEditor& e) {
        if (!std::isfinite(nTab))
            throw WordError("tab stop out of range");
        e.addTabStop(centimetersToPoints(nTab));
    });
}

void clsRKWord::InsertTab()
{
    run(Op::InsertTab, [](WordEditor& e) { e.typeTab(); });
}

QString clsRKWord::Orientation() const
{
    return m_orientation;
}

void clsRKWord::Orientation(const QString& varNewValue)
{
    // The word is kept first, even when no document is open to take it.
    m_orientation = varNewValue;
    run(Op::OrientationWrite, [&](WordEditor&) {
        if (varNewValue == QLatin1String("standart"))
            m_doc->page.landscape = false;
        else if (varNewValue == QLatin1String("albom"))
            m_doc->page.landscape = true;
    });
}

void clsRKWord::SetFontStyle(const QString& strStyle)
{
    run(Op::SetFontStyle, [&](WordEditor& e) { e.setFont(strStyle); });
}

void clsRKWord::NewPage()
{
    run(Op::NewPage, [](WordEditor& e) { e.typePageBreak(); });
}

void clsRKWord::OpenTopTitule()
{
    run(Op::OpenTopTitule, [](WordEditor& e) { e.enterHeader(); });
}

void clsRKWord::CloseTitule()
{
    run(Op::CloseTitule, [](WordEditor& e) { e.leaveHeaderFooter(); });
}

void clsRKWord::OpenBottomTitule()
{
    run(Op::OpenBottomTitule, [](WordEditor& e) { e.enterFooter(); });
}

void clsRKWord::InsertNumPage()
{
    run(Op::InsertNumPage, [](WordEditor& e) { e.typePageNumbering(); });
}

void clsRKWord::ZoomProcent(qint16 procent)
{
    run(Op::ZoomProcent, [&](WordEditor&) {
        if (procent < 10 || procent > 500)
            throw WordError("zoom out of range");
        m_doc->zoom = procent;
    });
}

void clsRKWord::InsertTable(qint32 nRows, qint32 nCols)
{
    run(Op::InsertTable, [&](WordEditor& e) { e.insertTable(nRows, nCols); });
}

void clsRKWord::Move(const QString& strDirection)
{
    run(Op::Move, [&](WordEditor& e) {
        if (strDirection == QLatin1String("right"))
            e.moveRight();
        else if (strDirection == QLatin1String("left"))
            e.moveLeft();
        else if (strDirection == QLatin1String("up"))
            e.moveUp();
        else if (strDirection == QLatin1String("down"))
            e.moveDown();
    });
}

void clsRKWord::InsertCopyRigth()
{
    run(Op::InsertCopyRigth, [](WordEditor& e) { e.typeText(QString(QChar(0x00A9))); });
}

void clsRKWord::UnionCells(qint16 nCount)
{
    run(Op::UnionCells, [&](WordEditor& e) { e.mergeCells(nCount); });
}

void clsRKWord::MoveRightCell(qint16 nCountCells)
{
    run(Op::MoveRightCell, [&](WordEditor& e) { e.moveCells(nCountCells); });
}

void clsRKWord::MoveLeftCell(qint16 nCountCells)
{
    run(Op::MoveLeftCell, [&](WordEditor& e) { e.moveCells(-int(nCountCells)); });
}

bool clsRKWord::DesignSelectionCells(qint32 bord, qint32 style, qint32 size)
{
    return run(Op::DesignSelectionCells, [&](WordEditor& e) { e.setBorder(bord, style, size); });
}

void clsRKWord::KeepTableTogether()
{
    run(Op::InsertTable, [](WordEditor& e) { e.keepTableTogether(); });
}

void clsRKWord::CloseWord()
{
    if (!m_doc)
        return;
    QString path;
    QString why;
    bool saved = false;
    try {
        if (!m_outputFile.isEmpty()) {
            path = m_outputFile;
            const QByteArray bytes = DocumentFormats::isPdfName(path)
                                         ? PageRenderer::pdf(*m_doc, documentBaseName(), &why)
                                         : DocxWriter::package(*m_doc, &why);
            if (m_holdOutput) {
                m_heldOutput = bytes;
                saved = !bytes.isEmpty();
            } else {
                saved = !bytes.isEmpty() && AtomicFile::write(path, bytes, why);
            }
        } else if (m_format == DocumentFormat::Printer) {
            print();
            m_editor.reset();
            m_last = std::move(m_doc);
            m_lastSavedFile.clear();
            return;
        } else {
            saved = saveNew(&path, &why);
        }
    } catch (const std::exception& e) {
        why = QString::fromStdString(e.what());
    } catch (...) {
    }
    m_editor.reset();
    m_last = std::move(m_doc);
    m_lastSavedFile = saved ? path : QString();
    m_lastError = saved ? QString() : why;
    if (!saved) {
        fail(Op::CloseWord);
        return;
    }
    if (!m_outputFile.isEmpty())
        return;
    if (!Desktop::openFile(path)) {
        // The export is not lost: say where it is.
        MessageBox::show(nullptr,
                         (m_format == DocumentFormat::Pdf
                              ? QStringLiteral("Не найдена программа, открывающая документы PDF.\n")
                              : QStringLiteral("Не найдена программа, открывающая документы Word (.docx).\n")) +
                             QStringLiteral("Документ сохранён в файле:\n%1").arg(QDir::toNativeSeparators(path)),
                         kCaption, MessageBox::OkOnly, MessageBox::Information);
    }
}

// ---------------------------------------------------------------- saving

void clsRKWord::setDocumentsFolder(const QString& dir)
{
    m_documentsFolder = dir;
}

QString clsRKWord::documentsFolder() const
{
    if (!m_documentsFolder.isEmpty())
        return m_documentsFolder;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    return dir;
}

void clsRKWord::setOutputFile(const QString& path)
{
    m_outputFile = path;
}

bool clsRKWord::saveTo(const QString& path, QString* error) const
{
    if (!m_doc) {
        if (error)
            *error = QStringLiteral("Нет открытого документа.");
        return false;
    }
    return DocxWriter::write(*m_doc, path, error);
}

// Whether CloseWord will be able to save: found out before anything is written, so
// that an export that cannot be kept does not start.
bool clsRKWord::checkTarget(QString* error) const
{
    QString dir;
    if (m_outputFile.isEmpty()) {
        dir = documentsFolder();
        if (!QDir().mkpath(dir)) {
            *error = QStringLiteral("не удалось создать папку %1").arg(QDir::toNativeSeparators(dir));
            return false;
        }
    } else {
        dir = QFileInfo(m_outputFile).absolutePath();
    }
    // Asked, not tried: a trial file would be left behind by a process killed meanwhile.
    if (::access(QFile::encodeName(dir).constData(), W_OK | X_OK) != 0) {
        *error = QStringLiteral("в папку %1 нельзя записать: %2")
                     .arg(QDir::toNativeSeparators(dir), SystemError::text(errno));
        return false;
    }
    return true;
}

// What the saved file is called: the given name, or the first line of the page header
// (the document's title), without characters a file name cannot hold.
QString clsRKWord::documentBaseName() const
{
    QString name = m_documentName;
    if (name.isEmpty() && m_doc) {
        for (const WordParagraph* p : m_doc->header.paragraphs()) {
            name = p->text().trimmed();
            if (!name.isEmpty())
                break;
        }
    }
    static const QRegularExpression unfit(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f]+)"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    name.replace(unfit, QStringLiteral(" "));
    name.replace(blanks, QStringLiteral(" "));
    name = name.left(60).trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Раскладка") : name;
}

// Saves under a new name in the documents folder; an existing file is never replaced.
// Hands the document to the printer through the print dialog; a cancelled dialog
// prints nothing and says nothing.
void clsRKWord::print() const
{
    const PageRenderer::Layout pages = PageRenderer::layout(*m_doc);
    QString why;
    const Printing::Result result = Printing::print(
        nullptr, documentBaseName(), int(pages.pages.size()),
        [&pages](QPagedPaintDevice& device, const QList<int>& chosen, QString* error) {
            return PageRenderer::paint(pages, device, error, chosen);
        },
        &why);
    if (result == Printing::Result::Failed)
        MessageBox::show(nullptr, QStringLiteral("Документ не напечатан: ") + why, kCaption, MessageBox::OkOnly,
                         MessageBox::Warning);
}

bool clsRKWord::saveNew(QString* path, QString* error) const
{
    const bool pdf = m_format == DocumentFormat::Pdf;
    const QByteArray data =
        pdf ? PageRenderer::pdf(*m_doc, documentBaseName(), error) : DocxWriter::package(*m_doc, error);
    if (data.isEmpty())
        return false;
    const QString dir = documentsFolder();
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("не удалось создать папку %1").arg(QDir::toNativeSeparators(dir));
        return false;
    }
    const QString stem = documentBaseName() + QLatin1Char(' ') +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm"));
    for (int n = 1; n <= 1000; ++n) {
        const QString candidate = QDir(dir).filePath(stem + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) +
                                                     (pdf ? QStringLiteral(".pdf") : QStringLiteral(".docx")));
        QString why;
        if (!AtomicFile::writeNew(candidate, data, why)) {
            if (why.isEmpty())
                continue; // the name is taken
            *error = why;
            return false;
        }
        *path = candidate;
        return true;
    }
    *error = QStringLiteral("в папке %1 нет свободного имени для документа").arg(QDir::toNativeSeparators(dir));
    return false;
}

// ---------------------------------------------------------------- the trip's writer

clsRKWord& objWord(GlobalVariable& g)
{
    if (!g.objWord)
        g.objWord = std::make_unique<clsRKWord>();
    return static_cast<clsRKWord&>(*g.objWord);
}
