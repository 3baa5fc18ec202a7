// The response graph on its own: axes, grid, curve and fill per mode, and the band handles.
#include "UiTestImages.h"

#include "ui/EQGraph.h"
#include "ui/EqMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr juce::uint32 background = 0xff161616;
constexpr juce::uint32 grid = 0xff555555;
constexpr juce::uint32 green = 0xff00ff00;

float constantValue = 0.0f;
int calls = 0;
float highestHz = 0.0f;

/** A flat curve at `constantValue` that counts the calls and keeps the highest frequency asked for. */
float constantCurve (float hz)
{
    ++calls;
    highestHz = std::max (highestHz, hz);
    return constantValue;
}

int columnOf (float hz) { return (int) (EQGraph::frequencyToProportion (hz) * 660.0f); }

class EQGraphTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        peqCoefficients = FilterCoefficients<4> {};
        constantValue = 0.0f;
        calls = 0;
        highestHz = 0.0f;
        graph.setBounds (0, 0, 660, 150);
        graph.setResponseFunction (constantCurve);
        graph.setCurveColour (juce::Colour (0xffff0000));
        graph.setFillColour (juce::Colour (green));
    }

    void addFourHandles()
    {
        juce::Image picture (juce::Image::ARGB, 16, 16, true);
        graph.resetHandles();
        for (int i = 0; i < 4; ++i)
            graph.addHandle (i, picture);
    }

    EQGraph graph { nullptr };
};
} // namespace

TEST_F (EQGraphTest, AxesSpan20HzTo20kHzAndTheValueRange)
{
    EXPECT_FLOAT_EQ (EQGraph::proportionToFrequency (0.0f), 20.0f);
    EXPECT_NEAR (EQGraph::proportionToFrequency (1.7f), 20000.0f, 0.5f); // clamped at the right edge
    EXPECT_NEAR (EQGraph::frequencyToProportion (20000.0f), 1.0f, 1e-6f);
    EXPECT_TRUE (std::isfinite (EQGraph::frequencyToProportion (0.0f)));

    EXPECT_FLOAT_EQ (graph.valueToY (40.0f), 0.0f);
    EXPECT_FLOAT_EQ (graph.valueToY (-40.0f), 150.0f);
    graph.setMode (2);
    EXPECT_FLOAT_EQ (graph.valueToY (0.0f), 18.75f);
}

TEST_F (EQGraphTest, OneCallPerColumnUpToJustBelow20kHz)
{
    uitest::render (graph);
    EXPECT_EQ (calls, 659); // 20 Hz at x 0, then x 2 to 659
    EXPECT_NEAR (highestHz, 19791.8f, 0.5f);
}

TEST_F (EQGraphTest, GridAndZeroLine)
{
    graph.setResponseFunction (nullptr);
    auto image = uitest::render (graph);

    EXPECT_EQ (uitest::argb (image, columnOf (100.0f), 30), grid);
    EXPECT_EQ (uitest::argb (image, columnOf (10000.0f), 30), grid);
    EXPECT_EQ (uitest::argb (image, 0, 30), grid); // 20 Hz is the left edge
    EXPECT_EQ (uitest::argb (image, columnOf (462.0f), 30), background);
    for (int y : { 18, 37, 56, 93, 112, 131 }) // 18.75 px apart
        EXPECT_EQ (uitest::argb (image, 300, y), grid) << y;
    EXPECT_EQ (uitest::argb (image, 300, 47), background);
    EXPECT_EQ (uitest::argb (image, 1, 37), background);
    EXPECT_EQ (uitest::argb (image, 300, 74), grid); // the 2 px zero line at 75

    graph.setMode (2);
    image = uitest::render (graph);
    EXPECT_EQ (uitest::argb (image, 300, 74), background);
    EXPECT_NE (uitest::argb (image, 300, 19), background); // zero line at 18.75

    graph.valueRange = 0; // no horizontal lines, and no division by zero
    image = uitest::render (graph);
    EXPECT_EQ (uitest::argb (image, 300, 37), background);
}

