#include "tripfile/RecoveryCopy.h"

#include "model/GlobalVariable.h"
#include "platform/AtomicFile.h"
#include "tripfile/TripFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QUrl>

#include <algorithm>
#include <atomic>

namespace {

const QLatin1String kNoteHeader("torbel-recovery 1");
const QLatin1String kFileKey("file=");
const QLatin1String kWrittenKey("written=");

// The note: a header, the trip file's path percent-encoded (a path may hold any byte but
// '/' and NUL, line ends too) and the time in ISO 8601 with its offset.
QByteArray makeNote(const QString& strTrip, const QDateTime& dt)
{
    QByteArray note = QByteArray(kNoteHeader.data()) + '\n';
    note += QByteArray(kFileKey.data()) + QUrl::toPercentEncoding(strTrip, "/") + '\n';
    note +=
        QByteArray(kWrittenKey.data()) + dt.toOffsetFromUtc(dt.offsetFromUtc()).toString(Qt::ISODateWithMs).toUtf8();
    note += '\n';
    return note;
}

QString lockPathOf(const QString& strCopy)
{
    return strCopy.chopped(4) + QStringLiteral(".lock");
}

bool removeIfThere(const QString& strPath, QString& strError)
{
    QFile f(strPath);
    if (!f.exists() || f.remove())
        return true;
    strError = QStringLiteral("Не удалось удалить файл %1: %2").arg(strPath, f.errorString());
    return false;
}

} // namespace

QString RecoveryCopy::defaultFolder()
{
    // XDG: a relative value is to be ignored.
    const QString strState = qEnvironmentVariable("XDG_STATE_HOME");
    if (!strState.isEmpty() && QDir::isAbsolutePath(strState))
        return QDir(strState).filePath(QStringLiteral("torbel"));
    return QDir::home().filePath(QStringLiteral(".local/state/torbel"));
}

RecoveryCopy::RecoveryCopy(const GlobalVariable& g, const QString& strFolder, QObject* parent)
    : QObject(parent)
    , m_g(g)
    , m_strFolder(strFolder)
{
    static std::atomic<quint64> counter{0};
    if (!m_strFolder.isEmpty()) {
        m_strBase = QDir(m_strFolder)
                        .filePath(QStringLiteral("trip-%1-%2-%3")
                                      .arg(QCoreApplication::applicationPid())
                                      .arg(QDateTime::currentMSecsSinceEpoch())
                                      .arg(++counter));
    }
    m_timer.setSingleShot(true);
    m_timer.setInterval(DelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryCopy::writeNow);
    if (!m_strFolder.isEmpty())
        m_thread = std::thread([this] { run(); });
}

