// The learn function: the learn window on its own (its worker, its Cancel, its end) and the whole run
// from the tab's Learn button through the real link to the simulated speaker.
#include "EditorTestSupport.h"
#include "UiTestImages.h"

#include "model/OscPacket.h"
#include "ui/CRsqTab.h"
#include "ui/RsqLearnThread.h"

#include <osc/OscReceivedElements.h>

namespace
{
/** Keeps the mode of every "/rsqmode" message a node sends. */
class ModeSink : public OscMessageSink
{
public:
    void enqueue (OscPacket* message) override
    {
        std::unique_ptr<OscPacket> owned (message);
        osc::ReceivedPacket packet (owned->data(), (osc::osc_bundle_element_size_t) owned->size());
        osc::ReceivedMessage m (packet);
        if (std::string (m.AddressPattern()) == "/rsqmode")
            modes.push_back (m.ArgumentsBegin()->AsInt32());
        else
            others++;
    }

    std::vector<int> modes;
    int others = 0;
};

/** A learn window that tells when it is deleted. */
class ObservedLearnThread : public RsqLearnThread
{
public:
    explicit ObservedLearnThread (bool& deletedFlag) : deleted (deletedFlag) { deleted = false; }
    ~ObservedLearnThread() override { deleted = true; }

private:
    bool& deleted;
};

class RsqLearnThreadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        uitest::ensureDisplay();   // the window lays itself out against a display
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        oscMessageSink = &sink;
        root->rsqmode->mode->setIndex (3);
    }

    void TearDown() override
    {
        oscMessageSink = nullptr;
        rootCell = nullptr;
        root.reset();
    }

    std::unique_ptr<Croot> root;
    ModeSink sink;
    bool deleted = false;
};
} // namespace

TEST_F (RsqLearnThreadTest, CancelSendsModeOffAndAnyEndDeletesTheWindow)
{
    (new ObservedLearnThread (deleted))->threadComplete (false);
    EXPECT_TRUE (deleted);
    EXPECT_TRUE (sink.modes.empty());
    EXPECT_EQ (root->rsqmode->mode->getIndex(), 3);

    (new ObservedLearnThread (deleted))->threadComplete (true);
    EXPECT_TRUE (deleted);
    EXPECT_EQ (sink.modes, std::vector<int> { 0 });
    EXPECT_EQ (root->rsqmode->mode->getIndex(), 0);
    EXPECT_EQ (sink.others, 0);
}

TEST_F (RsqLearnThreadTest, WorkerSendsNothingAndStopsWhenAsked)
{
    ObservedLearnThread worker (deleted);
    ASSERT_TRUE (worker.startThread());
    testpump::pumpFor (30);
    EXPECT_TRUE (worker.isThreadRunning());

    // The worker is in one of its 1010 ms waits: asked to stop, it ends well inside the 10 s that the
    // window allows for cancelling.
    EXPECT_TRUE (worker.stopThread (10000));
    EXPECT_FALSE (worker.isThreadRunning());
    EXPECT_TRUE (sink.modes.empty());
    EXPECT_EQ (sink.others, 0);
}

TEST_F (RsqLearnThreadTest, WindowCancelButtonStopsTheRunAndSendsModeOff)
{
    auto* window = new ObservedLearnThread (deleted);
    window->launchThread (juce::Thread::Priority::normal);
    EXPECT_TRUE (window->isThreadRunning());

    auto* alert = dynamic_cast<juce::AlertWindow*> (juce::Component::getCurrentlyModalComponent());
    ASSERT_NE (alert, nullptr);
    EXPECT_EQ (alert->getName(), "RSQ Learn Function");
    EXPECT_EQ (alert->getNumButtons(), 1);

    juce::Button* cancel = nullptr;
    for (auto* child : alert->getChildren())
        if (auto* b = dynamic_cast<juce::Button*> (child))
            if (b->getButtonText() == "Cancel")
                cancel = b;
    ASSERT_NE (cancel, nullptr);

    testpump::pumpFor (150);
    EXPECT_FALSE (deleted);
    EXPECT_TRUE (sink.modes.empty());

    cancel->triggerClick();
    ASSERT_TRUE (testpump::pumpUntil ([this] { return deleted; }, 15000)) << "the window never closed";
    EXPECT_EQ (sink.modes, std::vector<int> { 0 });
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
}

