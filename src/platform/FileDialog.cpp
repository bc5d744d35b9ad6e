#include "platform/FileDialog.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace {

struct FilterPair
{
    QString description;
    QStringList patterns;
};

QList<FilterPair> parseFilter(const QString& filterVb)
{
    QList<FilterPair> pairs;
    const QStringList parts = filterVb.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
        QStringList patterns = parts.at(i + 1).split(separators, Qt::SkipEmptyParts);
        if (patterns.isEmpty())
            continue;
        for (QString& p : patterns) {
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        pairs.append(FilterPair{parts.at(i).trimmed(), patterns});
    }
    return pairs;
}

QString record(FileDialog::Kind kind, const QString& title, const QString& filterVb, const QString& dir)
{
    FileDialog::Log& log = FileDialog::testLog();
    FileDialog::Shown dialog{kind, title, FileDialog::toQtFilter(filterVb), dir, QString()};
    dialog.result = log.next(dialog, QString());
    log.calls.append(dialog);
    return dialog.result;
}

} // namespace

QString FileDialog::toQtFilter(const QString& filterVb)
{
    QStringList filters;
    for (const FilterPair& pair : parseFilter(filterVb)) {
        QString description = pair.description;
        // The description's own "(…)" would be read as patterns; ours replace it.
        static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
        description.remove(trailingPatterns);
        const QString patterns = pair.patterns.join(QLatin1Char(' '));
        filters.append(description.isEmpty() ? QStringLiteral("(%1)").arg(patterns)
                                             : QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters.join(QStringLiteral(";;"));
}

QString FileDialog::defaultSuffix(const QString& filterVb)
{
    for (const FilterPair& pair : parseFilter(filterVb)) {
        for (const QString& pattern : pair.patterns) {
            static const QRegularExpression simpleExtension(QStringLiteral("^\\*\\.([^*?.\\[\\]]+)$"));
            const auto match = simpleExtension.match(pattern);
            if (match.hasMatch())
                return match.captured(1);
        }
    }
    return QString();
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& title, const QString& filterVb, const QString& dir)
{
    if (testMode())
        return record(Open, title, filterVb, dir);
    return QFileDialog::getOpenFileName(parent, title, dir, toQtFilter(filterVb));
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& title, const QString& filterVb, const QString& dir)
{
    if (testMode())
        return record(Save, title, filterVb, dir);

    QFileDialog dialog(parent, title, dir, toQtFilter(filterVb));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix(filterVb));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

FileDialog::Log& FileDialog::testLog()
{
    static Log s;
    return s;
}
