#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A real 64 KB tmpfs for the tests of a full disk, mounted for the object's life. Only
// root may mount; elsewhere isValid() is false and whyNot() says why, for a QSKIP.
class FullDisk
{
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool isValid() const { return m_blnMounted; }
    QString whyNot() const { return m_strWhyNot; }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QStringList entries() const;

    // Puts a file there while there is still room.
    bool writeBefore(const QString& path, const QByteArray& bytes);
    // Fills what room is left with the file "filler".
    bool fill();

private:
    QTemporaryDir m_dir;
    bool m_blnMounted = false;
    QString m_strWhyNot;
};
