// The Equaliser page on its own tree: its sub-tabs and the pointers it publishes, the curve, colours
// and scale chosen per sub-tab, the designers' hook into the graph, the model hand-over and what it
// draws.
#include "support/Screenshot.h"
#include "UiTestImages.h"
#include "support/MessagePump.h"

#include "model/Ceqmode.h"
#include "model/Croot.h"
#include "model/Cxover.h"
#include "model/Globals.h"
#include "ui/CPeqPage.h"
#include "ui/CPeqTab.h"
#include "ui/CRsqTab.h"
#include "ui/CXoverTab.h"
#include "ui/DefaultLookAndFeel.h"
#include "ui/EqMath.h"
#include "ui/RemoteControl.h"

#include <gtest/gtest.h>

namespace
{
constexpr juce::uint32 background = 0xff161616;
const juce::Colour orange { 0xfff37c21 };
const juce::Colour eqGrey = juce::Colour (0xff666767).darker (0.2f);

/** Page x of a graph frequency (graph at x 50, 660 wide). */
int pageColumnOf (float hz)
{
    return 50 + (int) (EQGraph::frequencyToProportion (hz) * 660.0f);
}

class CPeqPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        subwooferFlag = false;
        peqCoefficients = FilterCoefficients<4> {};
        xoverCoefficients = FilterCoefficients<4> {};
        rsqCoefficients = FilterCoefficients<8> {};
        xoverOffset = 0.0f;
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();

        page = std::make_unique<CPeqPage>();
        peqPage = page.get();
        testpump::pumpFor (20);
    }

    void TearDown() override
    {
        page.reset();
        peqPage = nullptr;
        rootCell = nullptr;
        root.reset();
    }

    juce::Image show (int subTab)
    {
        page->tabs->setCurrentTabIndex (subTab);
        return uitest::render (*page);
    }

    std::unique_ptr<Croot> root;
    std::unique_ptr<CPeqPage> page;
};
} // namespace

