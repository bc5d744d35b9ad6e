#pragma once

#include "platform/Headless.h"

#include <QList>
#include <QQueue>

#include <functional>
#include <utility>
#include <variant>

namespace Platform {

// What a desktop service keeps for tests: whether test mode is on, the calls it took in
// test mode (oldest first), the answers queued for the next ones (first queued, first
// used), a function answering those for which none is queued, and Kept: whatever else
// the service's test side sets (a result to return, a file to use).
template <typename CallType, typename AnswerType = std::monostate, typename KeptType = std::monostate>
struct TestLog
{
    using Call = CallType;
    using Answer = AnswerType;
    using Kept = KeptType;
    using Answerer = std::function<Answer(const Call&)>;

    bool testMode = false;
    QList<Call> calls;
    QQueue<Answer> answers;
    Answerer answerer;
    Kept kept;

    // Test mode is forced without a screen, so that nothing can wait for a user.
    bool active() const { return testMode || headless(); }

    // The answer to a call: the first queued, else the answerer's, else the fallback.
    Answer next(const Call& call, const Answer& fallback)
    {
        if (!answers.isEmpty())
            return answers.dequeue();
        return answerer ? answerer(call) : fallback;
    }

    Call last() const { return calls.isEmpty() ? Call{} : calls.last(); }

    // Forgets calls, queued answers and what was set; the answerer stays.
    void clear()
    {
        calls.clear();
        answers.clear();
        kept = Kept{};
    }
};

// The static test side a service shares with the others; Service::testLog() is its one
// log for the run, kept in the service's own source file (the windows module and the
// program must not hold two).
template <typename Service>
struct TestSide
{
    static void setTestMode(bool on) { Service::testLog().testMode = on; }
    static bool testMode() { return Service::testLog().active(); }
    // Queues the answer to the next call (first queued, first used).
    template <typename Answer>
    static void setNextAnswer(Answer answer)
    {
        Service::testLog().answers.enqueue(std::move(answer));
    }
    static int pendingAnswers() { return int(Service::testLog().answers.size()); }
    // Every call taken in test mode, oldest first.
    static const auto& shown() { return Service::testLog().calls; }
    static void clear() { Service::testLog().clear(); }
    // Answers the calls for which nothing is queued, instead of the service's default
    // (for tests that answer at random). Null removes it; so do a Recorder's start and end.
    template <typename Answerer>
    static void setAnswerer(Answerer answerer)
    {
        Service::testLog().answerer = std::move(answerer);
    }
};

// While it lives, the service is in test mode with an empty log; at its end the log it
// found comes back, so a recorder inside another leaves the outer one as it was.
template <typename Service>
class Recorder
{
public:
    using Log = typename Service::Log;

    Recorder()
        : m_log(Service::testLog())
        , m_previous(std::exchange(m_log, Log{}))
    {
        m_log.testMode = true;
    }
    ~Recorder() { m_log = std::move(m_previous); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void setNextAnswer(typename Log::Answer answer) { m_log.answers.enqueue(std::move(answer)); }
    const QList<typename Log::Call>& calls() const { return m_log.calls; }
    const QList<typename Log::Call>& shown() const { return m_log.calls; }
    int count() const { return int(m_log.calls.size()); }
    // The last call; an empty record when there was none.
    typename Log::Call last() const { return m_log.last(); }
    void clear() { m_log.clear(); }

protected:
    Log& m_log;

private:
    Log m_previous;
};

} // namespace Platform
