#pragma once
// The Equaliser tab: the response graph with its dB scale above the "EQ", "X-Over" and "RSQ" sub-tabs.

#include <juce_gui_basics/juce_gui_basics.h>

/** The Equaliser page (720 x 470, component name "PeqPage"). One instance, created by the main
    component and published in `peqPage`. */
class CPeqPage : public juce::Component
{
public:
    CPeqPage();
    ~CPeqPage() override;

    /** Hands the model index to the EQ and the crossover sub-tabs, in that order; called by the
        main component after the Configuration page has set `subwooferFlag`. */
    void setModel (int modelIndex);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CPeqPage)
};

/** The one Equaliser page while it exists (set and cleared by the main component). */
extern CPeqPage* peqPage;
