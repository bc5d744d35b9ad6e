#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class QLockFile;
struct GlobalVariable;

// A copy of the open trip kept while it has unsaved changes, so that a crash, a kill or
// a power cut loses at most the last second or two of work. The trip file itself is
// only ever written by a save.
//
// The copy is an ordinary trip file, "<name>.trb", beside a note "<name>.note" that says
// which trip file it belongs to and when it was written, and a lock "<name>.lock" that
// the running program holds. Each running program has a name of its own (its process
// number, start time and a counter), so two programs open at once keep two copies; a
// copy counts as left behind only when no living program holds its lock.
//
// The trip's bytes are made on the caller's thread (they read the trip state) and
// written on a thread of the copy's own, one write at a time, the newest state winning:
// the file's flush to disk never holds up the window.
class RecoveryCopy : public QObject
{
    Q_OBJECT

public:
    // The copy is written this long after the first change not yet in it, so changes
    // that come in a burst are written once, and none waits more than about a second.
    static constexpr int DelayMs = 1000;

    // A copy a program left behind. Its lock is held by whoever holds this value, so
    // that two programs starting at once do not both offer it.
    struct Pending
    {
        QString strCopy;
        QString strNote;
        QString strTrip; // the trip file it belongs to; empty for a trip never saved
        QDateTime dtWritten;
        std::shared_ptr<QLockFile> lock;
    };

    // $XDG_STATE_HOME/torbel, or ~/.local/state/torbel without it.
    static QString defaultFolder();

    // Copies of g into strFolder; an empty folder keeps none.
    RecoveryCopy(const GlobalVariable& g, const QString& strFolder, QObject* parent = nullptr);
    ~RecoveryCopy() override;
    RecoveryCopy(const RecoveryCopy&) = delete;
    RecoveryCopy& operator=(const RecoveryCopy&) = delete;

    QString folder() const { return m_strFolder; }
    QString copyPath() const;
    QString notePath() const;
    // Why the last write failed; empty after a good one. A write on the copy's thread
    // reports here when its written() or writeFailed() arrives.
    QString lastError() const;

    // Copies left by programs no longer running, newest first, each with its lock taken.
    // A copy another living program holds is not listed.
    static QList<Pending> pending(const QString& strFolder);
    // The copy's trip file path as the note gives it, and when it was written. False
    // when the note is missing or unreadable (a trip never saved is then assumed).
    static bool readNote(const QString& strNote, QString& strTrip, QDateTime& dtWritten);
    // Removes the copy and its note and lets the lock go.
    static bool discard(Pending& p, QString& strError);
    // Renames a copy the reader refused to "<name>.trb.damaged" (and its note likewise),
    // out of the way of the next start, and lets the lock go. strAside is its new path.
    static bool setAside(Pending& p, QString& strAside, QString& strError);
    // Lets the lock go and leaves the copy for the next start.
    static void keep(Pending& p);

public slots:
    // A change of the trip: the copy is written within DelayMs.
    void noteChanged();
    // The trip is saved, or its changes were given up: no copy is wanted.
    void forget();
    // Writes a change still waiting for the delay at once, then waits until every
    // write has ended. False when the last write failed.
    bool flush();

signals:
    // After each write, on the thread that owns the copy.
    void written();
    void writeFailed(const QString& strError);

private:
    struct Job
    {
        QByteArray trip;
        QByteArray note;
    };

    void writeNow();
    bool ensureLock(QString& strError);
    void run();
    void finished(bool blnOk, const QString& strError);

    const GlobalVariable& m_g;
    QString m_strFolder;
    QString m_strBase; // the folder and this program's name, without the extension
    QTimer m_timer;
    std::unique_ptr<QLockFile> m_lock;
    QString m_strLastError;

    // Shared with the writing thread.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<Job> m_job;
    bool m_blnBusy = false;
    bool m_blnStop = false;
    bool m_blnLastOk = true;
    std::thread m_thread;
};
