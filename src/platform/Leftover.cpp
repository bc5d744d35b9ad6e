#include "platform/Leftover.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace {

constexpr int SlotCount = 8;

struct Slot
{
    std::atomic<int> intUsed{0};
    char path[PATH_MAX] = {};
};
static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the slots");

Slot heldPaths[SlotCount];

constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous[std::size(Signals)];

extern "C" void removeLeftovers(int intSignal)
{
    const int intSaved = errno;
    for (Slot& s : heldPaths) {
        if (s.intUsed.load() == 1)
            ::unlink(s.path);
    }
    // Then the signal does what it did before: it is blocked while the handler runs, so
    // the raise takes effect on return, under the old disposition.
    for (std::size_t i = 0; i < std::size(Signals); ++i) {
        if (Signals[i] == intSignal)
            ::sigaction(intSignal, &previous[i], nullptr);
    }
    ::raise(intSignal);
    errno = intSaved;
}

void install()
{
    for (std::size_t i = 0; i < std::size(Signals); ++i) {
        struct sigaction now = {};
        if (::sigaction(Signals[i], nullptr, &now) != 0 || now.sa_handler == SIG_IGN)
            continue; // nohup and the shell's background jobs keep their ignored signals
        struct sigaction act = {};
        act.sa_handler = removeLeftovers;
        sigemptyset(&act.sa_mask);
        for (int intOther : Signals)
            sigaddset(&act.sa_mask, intOther);
        act.sa_flags = SA_RESTART;
        ::sigaction(Signals[i], &act, &previous[i]);
    }
}

} // namespace

Leftover::Leftover(const QByteArray& path)
{
    static std::once_flag installed;
    std::call_once(installed, install);
    m_own = path;
    if (path.isEmpty() || path.size() >= PATH_MAX)
        return;
    for (int i = 0; i < SlotCount; ++i) {
        int intFree = 0;
        // Claimed first, named next and only then shown to the handler.
        if (!heldPaths[i].intUsed.compare_exchange_strong(intFree, -1))
            continue;
        std::memcpy(heldPaths[i].path, path.constData(), static_cast<std::size_t>(path.size()) + 1);
        heldPaths[i].intUsed.store(1);
        m_intSlot = i;
        m_own.clear();
        return;
    }
}

Leftover::~Leftover()
{
    if (m_intSlot >= 0)
        heldPaths[m_intSlot].intUsed.store(0);
}

char* Leftover::path()
{
    return m_intSlot >= 0 ? heldPaths[m_intSlot].path : m_own.data();
}
