// The feedback-suppression tab and the learn window on their own tree, without a link: layout and look,
// the mode buttons and what they send, the speaker's reports, the questions, and the learn window's
// worker, Cancel and end. Outgoing messages are recorded at the model's message sink.
#include "EditorTestSupport.h"
#include "UiTestImages.h"

#include "model/OscPacket.h"
#include "ui/CRsqTab.h"
#include "ui/EqMath.h"
#include "ui/RsqLearnThread.h"

#include <osc/OscReceivedElements.h>

namespace
{
/** Takes the place of the link: keeps the address and int arguments of every message sent. */
class RecordingSink : public OscMessageSink
{
public:
    void enqueue (OscPacket* message) override
    {
        std::unique_ptr<OscPacket> owned (message);
        osc::ReceivedPacket packet (owned->data(), (osc::osc_bundle_element_size_t) owned->size());
        osc::ReceivedMessage m (packet);
        std::string text = m.AddressPattern();
        for (auto it = m.ArgumentsBegin(); it != m.ArgumentsEnd(); ++it)
            text += " " + (it->IsInt32() ? std::to_string (it->AsInt32()) : std::string ("?"));
        sent.push_back (text);
    }

    std::vector<std::string> sent;
};

/** A learn window that tells when it is deleted. */
class ObservedLearnThread : public RsqLearnThread
{
public:
    explicit ObservedLearnThread (bool& flag) : deleted (flag) { deleted = false; }
    ~ObservedLearnThread() override
    {
        stopThread (10000);  // the worker runs virtual code: stop it before this part of the object goes
        deleted = true;
    }

private:
    bool& deleted;
};

using Modes = std::vector<std::string>;

class CRsqTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        uitest::ensureDisplay();   // the learn window lays itself out against a display
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

    static void click (juce::Button& b)
    {
        b.triggerClick();
        pump();
    }

    /** The lit mode buttons: A(utom), S(ingle), L(earn). */
    std::string lit() const
    {
        return std::string (tab->automButton->getToggleState() ? "A" : "")
             + (tab->singleButton->getToggleState() ? "S" : "") + (tab->learnButton->getToggleState() ? "L" : "");
    }

    int mode() const { return root->rsqmode->mode->getIndex(); }

    std::unique_ptr<Croot> root;
    RecordingSink sink;
    editortest::ScriptedDialogs dialogs;
    std::unique_ptr<CRsqTab> tab;
    bool deleted = false;
};
} // namespace

//==================================================================================================
TEST_F (CRsqTabTest, LaysOutTheWidgetsAndPublishesItself)
{
    EXPECT_EQ (rsqTab, tab.get());
    EXPECT_EQ (tab->getBounds(), juce::Rectangle<int> (0, 0, 720, 260));
    EXPECT_EQ (tab->automButton->getBounds(), juce::Rectangle<int> (16, 16, 80, 24));
    EXPECT_EQ (tab->singleButton->getBounds(), juce::Rectangle<int> (16, 46, 80, 24));
    EXPECT_EQ (tab->learnButton->getBounds(), juce::Rectangle<int> (16, 76, 80, 24));
    EXPECT_EQ (tab->resetButton->getBounds(), juce::Rectangle<int> (16, 136, 80, 24));
    for (int i = 0; i < 8; ++i)
    {
        EXPECT_EQ (tab->bandLabels[(size_t) i]->getText(), juce::String (i + 1));
        EXPECT_EQ (tab->bandLabels[(size_t) i]->getBounds(), juce::Rectangle<int> (187 + 50 * i, 16, 40, 20));
        EXPECT_EQ (tab->activeIndicators[(size_t) i]->getBounds(), juce::Rectangle<int> (190 + 50 * i, 34, 24, 24));
        EXPECT_EQ (tab->bands[(size_t) i], root->rsq->bands[i]);
    }
}

