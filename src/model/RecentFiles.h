#pragma once

#include <QString>
#include <QStringList>

// The trips last opened or saved, the latest first, at most MaxCount of them. Two paths
// to the same file (relative, through "..", through a link) are one entry: the later
// takes the place and the spelling.
class RecentFiles
{
public:
    static constexpr int MaxCount = 5;

    RecentFiles() = default;
    // A kept list: empty entries and repeats are dropped, and any past MaxCount.
    explicit RecentFiles(const QStringList& paths);

    const QStringList& paths() const { return m_paths; }
    bool isEmpty() const { return m_paths.isEmpty(); }

    // Puts the file on top, as an absolute path.
    void add(const QString& path);
    // Takes the file out; false when it was not listed.
    bool remove(const QString& path);
    bool contains(const QString& path) const;

    // What two paths to the same file share: the path with links resolved while the
    // file exists, else the clean absolute path.
    static QString identity(const QString& path);
    // The menu entry of the index'th file (from 1): "&1 поход.trb", with any '&' of the
    // name doubled so that it is shown, not taken for a mnemonic.
    static QString menuText(int index, const QString& path);

private:
    qsizetype find(const QString& path) const;

    QStringList m_paths;
};
