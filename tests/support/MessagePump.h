#pragma once
// Runs the JUCE message loop from a test until a condition holds or time passes.
#include <juce_events/juce_events.h>

#include <atomic>
#include <functional>
#include <memory>

namespace testpump
{
/** How long a test waits for something the link's threads do before it gives up. Only a failing test
    waits this long: on a busy machine a thread can wait seconds for a core. */
constexpr int threadWaitMs = 20000;

/** Runs the message loop until `done` holds or `timeoutMs` passed; returns whether it held. */
inline bool pumpUntil (const std::function<bool()>& done, int timeoutMs = 5000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (! done())
    {
        if ((int) (end - juce::Time::getMillisecondCounter()) <= 0)
            return done();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (2);
    }
    return true;
}

/** Runs the message loop until every message posted before the call (a click, a change message) has been
    delivered; the queue is first in, first out. A descheduled test thread can let any fixed time pass
    before the loop gets to them. */
inline bool pumpPosted (int timeoutMs = 5000)
{
    auto delivered = std::make_shared<std::atomic<bool>> (false);
    juce::MessageManager::callAsync ([delivered] { *delivered = true; });
    return pumpUntil ([&delivered] { return delivered->load(); }, timeoutMs);
}

/** Runs the message loop for `ms` milliseconds, and at least until every message posted before the call
    has been delivered. */
inline void pumpFor (int ms)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) ms;
    pumpPosted();
    while ((int) (end - juce::Time::getMillisecondCounter()) > 0)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (2);
}
} // namespace testpump
