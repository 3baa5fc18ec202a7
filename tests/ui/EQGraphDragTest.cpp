// The EQ band handles on the real Equaliser page: sideways drags move a band's frequency, vertical
// drags its gain, the wheel its Q, each edit sent once through the EQ tab; nothing happens while
// another sub-tab shows.
#include "support/MessagePump.h"
#include "UiTestImages.h"

#include "model/Croot.h"
#include "model/Globals.h"
#include "model/OscPacket.h"
#include "ui/CPeqPage.h"
#include "ui/CPeqTab.h"
#include "ui/EqMath.h"

#include <osc/OscReceivedElements.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
/** Takes the place of the link and keeps the address of every message a node sends. */
class AddressRecorder : public OscMessageSink
{
public:
    void enqueue (OscPacket* message) override
    {
        std::unique_ptr<OscPacket> owned (message);
        addresses.emplace_back (owned->address());
    }

    std::vector<std::string> addresses;
};

juce::MouseEvent mouseAt (juce::Component& c, int x, int y, juce::Point<int> down)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), { (float) x, (float) y },
                             juce::ModifierKeys(), 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, &c, &c, now,
                             down.toFloat(), now, 1, true);
}

juce::MouseWheelDetails wheel (float deltaX, float deltaY)
{
    juce::MouseWheelDetails w;
    w.deltaX = deltaX;
    w.deltaY = deltaY;
    w.isReversed = false;
    w.isSmooth = false;
    w.isInertial = false;
    return w;
}

class EQGraphDragTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        subwooferFlag = false;
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        oscMessageSink = &sink;

        page = std::make_unique<CPeqPage>();
        peqPage = page.get();
        testpump::pumpFor (20);
    }

    void TearDown() override
    {
        page.reset();
        peqPage = nullptr;
        oscMessageSink = nullptr;
        rootCell = nullptr;
        root.reset();
    }

    /** Band b (0..3) as the speaker might have it, with its handle drawn at its frequency; nothing
        sent, selection back at 0. */
    Cpeq* band (int b, int type, int freqStep, float gainDb, int qualStep)
    {
        auto* node = root->peq->bands[b];
        node->type->setIndex (type);
        node->freq->setIndex (freqStep);
        node->gain->setFromFloat (gainDb);
        node->qual->setIndex (qualStep);
        peqTab->changeListenerCallback (node);
        uitest::render (*page);
        sink.addresses.clear();
        selectedSection = 0;
        return node;
    }

    filter_drag& handle (int b) { return *page->graph->getHandle (b); }

    /** Presses the handle at its centre (8, 8). */
    void press (filter_drag& h) { h.mouseDown (mouseAt (h, 8, 8, { 8, 8 })); }
    void dragTo (filter_drag& h, int x, int y) { h.mouseDrag (mouseAt (h, x, y, { 8, 8 })); }

    int sent (const std::string& address) const
    {
        return (int) std::count (sink.addresses.begin(), sink.addresses.end(), address);
    }

    AddressRecorder sink;
    std::unique_ptr<Croot> root;
    std::unique_ptr<CPeqPage> page;
};
} // namespace

TEST_F (EQGraphDragTest, SidewaysDragMovesTheFrequencyOneStepPerPixelOffCentre)
{
    auto* node = band (2, EqMath::bandPeq, 300, 0.0f, 50);
    auto& h = handle (2);
    press (h);
    EXPECT_EQ (h.mouseDownX, 8);

    dragTo (h, 12, 8);
    EXPECT_EQ (node->freq->getIndex(), 304);
    EXPECT_EQ (sent ("/peq/03"), 1);
    EXPECT_EQ (selectedSection, 2);
    EXPECT_FLOAT_EQ (peqFrequencies[2], node->freq->getFloat());
    // The designer moved the graph's handle position through the page.
    EXPECT_FLOAT_EQ (page->graph->sectionFrequency[2], node->freq->getFloat());

    uitest::render (*page); // the handle moves to the new frequency
    dragTo (h, 5, 8); // left of centre
    EXPECT_EQ (node->freq->getIndex(), 301);
    EXPECT_EQ (sent ("/peq/03"), 2);

    uitest::render (*page);
    dragTo (h, 8, 8); // at the centre: nothing
    EXPECT_EQ (node->freq->getIndex(), 301);
    EXPECT_EQ (sent ("/peq/03"), 2);
    EXPECT_EQ (dragOwnerPage, page.get());
}

TEST_F (EQGraphDragTest, VerticalDragChangesGainHalfADecibelPerTwoPixels)
{
    auto* node = band (3, EqMath::bandPeq, 400, 0.0f, 50);
    auto& h = handle (3);
    press (h);

    dragTo (h, 8, 5); // 3 px up: one step of 0.5 dB, the odd pixel dropped
    EXPECT_NEAR (node->gain->getFloat(), 0.5f, 0.01f);
    EXPECT_EQ (sent ("/peq/04"), 1);
    EXPECT_EQ (h.lastY, 5);

    dragTo (h, 8, 4); // 1 px: nothing yet
    EXPECT_NEAR (node->gain->getFloat(), 0.5f, 0.01f);
    EXPECT_EQ (sent ("/peq/04"), 1);
    EXPECT_EQ (h.lastY, 5);

    dragTo (h, 8, 3); // 2 px since the last step
    EXPECT_NEAR (node->gain->getFloat(), 1.0f, 0.01f);

    dragTo (h, 8, 11); // 8 px down
    EXPECT_NEAR (node->gain->getFloat(), -1.0f, 0.01f);
    EXPECT_EQ (sent ("/peq/04"), 3);
    EXPECT_EQ (selectedSection, 3);

    h.mouseUp (mouseAt (h, 8, 11, { 8, 8 }));
    EXPECT_EQ (h.lastX, 0);
    EXPECT_EQ (h.lastY, 0);
}