RecoveryCopy::~RecoveryCopy()
{
    // A program ending without the save question answered keeps its newest state: a
    // change still waiting is written, and so is a write already queued.
    if (m_timer.isActive())
        writeNow();
    if (m_thread.joinable()) {
        {
            std::lock_guard lk(m_mutex);
            m_blnStop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
}

QString RecoveryCopy::copyPath() const
{
    return m_strBase.isEmpty() ? QString() : m_strBase + QStringLiteral(".trb");
}

QString RecoveryCopy::notePath() const
{
    return m_strBase.isEmpty() ? QString() : m_strBase + QStringLiteral(".note");
}

QString RecoveryCopy::lastError() const
{
    return m_strLastError;
}

void RecoveryCopy::noteChanged()
{
    // Not restarted by later changes: a stream of edits still gets its copy in time.
    if (!m_strFolder.isEmpty() && !m_timer.isActive())
        m_timer.start();
}

bool RecoveryCopy::ensureLock(QString& strError)
{
    if (m_lock)
        return true;
    if (!QDir().mkpath(m_strFolder)) {
        strError = QStringLiteral("Не удалось создать папку %1").arg(m_strFolder);
        return false;
    }
    // The copies are the user's trips: nobody else's business.
    QFile::setPermissions(m_strFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    auto lock = std::make_unique<QLockFile>(m_strBase + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        strError = QStringLiteral("Не удалось занять файл %1").arg(m_strBase + QStringLiteral(".lock"));
        return false;
    }
    m_lock = std::move(lock);
    return true;
}

void RecoveryCopy::writeNow()
{
    m_timer.stop();
    if (m_strFolder.isEmpty())
        return;
    QString strError;
    QByteArray bytes;
    // The bytes a save would write, made here: the trip state belongs to this thread.
    if (!TripFile::write(TripFile::fromState(m_g), bytes, strError) || !ensureLock(strError)) {
        {
            std::lock_guard lk(m_mutex);
            m_blnLastOk = false;
        }
        finished(false, strError);
        return;
    }
    {
        std::lock_guard lk(m_mutex);
        m_job = Job{std::move(bytes), makeNote(m_g.strFileName, QDateTime::currentDateTime())};
    }
    m_wake.notify_all();
}

void RecoveryCopy::run()
{
    std::unique_lock lk(m_mutex);
    for (;;) {
        m_wake.wait(lk, [this] { return m_blnStop || m_job.has_value(); });
        if (!m_job)
            return;
        const Job job = std::move(*m_job);
        m_job.reset();
        m_blnBusy = true;
        lk.unlock();
        // The note first: a copy is never there without saying whose it is.
        QString strError;
        const bool blnOk =
            AtomicFile::write(notePath(), job.note, strError) && AtomicFile::write(copyPath(), job.trip, strError);
        lk.lock();
        m_blnBusy = false;
        m_blnLastOk = blnOk;
        m_idle.notify_all();
        QMetaObject::invokeMethod(
            this, [this, blnOk, strError] { finished(blnOk, strError); }, Qt::QueuedConnection);
    }
}

void RecoveryCopy::finished(bool blnOk, const QString& strError)
{
    m_strLastError = strError;
    if (blnOk) {
        emit written();
    } else {
        qWarning("torbel: копия для восстановления не записана: %s", qUtf8Printable(strError));
        emit writeFailed(strError);
    }
}

bool RecoveryCopy::flush()
{
    if (m_strFolder.isEmpty())
        return true;
    if (m_timer.isActive())
        writeNow();
    std::unique_lock lk(m_mutex);
    m_idle.wait(lk, [this] { return !m_job && !m_blnBusy; });
    return m_blnLastOk;
}

void RecoveryCopy::forget()
{
    m_timer.stop();
    if (m_strFolder.isEmpty())
        return;
    {
        // A write waiting is dropped and one under way ends before the files go, so
        // nothing brings the copy back afterwards.
        std::unique_lock lk(m_mutex);
        m_job.reset();
        m_idle.wait(lk, [this] { return !m_blnBusy; });
    }
    QString strError;
    if (!removeIfThere(copyPath(), strError) || !removeIfThere(notePath(), strError)) {
        m_strLastError = strError;
        qWarning("torbel: %s", qUtf8Printable(strError));
        return;
    }
    m_lock.reset();
    m_strLastError.clear();
    m_blnLastOk = true;
}

bool RecoveryCopy::readNote(const QString& strNote, QString& strTrip, QDateTime& dtWritten)
{
    strTrip.clear();
    dtWritten = QDateTime();
    QFile f(strNote);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = f.read(64 * 1024).split('\n');
    if (lines.size() < 3 || lines.at(0) != QByteArray(kNoteHeader.data()) ||
        !lines.at(1).startsWith(QByteArray(kFileKey.data())) || !lines.at(2).startsWith(QByteArray(kWrittenKey.data())))
        return false;
    strTrip = QUrl::fromPercentEncoding(lines.at(1).mid(kFileKey.size()));
    dtWritten = QDateTime::fromString(QString::fromUtf8(lines.at(2).mid(kWrittenKey.size())), Qt::ISODateWithMs);
    return dtWritten.isValid();
}

QList<RecoveryCopy::Pending> RecoveryCopy::pending(const QString& strFolder)
{
    QList<Pending> found;
    if (strFolder.isEmpty())
        return found;
    const QDir dir(strFolder);
    for (const QFileInfo& fi : dir.entryInfoList({QStringLiteral("*.trb")}, QDir::Files, QDir::Name)) {
        Pending p;
        p.strCopy = fi.absoluteFilePath();
        p.strNote = p.strCopy.chopped(4) + QStringLiteral(".note");
        p.lock = std::make_shared<QLockFile>(lockPathOf(p.strCopy));
        p.lock->setStaleLockTime(0);
        // Held by a living program (this one too): not left behind.
        if (!p.lock->tryLock(0))
            continue;
        if (!readNote(p.strNote, p.strTrip, p.dtWritten)) {
            // A note lost or spoilt: the copy is still offered, as a trip never saved,
            // which a restore cannot write over anything.
            p.strTrip.clear();
            p.dtWritten = fi.lastModified();
        }
        found.append(std::move(p));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Pending& a, const Pending& b) { return a.dtWritten > b.dtWritten; });
    return found;
}

bool RecoveryCopy::discard(Pending& p, QString& strError)
{
    if (!removeIfThere(p.strCopy, strError) || !removeIfThere(p.strNote, strError))
        return false;
    keep(p);
    return true;
}

bool RecoveryCopy::setAside(Pending& p, QString& strAside, QString& strError)
{
    strAside = p.strCopy + QStringLiteral(".damaged");
    for (int i = 2; QFileInfo::exists(strAside); ++i)
        strAside = p.strCopy + QStringLiteral(".damaged-%1").arg(i);
    if (!QFile::rename(p.strCopy, strAside)) {
        strError = QStringLiteral("Не удалось переименовать файл %1").arg(p.strCopy);
        strAside.clear();
        return false;
    }
    if (QFileInfo::exists(p.strNote)) {
        const QString strNoteAside = p.strNote + strAside.mid(p.strCopy.size());
        QFile::rename(p.strNote, strNoteAside);
    }
    keep(p);
    return true;
}

void RecoveryCopy::keep(Pending& p)
{
    if (p.lock)
        p.lock->unlock();
    p.lock.reset();
}
