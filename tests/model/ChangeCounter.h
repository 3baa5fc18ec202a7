#pragma once
// Counts the change messages a broadcaster delivers, for tests.

#include <juce_events/juce_events.h>

/** Listens to one broadcaster and counts its change callbacks. */
class ChangeCounter : public juce::ChangeListener
{
public:
    explicit ChangeCounter (juce::ChangeBroadcaster& b) : broadcaster (b) { broadcaster.addChangeListener (this); }
    ~ChangeCounter() override { broadcaster.removeChangeListener (this); }

    /** Delivers the posted messages, then returns the number of callbacks so far. */
    int delivered()
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        return count;
    }

    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }

private:
    juce::ChangeBroadcaster& broadcaster;
    int count = 0;
};