TEST_F (EQGraphDragTest, OffBandOnlyMovesSideways)
{
    auto* node = band (1, EqMath::bandOff, 500, 3.0f, 50);
    auto& h = handle (1);
    press (h);

    dragTo (h, 8, 2); // up: only selects
    EXPECT_NEAR (node->gain->getFloat(), 3.0f, 0.01f);
    EXPECT_EQ (sent ("/peq/02"), 0);
    EXPECT_EQ (selectedSection, 1);

    selectedSection = 0;
    h.mouseWheelMove (mouseAt (h, 8, 8, { 8, 8 }), wheel (0.0f, 1.0f)); // the wheel too
    EXPECT_EQ (node->qual->getIndex(), 50);
    EXPECT_EQ (sent ("/peq/02"), 0);
    EXPECT_EQ (selectedSection, 1);

    dragTo (h, 10, 2); // sideways: moves and sends
    EXPECT_EQ (node->freq->getIndex(), 502);
    EXPECT_EQ (sent ("/peq/02"), 1);
}

TEST_F (EQGraphDragTest, WheelStepsTheQ)
{
    auto* node = band (2, EqMath::bandPeq, 300, 0.0f, 50);
    auto& h = handle (2);
    const auto e = mouseAt (h, 8, 8, { 8, 8 });

    h.mouseWheelMove (e, wheel (0.0f, 0.1f));
    EXPECT_EQ (node->qual->getIndex(), 51);
    h.mouseWheelMove (e, wheel (0.0f, -0.3f));
    EXPECT_EQ (node->qual->getIndex(), 50);
    h.mouseWheelMove (e, wheel (0.5f, 0.0f)); // sideways counts as up
    EXPECT_EQ (node->qual->getIndex(), 51);
    EXPECT_EQ (sent ("/peq/03"), 3);
    EXPECT_EQ (selectedSection, 2);

    node = band (2, EqMath::bandPeq, 300, 0.0f, 100);
    h.mouseWheelMove (e, wheel (0.0f, 1.0f));
    EXPECT_EQ (node->qual->getIndex(), 100);
}

TEST_F (EQGraphDragTest, OtherSubTabsHideTheHandlesAndIgnoreTheirEvents)
{
    for (int tab : { 1, 2 })
    {
        auto* node = band (2, EqMath::bandPeq, 300, 0.0f, 50);
        page->tabs->setCurrentTabIndex (tab);
        juce::Image image (juce::Image::ARGB, 720, 470, true);
        juce::Graphics g (image);
        page->paintEntireComponent (g, false); // the page's paint sets the graph's mode
        EXPECT_FALSE (handle (2).isVisible()) << tab;

        auto& h = handle (2);
        press (h);
        dragTo (h, 14, 1);
        h.mouseWheelMove (mouseAt (h, 8, 8, { 8, 8 }), wheel (0.0f, 1.0f));
        EXPECT_EQ (node->freq->getIndex(), 300) << tab;
        EXPECT_NEAR (node->gain->getFloat(), 0.0f, 0.01f) << tab;
        EXPECT_EQ (node->qual->getIndex(), 50) << tab;
        EXPECT_TRUE (sink.addresses.empty()) << tab;
        EXPECT_EQ (selectedSection, 0) << tab;
        EXPECT_EQ (h.lastY, 1) << tab; // the position is still tracked
    }
}

TEST_F (EQGraphDragTest, FastDragMovesAsFarAsOneWithAPaintAfterEveryEvent)
{
    // A 40-pixel drag in one-pixel events, once painted after every event and once with no paint in
    // between (a mouse that reports faster than the screen paints): the band ends up at the same place.
    struct Move { int dx, dy; };
    for (auto move : { Move { 1, 0 }, Move { -1, 0 }, Move { 1, 1 } })
    {
        int freqStep[2] {};
        float gain[2] {};

        for (int painted : { 0, 1 })
        {
            auto* node = band (2, EqMath::bandPeq, 300, 0.0f, 50);
            auto& h = handle (2);
            press (h);
            const auto start = h.getPosition() + juce::Point<int> (8, 8);

            for (int i = 1; i <= 40; ++i)
            {
                // The pointer in the handle's coordinates, measured from where the handle now is.
                dragTo (h, start.x + i * move.dx - h.getX(), start.y + i * move.dy - h.getY());
                if (painted == 1)
                    uitest::render (*page);
            }

            h.mouseUp (mouseAt (h, 8, 8, { 8, 8 }));
            freqStep[painted] = node->freq->getIndex();
            gain[painted] = node->gain->getFloat();
        }

        EXPECT_EQ (freqStep[0], freqStep[1]) << move.dx << "," << move.dy;
        EXPECT_NEAR (std::abs (freqStep[1] - 300), 36 * std::abs (move.dx), 2) << move.dx; // 1.1 px a step
        EXPECT_FLOAT_EQ (gain[0], gain[1]) << move.dx << "," << move.dy;
        EXPECT_FLOAT_EQ (gain[1], -10.0f * (float) move.dy) << move.dy;
    }
}
