#pragma once
// The Configuration tab: input source and gain, delay, limiter, mounting position, voicing and the
// network-channel meters.

#include <juce_gui_basics/juce_gui_basics.h>

/** The Configuration page (720 x 470). One instance, created by the
    main component and published in `configPage`. Its model switch is the only writer of
    `subwooferFlag`, which the EQ and crossover tabs read after it. */
class CConfigPage : public juce::Component
{
public:
    CConfigPage();
    ~CConfigPage() override;

    /** Makes `modelIndex` (0 to 40) the page's model; sets `subwooferFlag` for the subwoofer models
        4, 5, 7, 10, 15, 16, 21, 22, 29, 30, 37 and 38 and clears it for every other index. */
    void setModel (int modelIndex);

    /** The model index last given to setModel (0 at construction). */
    int getModel() const noexcept { return modelIndex; }

    /** Eight network-channel levels (linear) of bank `bank` (0: channels 1 to 8, otherwise 9 to 16),
        shown on the page's channel meters. Acts on `configPage`; nothing happens while there is none. */
    static void setK24Meters (int bank, const float* levels);

    /** True for the model indexes of the subwoofers. */
    static bool isSubwooferModel (int modelIndex) noexcept;

private:
    int modelIndex = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CConfigPage)
};

/** The one Configuration page while it exists (set and cleared by the main component). */
extern CConfigPage* configPage;
