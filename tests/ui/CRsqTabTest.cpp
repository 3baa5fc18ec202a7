// The feedback-suppression tab on its own tree, without a link: layout and look, the mode buttons and
// what they send, the speaker's reports of the filters and the mode, and the Reset All and Learn
// questions. Outgoing messages are recorded at the model's message sink.
#include "UiTestImages.h"
#include "support/MessagePump.h"

#include "model/Croot.h"
#include "model/Globals.h"
#include "model/OscPacket.h"
#include "ui/CRsqTab.h"
#include "ui/Dialogs.h"
#include "ui/EqMath.h"
#include "ui/RsqLearnThread.h"

#include <osc/OscReceivedElements.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
/** One sent message: its address and its numeric arguments. */
struct Sent
{
    std::string address;
    std::vector<float> args;
};

/** Takes the place of the link: decodes and keeps every message a node sends. */
class RecordingSink : public OscMessageSink
{
public:
    void enqueue (OscPacket* message) override
    {
        std::unique_ptr<OscPacket> owned (message);
        osc::ReceivedPacket packet (owned->data(), (osc::osc_bundle_element_size_t) owned->size());
        osc::ReceivedMessage m (packet);
        Sent s { m.AddressPattern(), {} };
        for (auto it = m.ArgumentsBegin(); it != m.ArgumentsEnd(); ++it)
            s.args.push_back (it->IsInt32() ? (float) it->AsInt32() : it->IsFloat() ? it->AsFloat() : 0.0f);
        sent.push_back (s);
    }

    std::vector<Sent> sent;
};

/** Answers every question with `answer` and remembers what was asked. */
class QuestionDialogs : public Dialogs
{
public:
    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                      const juce::String& okText, const juce::String& cancelText) override
    {
        asked.push_back ({ icon, title, message, okText, cancelText });
        return answer;
    }

    struct Question
    {
        juce::MessageBoxIconType icon;
        juce::String title, message, okText, cancelText;
    };

    bool answer = true;
    std::vector<Question> asked;
};

class CRsqTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        oscMessageSink = &sink;
        Dialogs::setCurrent (&dialogs);
        tab = std::make_unique<CRsqTab>();
    }

    void TearDown() override
    {
        tab.reset();
        Dialogs::setCurrent (nullptr);
        oscMessageSink = nullptr;
        rootCell = nullptr;
        root.reset();
        rsqCoefficients = FilterCoefficients<8>();
    }

    static void pump() { testpump::pumpFor (20); }

    /** The speaker reports the mode: the node changes and broadcasts, as a received message does. */
    void reportMode (int mode)
    {
        root->rsqmode->mode->setIndex (mode);
        root->rsqmode->sendChangeMessage();
        pump();
    }

    /** The speaker reports filter `band` (1..8). */
    void reportBand (int band, float hz, float db, int qualIndex)
    {
        auto* node = root->rsq->bands[band - 1];
        node->freq->setFromFloat (hz);
        node->gain->setFromFloat (db);
        node->qual->setIndex (qualIndex);
        node->sendChangeMessage();
        pump();
    }

    /** A click as the user makes it, delivered by the message loop. */
    void click (juce::Button& b)
    {
        b.triggerClick();
        pump();
    }

    /** The lit mode buttons as a word: A(utom), S(ingle), L(earn). */
    std::string lit() const
    {
        std::string s;
        s += tab->automButton->getToggleState() ? "A" : "";
        s += tab->singleButton->getToggleState() ? "S" : "";
        s += tab->learnButton->getToggleState() ? "L" : "";
        return s;
    }

    int mode() const { return root->rsqmode->mode->getIndex(); }

    std::unique_ptr<Croot> root;
    RecordingSink sink;
    QuestionDialogs dialogs;
    std::unique_ptr<CRsqTab> tab;
};

/** Expects exactly the "/rsqmode" messages with these modes, in order. */
void expectModesSent (const RecordingSink& sink, const std::vector<int>& modes)
{
    ASSERT_EQ (sink.sent.size(), modes.size());
    for (size_t i = 0; i < modes.size(); ++i)
    {
        EXPECT_EQ (sink.sent[i].address, "/rsqmode");
        ASSERT_EQ (sink.sent[i].args.size(), 1u);
        EXPECT_EQ ((int) sink.sent[i].args[0], modes[i]);
    }
}
} // namespace