TEST_F (EQGraphTest, FillFollowsTheMode)
{
    constantValue = 20.0f; // the curve lies at y 37.5 in modes 0 and 1
    auto image = uitest::render (graph);
    EXPECT_EQ (uitest::argb (image, 300, 55), green);       // between curve and middle
    EXPECT_EQ (uitest::argb (image, 300, 120), background); // below the middle
    EXPECT_EQ (uitest::argb (image, 300, 25), background);  // above the curve
    EXPECT_EQ (uitest::argb (image, 300, 37), 0xffff0000u); // the stroke

    graph.setMode (1);
    image = uitest::render (graph);
    EXPECT_EQ (uitest::argb (image, 300, 120), green); // down to the bottom

    graph.setMode (2);
    image = uitest::render (graph);
    EXPECT_EQ (uitest::argb (image, 300, 120), background);

    // Values that are not numbers are left out of the path instead of spoiling it.
    graph.setMode (0);
    graph.setResponseFunction ([] (float hz) { return hz > 1000.0f ? std::nanf ("") : 20.0f; });
    image = uitest::render (graph);
    EXPECT_EQ (uitest::argb (image, columnOf (400.0f) + 3, 55), green);
}

TEST_F (EQGraphTest, UnityEqTablesDrawAFlatLineWithNoFill)
{
    graph.setResponseFunction (EqMath::peqResponseDb);
    const auto image = uitest::render (graph);
    for (int x : { 100, 300, 500 })
    {
        EXPECT_EQ (uitest::argb (image, x, 70), background) << x;
        EXPECT_EQ (uitest::argb (image, x, 80), background) << x;
        EXPECT_GT (image.getPixelAt (x, 75).getRed(), 0xb0) << x;
    }
}

TEST_F (EQGraphTest, ResetHandlesPutsFourSlotsInUse)
{
    EXPECT_EQ (graph.sectionLineColour.getARGB(), 0u);
    addFourHandles();
    EXPECT_EQ (graph.handleCount, 4u);
    EXPECT_EQ (graph.handleRadius, 8u);
    EXPECT_EQ (graph.sectionLineColour.getARGB(), 0xff808080u);

    juce::Image picture (juce::Image::ARGB, 16, 16, true);
    graph.addHandle (4, picture);
    graph.handleCount = 5;
    graph.resetHandles(); // more than four: the extra one is hidden
    EXPECT_EQ (graph.handleCount, 4u);
    EXPECT_FALSE (graph.getHandle (4)->isVisible());

    graph.getHandle (3)->setVisible (false);
    graph.handleCount = 3;
    graph.resetHandles(); // fewer: the missing one shows again
    EXPECT_EQ (graph.handleCount, 4u);
    EXPECT_TRUE (graph.getHandle (3)->isVisible());

    graph.addHandle (8, picture); // no such slot
    graph.addHandle (1, picture); // replaces band 1's handle
    EXPECT_EQ (graph.getNumChildComponents(), 5);
}

TEST_F (EQGraphTest, HandlesAndDottedLinesSitAtTheBandFrequencies)
{
    addFourHandles();
    graph.setSectionFrequency (0, 20.0f);
    graph.setSectionFrequency (1, 1200.0f);
    graph.setSectionFrequency (2, 100.0f);
    graph.setSectionFrequency (3, 40000.0f); // beyond the axis: not clamped
    graph.setSelectedSection (2);

    auto image = uitest::render (graph);
    const float x1 = EQGraph::frequencyToProportion (1200.0f) * 660.0f;
    EXPECT_EQ (graph.getHandle (0)->getBounds(), juce::Rectangle<int> (-8, 3, 16, 16));
    EXPECT_EQ (graph.getHandle (1)->getBounds(), juce::Rectangle<int> ((int) (x1 - 8.0f), 3, 16, 16));
    EXPECT_GT (graph.getHandle (3)->getX(), 660);

    // Grey dots on odd rows from 17 while above h - 2; the selected band's are white, its handle in front.
    EXPECT_EQ (uitest::argb (image, (int) x1, 21), 0xff808080u);
    EXPECT_EQ (uitest::argb (image, (int) x1, 22), background);
    EXPECT_EQ (uitest::argb (image, (int) x1, 147), 0xff808080u);
    EXPECT_EQ (uitest::argb (image, (int) x1, 149), background);
    EXPECT_EQ (uitest::argb (image, columnOf (100.0f), 21), 0xffffffffu);
    EXPECT_EQ (graph.getChildComponent (3), graph.getHandle (2));

    graph.setSelectedSection (-1); // out of range: nothing is highlighted
    image = uitest::render (graph);
    EXPECT_EQ (uitest::argb (image, columnOf (100.0f), 21), 0xff808080u);

    graph.setMode (1); // no dots and no handle moves outside mode 0
    graph.setSectionFrequency (1, 2000.0f);
    image = uitest::render (graph);
    EXPECT_EQ (uitest::argb (image, (int) x1, 21), background);
    EXPECT_EQ (graph.getHandle (1)->getX(), (int) (x1 - 8.0f));
    EXPECT_FALSE (graph.getHandle (1)->isVisible());
}
