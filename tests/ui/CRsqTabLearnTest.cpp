// The learn function from the tab's Learn button through the real link to the simulated speaker; the
// modal learn window is stood in for by a launcher that keeps it.
#include "support/Screenshot.h"
#include "EditorTestSupport.h"
#include "UiTestImages.h"

#include "ui/CPeqPage.h"
#include "ui/CRsqTab.h"
#include "ui/RsqLearnThread.h"

namespace
{
RsqLearnThread* startedWindow = nullptr;

void keepWindow (RsqLearnThread* window)
{
    startedWindow = window;
}

/** Answers like the scripted dialogs, after running `whileOpen` as if it happened while the question
    was open. */
class QuestionWithEvents : public editortest::ScriptedDialogs
{
public:
    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                      const juce::String& okText, const juce::String& cancelText) override
    {
        if (whileOpen)
            whileOpen();
        return ScriptedDialogs::askOkCancel (icon, title, message, okText, cancelText);
    }

    std::function<void()> whileOpen;
};

class CRsqTabLearnTest : public editortest::EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        uitest::ensureDisplay();
        startedWindow = nullptr;
        RsqLearnThread::setLauncher (keepWindow);
        connect();
        speaker->clearLogs();   // the requests of going online, every copy of them in
    }

    void TearDown() override
    {
        delete startedWindow;
        startedWindow = nullptr;
        RsqLearnThread::setLauncher (nullptr);
        EditorFixture::TearDown();
    }

    /** The modes the speaker received in "/rsqmode" messages, in order, a mode the link sent again
        counted once; everything sent before the call is in. */
    std::vector<int> modesReceived()
    {
        settle();
        std::vector<int> modes;
        for (auto& args : valuesReceived ("/rsqmode"))
        {
            const bool oneMode = args.size() == 1 && std::holds_alternative<int32_t> (args[0]);
            modes.push_back (oneMode ? std::get<int32_t> (args[0]) : -1);
        }
        return modes;
    }
};
} // namespace

TEST_F (CRsqTabLearnTest, DecliningTheWarningSendsNothingAndStartSendsLearn)
{
    ASSERT_FALSE (page->offline);
    ASSERT_NE (rsqTab, nullptr);
    click (rsqTab->automButton.get());
    ASSERT_EQ (modesReceived(), std::vector<int> { 1 });
    speaker->clearLogs();

    dialogs.connectAnswer = false;
    click (rsqTab->learnButton.get());
    auto* question = dialogs.last ("RSQ Learn Function");
    ASSERT_NE (question, nullptr);
    EXPECT_EQ (question->icon, juce::MessageBoxIconType::QuestionIcon);
    EXPECT_EQ (question->message, "Will be triggering loud feedback.\n Protect your hearing!");
    EXPECT_EQ (question->button, "Start|Cancel");
    EXPECT_EQ (startedWindow, nullptr);
    EXPECT_TRUE (modesReceived().empty());
    EXPECT_FALSE (rsqTab->learnButton->getToggleState());
    EXPECT_TRUE (rsqTab->automButton->getToggleState());

    dialogs.connectAnswer = true;
    click (rsqTab->learnButton.get());
    ASSERT_NE (startedWindow, nullptr);
    EXPECT_EQ (modesReceived(), std::vector<int> { 3 });
    EXPECT_TRUE (rsqTab->learnButton->getToggleState());

    // The run ends by itself: nothing more is sent and the mode stays learning.
    const auto sentBefore = speaker->receivedCount ("/rsqmode");
    std::exchange (startedWindow, nullptr)->threadComplete (false);
    settle();
    EXPECT_EQ (speaker->receivedCount ("/rsqmode"), sentBefore);
    EXPECT_EQ (rootCell->rsqmode->mode->getIndex(), 3);
}