TEST_F (CRsqTabTest, DrawsTheGroundCaptionsAndLitButtons)
{
    reportMode (3);
    reportBand (2, 1000.0f, -6.0f, 3);
    const auto image = uitest::render (*tab);

    EXPECT_EQ (uitest::argb (image, 700, 240), 0xff161616u);
    EXPECT_TRUE (uitest::near (image.getPixelAt (22, 148), juce::Colour (0xffef464e), 40));  // Reset All
    EXPECT_TRUE (uitest::near (image.getPixelAt (22, 88), juce::Colour (0xfff37c21), 40));   // Learn, lit
    EXPECT_TRUE (uitest::near (image.getPixelAt (22, 28), juce::Colour (0xff666767), 40));   // Autom, off

    auto inkOf = [&] (juce::Rectangle<int> area, juce::uint32 colour)
    {
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (uitest::near (image.getPixelAt (x, y), juce::Colour (colour), 2))
                    return true;
        return false;
    };
    EXPECT_TRUE (inkOf ({ 132, 16, 60, 20 }, 0xffb8b8b8));     // "Filter"
    EXPECT_TRUE (inkOf ({ 132, 150, 550, 15 }, 0xff666767));   // the caution line, short: nothing far right
    EXPECT_FALSE (inkOf ({ 400, 150, 282, 15 }, 0xff666767));
}

//==================================================================================================
TEST_F (CRsqTabTest, AutomAndSingleSwitchTheirModeOnAndOff)
{
    click (*tab->automButton);
    click (*tab->singleButton);   // switching Autom off through the radio group sends nothing
    EXPECT_EQ (sink.sent, (Modes { "/rsqmode 1", "/rsqmode 2" }));

    // A second click while the mode is its own sends 0; the button stays lit until the speaker reports.
    click (*tab->singleButton);
    EXPECT_EQ (mode(), 0);
    EXPECT_EQ (lit(), "S");
    reportMode (0);
    EXPECT_EQ (lit(), "");

    reportMode (1);
    click (*tab->automButton);
    EXPECT_EQ (lit(), "A");
    EXPECT_EQ (sink.sent, (Modes { "/rsqmode 1", "/rsqmode 2", "/rsqmode 0", "/rsqmode 0" }));
}

TEST_F (CRsqTabTest, ReportedModesLightTheirButtonWithoutSending)
{
    const std::pair<int, const char*> steps[] = { { 1, "A" }, { 2, "S" }, { 3, "L" }, { 4, "L" }, { 0, "" } };
    for (auto& [reported, shown] : steps)
    {
        reportMode (reported);
        EXPECT_EQ (lit(), shown) << "mode " << reported;
    }
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CRsqTabTest, ResetAllAsksFirst)
{
    dialogs.connectAnswer = false;
    click (*tab->resetButton);
    auto* question = dialogs.last ("Reset RSQ");
    ASSERT_NE (question, nullptr);
    EXPECT_EQ (question->icon, juce::MessageBoxIconType::QuestionIcon);
    EXPECT_EQ (question->message, "Do you want to reset all filters?");
    EXPECT_EQ (question->button, "Yes|Cancel");
    EXPECT_TRUE (sink.sent.empty());

    dialogs.connectAnswer = true;
    click (*tab->resetButton);
    EXPECT_EQ (sink.sent, (Modes { "/rsqmode 4" }));
}

TEST_F (CRsqTabTest, LearnWhileLearningStopsAtOnceAndOfflineLearnIsRefused)
{
    reportMode (3);
    click (*tab->learnButton);
    EXPECT_EQ (sink.sent, (Modes { "/rsqmode 0" }));

    // No link: no question, nothing sent, Learn goes dark and the mode shown before comes back.
    reportMode (1);
    click (*tab->learnButton);
    EXPECT_TRUE (dialogs.shown.empty());
    EXPECT_EQ (sink.sent.size(), 1u);
    EXPECT_EQ (lit(), "A");
    EXPECT_EQ (mode(), 1);
}