TEST_F (CPeqPageTest, BuildsGraphScaleAndThreeSubTabs)
{
    EXPECT_EQ (page->getName(), "PeqPage");
    EXPECT_EQ (page->getBounds(), juce::Rectangle<int> (0, 0, 720, 470));
    EXPECT_EQ (page->graph->getBounds(), juce::Rectangle<int> (50, 10, 660, 150));
    EXPECT_EQ (page->scale->getBounds(), juce::Rectangle<int> (16, 22, 30, 123));
    EXPECT_EQ (page->tabs->getBounds(), juce::Rectangle<int> (0, 176, 720, 296));
    EXPECT_EQ (page->tabs->getTabNames(), juce::StringArray ({ "EQ", "X-Over", "RSQ" }));
    EXPECT_EQ (page->getCurrentSubTab(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ (page->tabs->getTabBackgroundColour (i).getARGB(), 0xff666767u);

    ASSERT_NE (peqTab, nullptr);
    ASSERT_NE (xoverTab, nullptr);
    ASSERT_NE (rsqTab, nullptr);
    EXPECT_EQ (page->tabs->getTabContentComponent (0), peqTab);
    EXPECT_EQ (page->tabs->getTabContentComponent (1), xoverTab);
    EXPECT_EQ (page->tabs->getTabContentComponent (2), rsqTab);

    EXPECT_EQ (page->graph->responseFunction, &EqMath::peqResponseDb);
    EXPECT_EQ (page->graph->handleCount, 4u);
    EXPECT_EQ (page->scale->getMode(), 1);

    // The model goes to the EQ tab and then to the crossover tab.
    page->setModel (25);
    EXPECT_EQ (peqTab->modeCount, 3);
    EXPECT_EQ (xoverTab->getModel(), 25);
}

TEST_F (CPeqPageTest, DesignersReachTheGraphOnlyWhileThePageExists)
{
    show (1);
    EqMath::designCrossover (120.0f, 0.0f);
    EXPECT_FLOAT_EQ (page->graph->sectionFrequency[0], 120.0f);

    page.reset();
    peqPage = nullptr;
    EXPECT_EQ (EqMath::graphSectionFrequency, nullptr);
    EXPECT_EQ (peqTab, nullptr);
    EXPECT_EQ (xoverTab, nullptr);
    EXPECT_EQ (rsqTab, nullptr);
    EXPECT_EQ (dragOwnerPage, nullptr);
    EqMath::designPeqBand (0, EqMath::bandLs6, 100.0f, 3.0f, 0.7f); // no page: nothing to write into
    EXPECT_FLOAT_EQ (peqFrequencies[0], 100.0f);
}

TEST_F (CPeqPageTest, EachSubTabChoosesItsCurveColourAndScale)
{
    show (1);
    EXPECT_EQ (page->graph->mode, 1);
    EXPECT_EQ (page->graph->responseFunction, &EqMath::crossoverResponseDb);
    EXPECT_EQ (page->graph->fillColours[0], juce::Colour (0xff104879).withAlpha (0.5f));
    EXPECT_EQ (page->scale->getMode(), 1);
    for (int b = 0; b < 4; ++b)
        EXPECT_FALSE (page->graph->getHandle (b)->isVisible()) << b;

    show (2);
    EXPECT_EQ (page->graph->mode, 2);
    EXPECT_EQ (page->graph->responseFunction, &EqMath::rsqResponseDb);
    EXPECT_EQ (page->graph->curveColours[0].getARGB(), 0xffef464eu);
    EXPECT_FLOAT_EQ (page->graph->zeroLineFactor, 0.875f);
    EXPECT_EQ (page->scale->getMode(), 2);

    peqFrequencies[3] = 2500.0f; // the EQ sub-tab copies the bands' frequencies into the graph
    show (0);
    EXPECT_EQ (page->graph->responseFunction, &EqMath::peqResponseDb);
    EXPECT_EQ (page->scale->getMode(), 1);
    EXPECT_FLOAT_EQ (page->graph->sectionFrequency[3], 2500.0f);
    for (int b = 0; b < 4; ++b)
        EXPECT_TRUE (page->graph->getHandle (b)->isVisible()) << b;
}

TEST_F (CPeqPageTest, CrossoverChangeLeavesTheEqHandlesAtTheirBands)
{
    EqMath::designPeqBand (0, EqMath::bandLs6, 100.0f, 4.0f, 0.7f);
    show (0);

    // A "/xover" value arrives on its own while "EQ" shows; only the graph repaints.
    root->xover->freq->setFromFloat (300.0f);
    root->xover->sendChangeMessage();
    testpump::pumpFor (20);
    ASSERT_NEAR (EqMath::crossoverResponseDb (300.0f) / 2.0f, -3.01f, 0.05f); // designed at 300 Hz
    uitest::render (*page->graph);

    EXPECT_FLOAT_EQ (page->graph->sectionFrequency[0], 100.0f);
    EXPECT_EQ (page->graph->getHandle (0)->getX(), pageColumnOf (100.0f) - 50 - 8);
}

TEST_F (CPeqPageTest, EqCurveIsOrangeInUserModeAndGreyOtherwise)
{
    page->setModel (3); // four preset modes: "User" is mode 4
    ASSERT_EQ (peqTab->modeCount, 4);
    EqMath::designPeqBand (2, EqMath::bandPeq, 1000.0f, 10.0f, 1.0f);
    const int x = pageColumnOf (1000.0f) - 1; // beside the band's dotted line
    const int peakY = 10 + 37;                 // +10 dB: 20 units above the middle

    root->eqmode->mode->setIndex (4);
    auto image = show (0);
    EXPECT_EQ (page->graph->curveColours[0], orange);
    EXPECT_EQ (page->graph->fillColours[0], orange.withAlpha (0.5f));
    EXPECT_EQ (uitest::argb (image, x, peakY), orange.getARGB());

    root->eqmode->mode->setIndex (2);
    image = show (0);
    EXPECT_EQ (page->graph->fillColours[0], eqGrey.withAlpha (0.5f));
    EXPECT_EQ (uitest::argb (image, x, peakY), eqGrey.getARGB());
}

TEST_F (CPeqPageTest, DrawsTheFrameAndTheFillPerSubTab)
{
    auto image = show (0);
    EXPECT_EQ (uitest::argb (image, 2, 2), background);
    EXPECT_EQ (uitest::argb (image, 8, 150), 0xff000000u); // frame behind graph and scale
    EXPECT_EQ (uitest::argb (image, 717, 100), background);

    // Unity EQ tables: a flat line, no fill below the middle.
    const juce::Point<int> below { 550, 130 };
    EXPECT_EQ (uitest::argb (image, below.x, below.y), background);

    show (1);
    EqMath::designCrossover (1000.0f, 0.0f);
    image = uitest::render (*page);
    const auto filled = image.getPixelAt (below.x, below.y);
    EXPECT_NE (filled.getARGB(), background);
    EXPECT_GT (filled.getBlue(), filled.getRed());

    image = show (2);
    EXPECT_EQ (uitest::argb (image, below.x, below.y), background);
    EXPECT_NE (uitest::argb (image, below.x, 10 + 19), background); // zero line near the top
}

TEST_F (CPeqPageTest, KeepsAScreenshot)
{
    page->setModel (3);
    EqMath::designPeqBand (0, EqMath::bandLs6, 100.0f, 4.0f, 0.7f);
    EqMath::designPeqBand (1, EqMath::bandHs6, 10000.0f, -3.0f, 0.7f);
    EqMath::designPeqBand (3, EqMath::bandPeq, 2000.0f, -6.0f, 2.0f);
    EqMath::designPeqBand (2, EqMath::bandPeq, 500.0f, 6.0f, 1.0f);
    root->eqmode->mode->setIndex (4);
    root->eqmode->sendChangeMessage();
    root->xover->type->setIndex (xoverTab->getPresetCount()); // "User"
    root->xover->freq->setFromFloat (120.0f);
    root->xover->sendChangeMessage();
    testpump::pumpFor (20);

    // In the program's own look, as the main component sets it up.
    DefaultLookAndFeel lf;
    RemoteControl::initColours (lf);
    juce::LookAndFeel::setDefaultLookAndFeel (&lf);
    juce::Typeface::clearTypefaceCache();
    page->sendLookAndFeelChange();

    EXPECT_TRUE (testshot::keep (show (0), "peq-page.png"));
    EXPECT_TRUE (testshot::keep (show (1), "peq-page-xover.png"));

    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    juce::Typeface::clearTypefaceCache();
    page->sendLookAndFeelChange();
}