//==================================================================================================
TEST_F (CRsqTabTest, LaysOutTheWidgetsAndPublishesItself)
{
    EXPECT_EQ (rsqTab, tab.get());
    EXPECT_EQ (tab->getName(), "RsqTab");
    EXPECT_EQ (tab->getBounds(), juce::Rectangle<int> (0, 0, 720, 260));

    struct Expected
    {
        juce::TextButton* button;
        const char *text, *tooltip;
        juce::Rectangle<int> bounds;
        juce::uint32 off, on;
        bool toggles;
    };

    const Expected expected[] = {
        { tab->automButton.get(), "Autom", "autom", { 16, 16, 80, 24 }, 0xff666767, 0xff104879, true },
        { tab->singleButton.get(), "Single", "single", { 16, 46, 80, 24 }, 0xff666767, 0xff104879, true },
        { tab->learnButton.get(), "Learn", "learn", { 16, 76, 80, 24 }, 0xff666767, 0xfff37c21, true },
        { tab->resetButton.get(), "Reset All", "reset", { 16, 136, 80, 24 }, 0xffef464e, 0xffef464e, false },
    };

    for (auto& e : expected)
    {
        SCOPED_TRACE (e.text);
        EXPECT_EQ (e.button->getButtonText(), e.text);
        EXPECT_EQ (e.button->getTooltip(), e.tooltip);
        EXPECT_EQ (e.button->getBounds(), e.bounds);
        EXPECT_EQ (e.button->findColour (juce::TextButton::buttonColourId).getARGB(), e.off);
        EXPECT_EQ (e.button->findColour (juce::TextButton::buttonOnColourId).getARGB(), e.on);
        EXPECT_EQ (e.button->getClickingTogglesState(), e.toggles);
        EXPECT_EQ (e.button->getRadioGroupId(), e.toggles ? 9 : 0);
    }

    for (int i = 0; i < 8; ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (tab->bandLabels[(size_t) i]->getText(), juce::String (i + 1));
        EXPECT_EQ (tab->bandLabels[(size_t) i]->getBounds(), juce::Rectangle<int> (187 + 50 * i, 16, 40, 20));
        EXPECT_EQ (tab->activeIndicators[(size_t) i]->getBounds(), juce::Rectangle<int> (190 + 50 * i, 34, 24, 24));
        EXPECT_EQ (tab->bands[(size_t) i], root->rsq->bands[i]);
    }
}

TEST_F (CRsqTabTest, DrawsTheGroundCaptionsAndLitButtons)
{
    uitest::ensureDisplay();
    reportMode (3);
    reportBand (2, 1000.0f, -6.0f, 3);

    const auto image = uitest::render (*tab);

    // Kept in the build folder's screenshots.
    auto folder = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                      .getParentDirectory()
                      .getParentDirectory()
                      .getChildFile ("screenshots");
    ASSERT_TRUE (folder.createDirectory().wasOk());
    auto file = folder.getChildFile ("rsq-tab.png");
    file.deleteFile();
    {
        juce::FileOutputStream out (file);
        ASSERT_TRUE (out.openedOk());
        ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, out));
    }

    EXPECT_EQ (uitest::argb (image, 700, 240), 0xff161616u);
    EXPECT_EQ (uitest::argb (image, 110, 200), 0xff161616u);

    // Reset All is red; Learn, lit, shows its orange; Autom, off, its grey.
    EXPECT_TRUE (uitest::near (image.getPixelAt (22, 148), juce::Colour (0xffef464e), 40));
    EXPECT_TRUE (uitest::near (image.getPixelAt (22, 88), juce::Colour (0xfff37c21), 40));
    EXPECT_TRUE (uitest::near (image.getPixelAt (22, 28), juce::Colour (0xff666767), 40));

    // Caption text leaves ink of its colour inside its box and none to the right of a short text.
    auto inkOf = [&] (juce::Rectangle<int> area, juce::Colour colour)
    {
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (uitest::near (image.getPixelAt (x, y), colour, 2))
                    return true;
        return false;
    };
    EXPECT_TRUE (inkOf ({ 132, 16, 60, 20 }, juce::Colour (0xffb8b8b8)));    // "Filter"
    EXPECT_TRUE (inkOf ({ 132, 150, 550, 15 }, juce::Colour (0xff666767))); // the caution line
    EXPECT_FALSE (inkOf ({ 400, 150, 282, 15 }, juce::Colour (0xff666767)));
}

//==================================================================================================
TEST_F (CRsqTabTest, AutomAndSingleSwitchTheirModeOnAndOff)
{
    click (*tab->automButton);
    click (*tab->singleButton);
    expectModesSent (sink, { 1, 2 });
    EXPECT_EQ (mode(), 2);

    // A second click while the mode is its own sends 0; the clicked button stays lit until the speaker
    // reports the mode.
    click (*tab->singleButton);
    expectModesSent (sink, { 1, 2, 0 });
    EXPECT_EQ (mode(), 0);
    EXPECT_EQ (lit(), "S");

    reportMode (0);
    EXPECT_EQ (lit(), "");

    reportMode (1);
    click (*tab->automButton);
    expectModesSent (sink, { 1, 2, 0, 0 });
}