TEST_F (CRsqTabLearnTest, DecliningShowsTheModeTheSpeakerReportedMeanwhile)
{
    ASSERT_FALSE (page->offline);
    click (rsqTab->automButton.get());
    ASSERT_EQ (modesReceived(), std::vector<int> { 1 });

    QuestionWithEvents question;
    question.connectAnswer = false;
    question.whileOpen = [this]
    {
        ASSERT_TRUE (speaker->queueMessage ("/rsqmode", { 2 }));
        ASSERT_TRUE (editortest::pumpUntil ([] { return rootCell->rsqmode->mode->getIndex() == 2; }));
        editortest::pumpFor (20);   // the change message to the tab
    };
    Dialogs::setCurrent (&question);
    click (rsqTab->learnButton.get());
    Dialogs::setCurrent (&dialogs);

    ASSERT_EQ (question.count ("RSQ Learn Function"), 1);
    EXPECT_TRUE (rsqTab->singleButton->getToggleState());
    EXPECT_FALSE (rsqTab->automButton->getToggleState());
    EXPECT_FALSE (rsqTab->learnButton->getToggleState());
}

TEST_F (CRsqTabLearnTest, CancellingTheWindowSendsModeOff)
{
    ASSERT_FALSE (page->offline);
    click (rsqTab->learnButton.get());
    ASSERT_NE (startedWindow, nullptr);

    // A learn run lasts seconds: the speaker is learning, and its echo is in, before the user can cancel.
    const sim::OscArgs learning { int32_t (3) };
    ASSERT_TRUE (editortest::pumpUntil ([&] { return speaker->nodeValues ("/rsqmode") == learning; }));
    waitForQuiet();
    std::exchange (startedWindow, nullptr)->threadComplete (true);
    EXPECT_TRUE (rsqTab->learnButton->getToggleState());
    EXPECT_EQ (modesReceived(), (std::vector<int> { 3, 0 }));

    // The speaker's echo of mode 0 puts the buttons out.
    EXPECT_TRUE (editortest::pumpUntil ([] { return ! rsqTab->learnButton->getToggleState(); }));
    EXPECT_FALSE (rsqTab->automButton->getToggleState() || rsqTab->singleButton->getToggleState());
}

TEST_F (CRsqTabLearnTest, FilterReportedByTheSpeakerIsDrawnOnThePage)
{
    ASSERT_FALSE (page->offline);
    ASSERT_NE (peqPage, nullptr);
    peqPage->tabs->setCurrentTabIndex (2);

    ASSERT_TRUE (speaker->setNodeValues ("/rsq/03", { std::string ("AUTOM"), 1000.0f, -12.0f, 35.0f }));
    ASSERT_TRUE (speaker->sendNodeValues ("/rsq/03"));
    ASSERT_TRUE (editortest::pumpUntil ([] { return std::abs (rootCell->rsq->bands[2]->freq->getFloat() - 1000.0f) < 1.0f; }));
    editortest::pumpFor (20);   // the change message to the tab
    EXPECT_TRUE (rsqTab->activeIndicators[2]->getToggleState());

    const auto image = peqPage->createComponentSnapshot (peqPage->getLocalBounds(), true, 1.0f);
    ASSERT_TRUE (testshot::keep (image, "rsq-page.png"));

    // The red curve dips to -12 dB at 1 kHz: in the graph (50, 10, 660 x 150) with its zero line at
    // 1/8 of the height, that is y = 150 - 0.875 * 150 * (1 - 12/40) = 58 below the graph's top.
    const int x = 50 + (int) (EQGraph::frequencyToProportion (1000.0f) * 660.0f);
    auto redNear = [&] (int y0, int y1)
    {
        for (int y = y0; y <= y1; ++y)
            if (uitest::near (image.getPixelAt (x, y), juce::Colour (0xffef464e), 60))
                return true;
        return false;
    };
    EXPECT_TRUE (redNear (10 + 54, 10 + 62));
    EXPECT_FALSE (redNear (10 + 14, 10 + 23));   // not at the zero line there
}
