#pragma once
// Runs the JUCE message loop from a test until a condition holds or time passes.
#include <juce_events/juce_events.h>

#include <functional>

namespace testpump
{
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

/** Runs the message loop for `ms` milliseconds. */
inline void pumpFor (int ms)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) ms;
    while ((int) (end - juce::Time::getMillisecondCounter()) > 0)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (2);
}
} // namespace testpump