//==================================================================================================
TEST_F (CRsqTabTest, ReportedFilterLightsItsIndicatorAndDesignsOnlyItsSection)
{
    reportBand (5, 200.0f, -9.0f, 0);
    const auto before = rsqCoefficients;
    selectedSection = 1;

    reportBand (3, 1000.0f, -1.0f, 3);
    EXPECT_TRUE (tab->activeIndicators[2]->getToggleState());

    // Section 2 is the peaking design of the reported values; every other section is untouched.
    auto* band = root->rsq->bands[2];
    auto expected = before;
    std::swap (expected, rsqCoefficients);
    EqMath::designRsqBand (2, band->freq->getFloat(), band->gain->getFloat(), band->qual->getFloat());
    std::swap (expected, rsqCoefficients);
    for (size_t s = 0; s < 8; ++s)
    {
        const auto& want = s == 2 ? expected : before;
        EXPECT_EQ (rsqCoefficients.b0[s], want.b0[s]) << s;
        EXPECT_EQ (rsqCoefficients.b1[s], want.b1[s]) << s;
        EXPECT_EQ (rsqCoefficients.b2[s], want.b2[s]) << s;
        EXPECT_EQ (rsqCoefficients.a1[s], want.a1[s]) << s;
        EXPECT_EQ (rsqCoefficients.a2[s], want.a2[s]) << s;
    }
    EXPECT_NE (rsqCoefficients.b0[2], 1.0f);
    EXPECT_EQ (selectedSection, 1);

    // At 0 dB the filter shows off and is flat again; filter 5 stays lit.
    reportBand (3, 1000.0f, 0.0f, 3);
    EXPECT_FALSE (tab->activeIndicators[2]->getToggleState());
    EXPECT_TRUE (tab->activeIndicators[4]->getToggleState());
    EXPECT_NEAR (EqMath::rsqResponseDb (1000.0f), 0.0f, 1e-2f);

    // The indicators are display only.
    click (*tab->activeIndicators[4]);
    click (*tab->activeIndicators[0]);
    EXPECT_TRUE (tab->activeIndicators[4]->getToggleState());
    EXPECT_FALSE (tab->activeIndicators[0]->getToggleState());
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CRsqTabTest, LeavesTheNodesWhenDestroyedAndOutlivesItsTree)
{
    tab.reset();
    EXPECT_EQ (rsqTab, nullptr);
    reportBand (1, 100.0f, -3.0f, 0);   // would reach a deleted listener
    reportMode (2);

    tab = std::make_unique<CRsqTab>();
    rootCell = nullptr;
    root.reset();
    tab.reset();
    EXPECT_EQ (rsqTab, nullptr);
}

//==================================================================================================
TEST_F (CRsqTabTest, LearnWindowSendsModeOffOnlyAfterCancelAndDeletesItself)
{
    root->rsqmode->mode->setIndex (3);

    (new ObservedLearnThread (deleted))->threadComplete (false);
    EXPECT_TRUE (deleted);
    EXPECT_TRUE (sink.sent.empty());
    EXPECT_EQ (mode(), 3);

    (new ObservedLearnThread (deleted))->threadComplete (true);
    EXPECT_TRUE (deleted);
    EXPECT_EQ (sink.sent, (Modes { "/rsqmode 0" }));
}

TEST_F (CRsqTabTest, LearnWorkerSendsNothingAndStopsWhenAsked)
{
    ObservedLearnThread worker (deleted);
    ASSERT_TRUE (worker.startThread());
    pump();
    EXPECT_TRUE (worker.isThreadRunning());

    // Asked to stop in one of its 1010 ms waits, it ends inside the 10 s the window allows.
    EXPECT_TRUE (worker.stopThread (10000));
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CRsqTabTest, LearnWindowCancelButtonStopsTheRun)
{
    auto* window = new ObservedLearnThread (deleted);
    window->launchThread (juce::Thread::Priority::normal);

    auto* alert = dynamic_cast<juce::AlertWindow*> (juce::Component::getCurrentlyModalComponent());
    ASSERT_NE (alert, nullptr);
    EXPECT_EQ (alert->getName(), "RSQ Learn Function");
    auto* cancel = editortest::button (*alert, "Cancel");
    ASSERT_NE (cancel, nullptr);

    testpump::pumpFor (150);
    EXPECT_FALSE (deleted);

    cancel->triggerClick();
    ASSERT_TRUE (testpump::pumpUntil ([this] { return deleted; }, 15000)) << "the window never closed";
    EXPECT_EQ (sink.sent, (Modes { "/rsqmode 0" }));
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
}

TEST_F (CRsqTabTest, ClosingTheTabClosesAnOpenLearnWindowSilently)
{
    auto* window = new ObservedLearnThread (deleted);
    window->launchThread (juce::Thread::Priority::normal);
    ASSERT_EQ (RsqLearnThread::current(), window);
    pump();

    tab.reset();
    EXPECT_TRUE (deleted);
    EXPECT_EQ (RsqLearnThread::current(), nullptr);
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
    pump();
    EXPECT_TRUE (sink.sent.empty());
}
