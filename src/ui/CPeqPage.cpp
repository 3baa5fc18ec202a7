#include "CPeqPage.h"

#include "CPeqTab.h"
#include "CRsqTab.h"
#include "CXoverTab.h"
#include "EqMath.h"
#include "PageWidgets.h"
#include "Palette.h"
#include "model/Ceqmode.h"
#include "model/Croot.h"
#include "model/Globals.h"

#include <BinaryData.h>

#include <algorithm>

CPeqPage* peqPage = nullptr;

namespace
{
    /** The page whose graph receives the designers' section frequencies. */
    CPeqPage* sectionFrequencyPage = nullptr;

    void writeSectionFrequency (int section, float hz)
    {
        auto* page = sectionFrequencyPage;
        if (page == nullptr || page->graph == nullptr)
            return;

        // Section 0 is also the crossover's. While "EQ" shows, the handles stay at the EQ bands, whichever
        // design wrote last (a crossover value can arrive on its own and repaint only the graph).
        if (page->getCurrentSubTab() == 0 && section >= 0 && section < 4)
            hz = peqFrequencies[section];

        page->graph->setSectionFrequency (section, hz);
    }

    const juce::Colour eqGrey = palette::grey.darker (0.2f);
}

CPeqPage::CPeqPage()
    : juce::Component ("PeqPage")
{
    tabs = std::make_unique<juce::TabbedComponent> (juce::TabbedButtonBar::TabsAtTop);
    addAndMakeVisible (tabs.get());
    tabs->setTabBarDepth (30);

    // The page owns its sub-tabs; the tabbed component only shows them.
    ownedPeqTab = std::make_unique<CPeqTab>();
    peqTab = ownedPeqTab.get();
    tabs->addTab ("EQ", palette::grey, ownedPeqTab.get(), false);
    ownedXoverTab = std::make_unique<CXoverTab>();
    xoverTab = ownedXoverTab.get();
    tabs->addTab ("X-Over", palette::grey, ownedXoverTab.get(), false);
    ownedRsqTab = std::make_unique<CRsqTab>();
    rsqTab = ownedRsqTab.get();
    tabs->addTab ("RSQ", palette::grey, ownedRsqTab.get(), false);
    tabs->setCurrentTabIndex (0);

    picture = embeddedPicture (BinaryData::eq_freq_axis_png, BinaryData::eq_freq_axis_pngSize);

    setSize (720, 470);

    graph = std::make_unique<EQGraph> (this);
    addAndMakeVisible (graph.get());
    graph->setBounds (50, 10, 660, 150);
    graph->setCurveColour (palette::blue.darker (0.2f));
    graph->setFillColour (palette::blue.darker (0.2f));
    graph->setResponseFunction (EqMath::peqResponseDb);
    graph->resetHandles();
    graph->addHandle (0, embeddedPicture (BinaryData::eq_band_L_png, BinaryData::eq_band_L_pngSize));
    graph->addHandle (1, embeddedPicture (BinaryData::eq_band_H_png, BinaryData::eq_band_H_pngSize));
    graph->addHandle (2, embeddedPicture (BinaryData::eq_band_1_png, BinaryData::eq_band_1_pngSize));
    graph->addHandle (3, embeddedPicture (BinaryData::eq_band_2_png, BinaryData::eq_band_2_pngSize));

    scale = std::make_unique<Cscale> (1);
    addAndMakeVisible (scale.get());
    scale->setBounds (16, 22, 30, 123);

    sectionFrequencyPage = this;
    EqMath::graphSectionFrequency = writeSectionFrequency;

    tabs->getTabbedButtonBar().addChangeListener (this);
}

CPeqPage::~CPeqPage()
{
    tabs->getTabbedButtonBar().removeChangeListener (this);

    if (sectionFrequencyPage == this)
    {
        EqMath::graphSectionFrequency = nullptr;
        sectionFrequencyPage = nullptr;
    }

    tabs.reset();

    // Each sub-tab clears its own pointer as well; these only make sure none is left dangling.
    if (rsqTab == ownedRsqTab.get())
        rsqTab = nullptr;
    ownedRsqTab.reset();
    if (xoverTab == ownedXoverTab.get())
        xoverTab = nullptr;
    ownedXoverTab.reset();
    if (peqTab == ownedPeqTab.get())
        peqTab = nullptr;
    ownedPeqTab.reset();

    if (dragOwnerPage == this)
        dragOwnerPage = nullptr;
    graph.reset();
    scale.reset();
    picture = {};
}

void CPeqPage::setModel (int modelIndex)
{
    CPeqTab::setModel (modelIndex);
    CXoverTab::setModel (modelIndex);
}

void CPeqPage::repaintGraph()
{
    if (graph != nullptr)
        graph->repaint();
}

int CPeqPage::getCurrentSubTab() const
{
    return tabs != nullptr ? tabs->getCurrentTabIndex() : 0;
}

void CPeqPage::resized()
{
    if (tabs != nullptr)
        tabs->setBounds (0, 176, 720, 296);
}

void CPeqPage::changeListenerCallback (juce::ChangeBroadcaster*)
{
    repaint();
}

bool CPeqPage::applySubTab()
{
    if (graph == nullptr || scale == nullptr)
        return false;

    const int before = graph->mode;
    const auto functionBefore = graph->responseFunction;
    const auto curveBefore = graph->curveColours[0];
    const auto fillBefore = graph->fillColours[0];
    float frequenciesBefore[4];
    std::copy (graph->sectionFrequency, graph->sectionFrequency + 4, frequenciesBefore);

    const int subTab = getCurrentSubTab();
    int scaleMode = 1;

    if (subTab == 0)
    {
        graph->setMode (0);
        graph->setResponseFunction (EqMath::peqResponseDb);

        const int userMode = peqTab != nullptr ? peqTab->modeCount : 0;
        const bool user = rootCell != nullptr && rootCell->eqmode->mode->getIndex() == userMode;
        const auto colour = user ? palette::orange : eqGrey;
        graph->setCurveColour (colour);
        graph->setFillColour (colour.withAlpha (0.5f));

        for (int i = 0; i < 4; ++i)
            graph->setSectionFrequency (i, peqFrequencies[i]);
    }
    else if (subTab == 1)
    {
        graph->setMode (1);
        graph->setResponseFunction (EqMath::crossoverResponseDb);
        graph->setCurveColour (palette::blue);
        graph->setFillColour (palette::blue.withAlpha (0.5f));
    }
    else
    {
        graph->setMode (2);
        graph->setResponseFunction (EqMath::rsqResponseDb);
        graph->setCurveColour (palette::red);
        graph->setFillColour (palette::red.withAlpha (0.5f));
        scaleMode = 2;
    }

    if (scale->getMode() != scaleMode)
        scale->setMode (scaleMode);

    return graph->mode != before || graph->responseFunction != functionBefore
        || graph->curveColours[0] != curveBefore || graph->fillColours[0] != fillBefore
        || ! std::equal (frequenciesBefore, frequenciesBefore + 4, graph->sectionFrequency);
}

void CPeqPage::paint (juce::Graphics& g)
{
    g.fillAll (palette::background);
    g.setColour (juce::Colours::black);
    g.fillRect (4, 4, 712, 180);
    g.drawImageAt (picture, 43, 160);
    g.setColour (palette::grey);
    g.fillRect (0, 176, 720, 32);

    // Repainting the graph unconditionally would repaint the page behind it again and never settle;
    // the graph is redrawn only when what it shows has changed.
    if (applySubTab())
        repaintGraph();
}
