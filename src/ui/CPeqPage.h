#pragma once
// The Equaliser tab: the response graph with its dB scale above the "EQ", "X-Over" and "RSQ" sub-tabs.

#include "Cscale.h"
#include "EQGraph.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class CPeqTab;
class CXoverTab;
class CRsqTab;

/** The Equaliser page (720 x 470, component name "PeqPage"). It owns the response graph, its dB scale
    and the three sub-tabs, which it creates and publishes in `peqTab`, `xoverTab` and `rsqTab`. The
    sub-tab showing decides the curve the graph draws, its colour and whether the EQ handles show.
    One instance, created by the main component and published in `peqPage`. */
class CPeqPage : public juce::Component,
                 private juce::ChangeListener
{
public:
    CPeqPage();
    ~CPeqPage() override;

    /** Hands the model index to the EQ and then the crossover sub-tab; called by the main component
        after the Configuration page has set `subwooferFlag`. */
    void setModel (int modelIndex);

    /** Redraws the whole response graph (the tabs call it after every design). */
    void repaintGraph();

    /** The current sub-tab: 0 "EQ", 1 "X-Over", 2 "RSQ". */
    int getCurrentSubTab() const;

    /** Places the sub-tabs. */
    void resized() override;
    /** Draws the frame and the frequency strip and sets the graph's curve, colours and mode and the
        scale's mode for the current sub-tab. */
    void paint (juce::Graphics& g) override;

    std::unique_ptr<EQGraph> graph;                 ///< the response graph, (50, 10, 660, 150)
    std::unique_ptr<Cscale> scale;                  ///< the dB scale, (16, 22, 30, 123)
    std::unique_ptr<juce::TabbedComponent> tabs;    ///< the sub-tabs, (0, 176, 720, 296)
    juce::Image picture;                            ///< the frequency strip under the graph (673 x 19)

private:
    /** A new sub-tab was selected: the page (and with it the graph) is redrawn. */
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    /** Gives the graph and the scale the curve, colours and mode of the current sub-tab; true when
        anything the graph draws changed. */
    bool applySubTab();

    std::unique_ptr<CPeqTab> ownedPeqTab;
    std::unique_ptr<CXoverTab> ownedXoverTab;
    std::unique_ptr<CRsqTab> ownedRsqTab;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CPeqPage)
};

/** The one Equaliser page while it exists (set and cleared by the main component). */
extern CPeqPage* peqPage;
