#include "BenchContext.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace {

struct Command
{
    QString strProgram;
    QStringList arguments;
};

// One whole process, from start to exit, its output thrown away. Below 0 on failure.
double runOnce(const Command& c, QString& strError)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(c.strProgram, c.arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        strError = QStringLiteral("%1 failed (%2)").arg(c.strProgram, p.errorString());
        p.kill();
        p.waitForFinished();
        return -1;
    }
    return double(t.nsecsElapsed()) / 1e6;
}

// A PDF's words in the order its lines read, page breaks kept; empty when unreadable.
QString wordsOf(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\n]+"));
    return QString::fromUtf8(p.readAllStandardOutput()).replace(blanks, QStringLiteral(" ")).trimmed();
}

// The yardstick and the program in turn, so that both meet the same load of the machine.
void sideBySide(BenchContext& ctx, const QString& strBase, const Command& base, const QString& strProgram,
                const Command& program, double dFactor, const QString& strNote, int intRepeats = 0)
{
    QList<double> a;
    QList<double> b;
    QString strError;
    // One run each first, untimed: the files they read come into the page cache.
    runOnce(base, strError);
    runOnce(program, strError);
    strError.clear();
    for (int i = 0; i < (intRepeats > 0 ? intRepeats : ctx.intRepeats) && strError.isEmpty(); ++i) {
        const double x = runOnce(base, strError);
        const double y = runOnce(program, strError);
        if (x >= 0 && y >= 0) {
            a.append(x);
            b.append(y);
        }
    }
    if (!strError.isEmpty()) {
        ctx.table.addError(strProgram, strError);
        return;
    }
    const int r = ctx.table.add(strBase, a);
    ctx.table.add(strProgram, b, dFactor * ctx.table.row(r).median(), strNote);
}

} // namespace

void runProcessBenchmarks(BenchContext& ctx)
{
    sideBySide(ctx, QStringLiteral("process: minimal Qt window, start to first paint"),
               {QStringLiteral(TORBEL_BENCH_MINIMAL_EXE), {}},
               QStringLiteral("process: torbel, start to first paint of the main window"),
               {QStringLiteral(TORBEL_BENCH_STARTUP_EXE), {}}, StartupFactor, QStringLiteral("1.5 x minimal window"));
    sideBySide(ctx, QStringLiteral("process: iconv -f cp1251 (large file)"),
               {QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("cp1251"), ctx.strLargeFile}},
               QStringLiteral("process: torbel --list purchases (large file)"),
               {QStringLiteral(TORBEL_BENCH_TORBEL_EXE),
                {QStringLiteral("--list"), QStringLiteral("purchases"), ctx.strLargeFile}},
               CommandLineFactor, QStringLiteral("2 x iconv"));

    // The layout as a PDF drawn by the program, against LibreOffice making a PDF of the
    // program's .docx of it. LibreOffice is slow: a few runs are enough.
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    const QString docx = QDir(ctx.strDir).filePath(QStringLiteral("layout-for-pdf.docx"));
    QString strError;
    if (soffice.isEmpty() || runOnce({QStringLiteral(TORBEL_BENCH_TORBEL_EXE),
                                      {QStringLiteral("--export"), QStringLiteral("layout"), ctx.strRealisticFile,
                                       QStringLiteral("--output"), docx}},
                                     strError) < 0) {
        ctx.table.addError(QStringLiteral("process: torbel --export layout to PDF (realistic)"),
                           soffice.isEmpty() ? QStringLiteral("LibreOffice (soffice) is not installed") : strError);
        return;
    }
    const QString profile = QUrl::fromLocalFile(QDir(ctx.strDir).filePath(QStringLiteral("lo-profile"))).toString();
    sideBySide(ctx, QStringLiteral("process: LibreOffice converts the layout .docx to PDF (realistic)"),
               {soffice,
                {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                 QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                 QDir(ctx.strDir).filePath(QStringLiteral("lo")), docx}},
               QStringLiteral("process: torbel --export layout to PDF (realistic)"),
               {QStringLiteral(TORBEL_BENCH_TORBEL_EXE),
                {QStringLiteral("--export"), QStringLiteral("layout"), ctx.strRealisticFile, QStringLiteral("--output"),
                 QDir(ctx.strDir).filePath(QStringLiteral("layout-realistic.pdf"))}},
               0.1, QStringLiteral("1/10 of LibreOffice"), 3);

    // Both read alike, word for word and page for page.
    const QString ours = wordsOf(QDir(ctx.strDir).filePath(QStringLiteral("layout-realistic.pdf")));
    const QString theirs = wordsOf(QDir(ctx.strDir).filePath(QStringLiteral("lo/layout-for-pdf.pdf")));
    if (ours.isEmpty() || ours != theirs)
        ctx.table.addError(QStringLiteral("process: the layout PDF reads as LibreOffice's (realistic)"),
                           QStringLiteral("the texts differ (pdftotext -layout)"));
}