TEST_F (CRsqTabTest, ReportedModesLightTheirButtonWithoutSending)
{
    reportMode (1);
    EXPECT_EQ (lit(), "A");
    reportMode (2);
    EXPECT_EQ (lit(), "S");
    reportMode (3);
    EXPECT_EQ (lit(), "L");

    // Reset all changes nothing on the buttons; off clears them.
    reportMode (4);
    EXPECT_EQ (lit(), "L");
    reportMode (0);
    EXPECT_EQ (lit(), "");

    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CRsqTabTest, ResetAllAsksFirst)
{
    dialogs.answer = false;
    click (*tab->resetButton);
    ASSERT_EQ (dialogs.asked.size(), 1u);
    EXPECT_EQ (dialogs.asked[0].icon, juce::MessageBoxIconType::QuestionIcon);
    EXPECT_EQ (dialogs.asked[0].title, "Reset RSQ");
    EXPECT_EQ (dialogs.asked[0].message, "Do you want to reset all filters?");
    EXPECT_EQ (dialogs.asked[0].okText, "Yes");
    EXPECT_EQ (dialogs.asked[0].cancelText, "Cancel");
    EXPECT_TRUE (sink.sent.empty());

    dialogs.answer = true;
    click (*tab->resetButton);
    expectModesSent (sink, { 4 });
    EXPECT_FALSE (tab->resetButton->getToggleState());
}

TEST_F (CRsqTabTest, LearnWhileLearningStopsAtOnceAndOfflineLearnIsRefused)
{
    reportMode (3);
    click (*tab->learnButton);
    expectModesSent (sink, { 0 });
    EXPECT_TRUE (dialogs.asked.empty());

    // No link: no question, nothing sent, Learn goes dark and the mode shown before comes back.
    reportMode (1);
    click (*tab->learnButton);
    EXPECT_TRUE (dialogs.asked.empty());
    expectModesSent (sink, { 0 });
    EXPECT_EQ (lit(), "A");
    EXPECT_EQ (mode(), 1);
}

//==================================================================================================
TEST_F (CRsqTabTest, ReportedFilterLightsItsIndicatorAndDesignsOnlyItsSection)
{
    const auto before = rsqCoefficients;
    selectedSection = 1;

    reportBand (3, 1000.0f, -1.0f, 3);
    EXPECT_TRUE (tab->activeIndicators[2]->getToggleState());

    // The section is the peaking design of the reported values; every other section is untouched.
    FilterCoefficients<8> expected = before;
    std::swap (expected, rsqCoefficients);
    auto* band = root->rsq->bands[2];
    EqMath::designRsqBand (2, band->freq->getFloat(), band->gain->getFloat(), band->qual->getFloat());
    std::swap (expected, rsqCoefficients);

    for (size_t s = 0; s < 8; ++s)
    {
        SCOPED_TRACE (s);
        const auto& want = s == 2 ? expected : before;
        EXPECT_EQ (rsqCoefficients.b0[s], want.b0[s]);
        EXPECT_EQ (rsqCoefficients.b1[s], want.b1[s]);
        EXPECT_EQ (rsqCoefficients.b2[s], want.b2[s]);
        EXPECT_EQ (rsqCoefficients.a1[s], want.a1[s]);
        EXPECT_EQ (rsqCoefficients.a2[s], want.a2[s]);
    }
    EXPECT_NE (rsqCoefficients.b0[2], 1.0f);
    EXPECT_LT (EqMath::rsqResponseDb (root->rsq->bands[2]->freq->getFloat()), -0.5f);
    EXPECT_EQ (selectedSection, 1);

    // A filter at 0 dB shows off and is flat again; the other indicators never moved.
    reportBand (3, 1000.0f, 0.0f, 3);
    EXPECT_FALSE (tab->activeIndicators[2]->getToggleState());
    EXPECT_NEAR (EqMath::rsqResponseDb (1000.0f), 0.0f, 1e-3f);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_FALSE (tab->activeIndicators[i]->getToggleState());

    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CRsqTabTest, IndicatorsAreDisplayOnly)
{
    reportBand (8, 5000.0f, -12.0f, 0);
    ASSERT_TRUE (tab->activeIndicators[7]->getToggleState());
    click (*tab->activeIndicators[7]);
    click (*tab->activeIndicators[0]);
    EXPECT_TRUE (tab->activeIndicators[7]->getToggleState());
    EXPECT_FALSE (tab->activeIndicators[0]->getToggleState());
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CRsqTabTest, OutlivesItsTreeAndLeavesTheNodesWhenDestroyed)
{
    tab.reset();
    EXPECT_EQ (rsqTab, nullptr);

    // Reports after the tab is gone reach nobody.
    reportBand (1, 100.0f, -3.0f, 0);
    reportMode (2);

    // A tab whose tree went first is destroyed without touching it.
    tab = std::make_unique<CRsqTab>();
    rootCell = nullptr;
    root.reset();
    tab.reset();
    EXPECT_EQ (rsqTab, nullptr);
}