//==================================================================================================
namespace
{
/** Stands in for the modal learn window: keeps the window the tab started. */
RsqLearnThread* startedWindow = nullptr;

void keepWindow (RsqLearnThread* window)
{
    startedWindow = window;
}

class CRsqTabLearnTest : public editortest::EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        uitest::ensureDisplay();
        startedWindow = nullptr;
        RsqLearnThread::setLauncher (keepWindow);
    }

    void TearDown() override
    {
        delete startedWindow;
        startedWindow = nullptr;
        RsqLearnThread::setLauncher (nullptr);
        EditorFixture::TearDown();
    }

    /** The modes the speaker received in "/rsqmode" messages, in order. */
    std::vector<int> modesReceived() const
    {
        std::vector<int> modes;
        for (auto& m : speaker->receivedWithAddress ("/rsqmode"))
            if (m.wellFormed && m.args.size() == 1)
                modes.push_back (m.intArg (0));
        return modes;
    }
};
} // namespace

TEST_F (CRsqTabLearnTest, StartAfterTheWarningSendsLearnAndShowsTheWindow)
{
    connect();
    ASSERT_FALSE (page->offline);
    ASSERT_NE (rsqTab, nullptr);
    speaker->clearLogs();

    click (rsqTab->learnButton.get());
    auto* question = dialogs.last ("RSQ Learn Function");
    ASSERT_NE (question, nullptr);
    EXPECT_EQ (question->kind, "question");
    EXPECT_EQ (question->icon, juce::MessageBoxIconType::QuestionIcon);
    EXPECT_EQ (question->message, "Will be triggering loud feedback.\n Protect your hearing!");
    EXPECT_EQ (question->button, "Start|Cancel");

    ASSERT_NE (startedWindow, nullptr);
    waitForQuiet();
    EXPECT_EQ (modesReceived(), std::vector<int> { 3 });
    EXPECT_TRUE (rsqTab->learnButton->getToggleState());

    // The run ends by itself: nothing more is sent and the mode stays learning.
    auto* window = std::exchange (startedWindow, nullptr);
    window->threadComplete (false);
    editortest::pumpFor (50);
    EXPECT_EQ (modesReceived(), std::vector<int> { 3 });
    EXPECT_EQ (rootCell->rsqmode->mode->getIndex(), 3);

    // Learn again while learning stops it at once, without a question.
    const auto questions = dialogs.count ("RSQ Learn Function");
    click (rsqTab->learnButton.get());
    waitForQuiet();
    EXPECT_EQ (modesReceived(), (std::vector<int> { 3, 0 }));
    EXPECT_EQ (dialogs.count ("RSQ Learn Function"), questions);
    EXPECT_EQ (startedWindow, nullptr);
}

TEST_F (CRsqTabLearnTest, CancellingTheWindowSendsModeOff)
{
    connect();
    ASSERT_FALSE (page->offline);
    speaker->clearLogs();

    click (rsqTab->learnButton.get());
    ASSERT_NE (startedWindow, nullptr);
    std::exchange (startedWindow, nullptr)->threadComplete (true);
    waitForQuiet();
    EXPECT_EQ (modesReceived(), (std::vector<int> { 3, 0 }));

    // The speaker's echo of mode 0 puts the buttons out.
    EXPECT_FALSE (rsqTab->learnButton->getToggleState());
}

TEST_F (CRsqTabLearnTest, DecliningTheWarningSendsNothing)
{
    connect();
    ASSERT_FALSE (page->offline);

    // The speaker is in automatic mode.
    click (rsqTab->automButton.get());
    waitForQuiet();
    speaker->clearLogs();

    dialogs.connectAnswer = false;
    click (rsqTab->learnButton.get());
    EXPECT_EQ (dialogs.count ("RSQ Learn Function"), 1);
    EXPECT_EQ (startedWindow, nullptr);
    editortest::pumpFor (50);
    EXPECT_TRUE (modesReceived().empty());
    EXPECT_FALSE (rsqTab->learnButton->getToggleState());
    EXPECT_TRUE (rsqTab->automButton->getToggleState());
}
