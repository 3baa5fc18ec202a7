// The Configuration page inside the real editor: the analog gain and the channel meters through the link
// and the simulated speaker, the model switch of the main component, Return in the number fields of
// every page, the knobs' text boxes, and screenshots of the page offline.
#include "support/Screenshot.h"
#include "EditorTestSupport.h"

#include "model/Cdelay.h"
#include "model/Cpeq.h"
#include "model/Cpeqsection.h"
#include "model/Cxover.h"
#include "ui/CConfigPage.h"
#include "ui/CPeqTab.h"
#include "ui/CXoverTab.h"
#include "ui/EqMath.h"
#include "ui/led_clip.h"
#include "ui/led_meter.h"

using namespace editortest;

namespace
{
class CConfigPageEditorTest : public EditorFixture
{
protected:
    /** The page's slider with this name and lowest value. */
    static juce::Slider* knob (const juce::String& name, double minimum)
    {
        return findChild<juce::Slider> (*configPage, [&] (juce::Slider& s)
                                        { return s.getName() == name && s.getMinimum() == minimum; });
    }

    static juce::Slider* gainKnob() { return knob ("input Trim", -60.0); }
    static juce::Slider* trimKnob() { return knob ("input Trim", -30.0); }

    static juce::ComboBox* sourceBox()
    {
        return findChild<juce::ComboBox> (*configPage, [] (juce::ComboBox& b) { return b.getName() == "InputSource"; });
    }

    static std::vector<led_meter*> channelMeters()
    {
        std::vector<led_meter*> meters;
        for (auto* child : configPage->getChildren())
            if (auto* m = dynamic_cast<led_meter*> (child))
                meters.push_back (m);
        return meters;
    }

    /** Writes a snapshot of the Configuration page into the build folder's screenshots. */
    static void keepScreenshot (const char* name)
    {
        auto image = configPage->createComponentSnapshot (configPage->getLocalBounds(), true, 1.0f);
        ASSERT_TRUE (testshot::keep (image, name));
    }
};
} // namespace

//==============================================================================
TEST_F (CConfigPageEditorTest, MainComponentSetsTheModelBeforeTheEqualiserReadsTheFlag)
{
    ASSERT_NE (configPage, nullptr);
    EXPECT_EQ (configPage->getModel(), 40);
    EXPECT_FALSE (subwooferFlag);

    editor->setModel (16);
    EXPECT_EQ (configPage->getModel(), 16);
    EXPECT_TRUE (subwooferFlag);
    editor->setModel (13);
    EXPECT_FALSE (subwooferFlag);
}

TEST_F (CConfigPageEditorTest, AnalogGainGoesToTheSpeakerOnlyAndComesBackWithoutEcho)
{
    connect (12);
    ASSERT_FALSE (page->offline);
    ASSERT_TRUE (gainKnob()->isVisible());
    const float treeGain = root->input->gain->getFloat();

    // One value, which the link may send more than once; "/input" only ever went out as the request of
    // going online.
    gainKnob()->setValue (-12.5, juce::sendNotificationSync);
    settle();
    EXPECT_EQ (valuesReceived ("/gain"), std::vector<sim::OscArgs> { { -12.5f } });
    EXPECT_EQ (speaker->gain(), -12.5f);
    EXPECT_EQ (valuesReceived ("/input"), std::vector<sim::OscArgs> { {} });
    EXPECT_EQ (root->input->gain->getFloat(), treeGain);

    // The speaker's own report moves the knob, not the trim, and is not sent back.
    trimKnob()->setValue (2.0, juce::dontSendNotification);
    ASSERT_TRUE (speaker->queueMessage ("/gain", { -20.0f }));
    ASSERT_TRUE (pumpUntil ([] { return gainKnob()->getValue() == -20.0; }));
    EXPECT_EQ (trimKnob()->getValue(), 2.0);
    settle();
    EXPECT_EQ (valuesReceived ("/gain"), std::vector<sim::OscArgs> { { -12.5f } });
}

TEST_F (CConfigPageEditorTest, ChannelMetersFollowTheSpeakerWhileTheirTabShows)
{
    connect (0);
    ASSERT_FALSE (page->offline);
    const auto meters = channelMeters();
    ASSERT_EQ (meters.size(), 16u);

    // Another tab is showing: the levels are dropped. The LED report sent behind them is taken after them.
    speaker->sendK24Meter (1, { 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f });
    speaker->sendPeakLimit (1, 0, 0);
    ASSERT_TRUE (pumpUntil ([this] { return editor->getClipLed().getState(); }));
    EXPECT_NE (meters[8]->getLevel(), 1.0);

    editor->getTabs().setCurrentTabIndex (1);
    speaker->sendK24Meter (1, { 0.5f, 0.0f, 0.1f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f });
    ASSERT_TRUE (pumpUntil ([&] { return meters[8]->getLevel() == -4.0; }));
    EXPECT_EQ (meters[9]->getLevel(), -60.0);
    EXPECT_EQ (meters[10]->getLevel(), -18.0);
    EXPECT_EQ (meters[15]->getLevel(), 1.0);
    EXPECT_NE (meters[0]->getLevel(), -4.0);
}

TEST_F (CConfigPageEditorTest, ReturnInANumberFieldKeepsTheValueItShows)
{
    // Every field where typed text becomes a number, with a value that the speaker reported: its text
    // may begin with a blank (" 50.0") or be rounded ("0.15" for Q step 9, the value after Reset All),
    // and the user may type blanks around a number. Return on the shown text keeps the value and sends
    // nothing.
    connect (12);
    ASSERT_FALSE (page->offline);
    click (button (*xoverTab, "User")); // the crossover frequency takes typing only then
    settle();   // from here on the speaker's log counts only what the fields send
    struct Field
    {
        const char* name;
        juce::TextEditor* editor;
        Cnode* node;
        Cparam* param;
        float value;
        int step = -1; ///< set by step instead of value when 0 or more
    };
    auto* peq = root->peq->bands;
    const Field fields[] = {
        { "Low Hz",   editorAt (*peqTab, 334, 160), peq[0], peq[0]->freq, 50.0f },
        { "High Hz",  editorAt (*peqTab, 434, 160), peq[1], peq[1]->freq, 99.0f },
        { "PEQ 1 Hz", editorAt (*peqTab, 534, 160), peq[2], peq[2]->freq, 31.5f },
        { "PEQ 2 Hz", editorAt (*peqTab, 634, 160), peq[3], peq[3]->freq, 1250.0f },
        { "PEQ 1 Q",  editorAt (*peqTab, 534, 224), peq[2], peq[2]->qual, 1.0f },
        { "PEQ 2 Q",  editorAt (*peqTab, 634, 224), peq[3], peq[3]->qual, 0.25f },
        { "PEQ 1 Q rounded", editorAt (*peqTab, 534, 224), peq[2], peq[2]->qual, 0.0f, 9 },
        { "X-Over Hz", editorAt (*xoverTab, 404, 140), root->xover, root->xover->freq, 75.0f },
        { "delay ms", editorAt (*configPage, 180, 348), root->delay, root->delay->del, 12.5f },
        { "delay m",  editorAt (*configPage, 180, 376), root->delay, root->delay->del, 12.5f },
        { "delay ft", editorAt (*configPage, 180, 404), root->delay, root->delay->del, 12.5f },
    };

    for (auto& f : fields)
    {
        ASSERT_NE (f.editor, nullptr) << f.name;
        if (f.step >= 0)
            f.param->setIndex (f.step);
        else
            f.param->setFromFloat (f.value);
        f.node->sendChangeMessage();
        pumpFor (20);
        const float shown = f.param->getFloat();
        const auto text = f.editor->getText();
        const auto sentBefore = speaker->receivedCount (f.node->path);

        for (auto typed : { text, "  " + text.trim() + " " })
        {
            typeAndReturn (*f.editor, typed);
            settle();
            EXPECT_EQ (f.param->getFloat(), shown) << f.name << " '" << typed << "'";
            EXPECT_EQ (f.editor->getText(), text) << f.name << " '" << typed << "'";
            EXPECT_EQ (speaker->receivedCount (f.node->path), sentBefore) << f.name << " '" << typed << "'";
        }
    }
}

TEST_F (CConfigPageEditorTest, TextWithoutANumberLeavesAKnobAtItsValue)
{
    // Every knob with a text box, set by a typed number; then text that holds no number is confirmed
    // with Return or by leaving the box. The knob keeps its value, the box shows it again, the tree
    // keeps its value and nothing goes to the speaker.
    connect (12);
    ASSERT_FALSE (page->offline);
    std::vector<juce::Slider*> eqGains;
    for (auto* child : peqTab->getChildren())
        if (auto* s = dynamic_cast<juce::Slider*> (child); s != nullptr && s->getName() == "gain")
            eqGains.push_back (s);
    ASSERT_EQ (eqGains.size(), 4u);

    struct Knob
    {
        const char* name;
        juce::Slider* slider;
        const char* address;
        Cparam* param; ///< none for the analog gain, which lives in the speaker only
        const char* number;
        double value;
    };
    auto* peq = root->peq->bands;
    const Knob knobs[] = {
        { "input gain", gainKnob(), "/gain", nullptr, "-40", -40.0 },
        { "trim", trimKnob(), "/input", root->input->gain, "-10", -10.0 },
        { "limiter", knob ("limiter Threshold", -30.0), "/limiter", root->limiter->thres, "-6", -6.0 },
        { "Low gain", eqGains[0], "/peq/01", peq[0]->gain, "-4.5", -4.5 },
        { "High gain", eqGains[1], "/peq/02", peq[1]->gain, "+3", 3.0 },
        { "PEQ 1 gain", eqGains[2], "/peq/03", peq[2]->gain, " 7.5", 7.5 },
        { "PEQ 2 gain", eqGains[3], "/peq/04", peq[3]->gain, "99", 15.0 },
    };
    struct Commit { const char* text; bool byFocusLoss; };
    const Commit commits[] = { { "abc", false }, { "-", false }, { "", false }, { ".", false },
                               { "", true }, { "abc", true } };

    // Opens the knob's text box, puts `text` into it and confirms it, with Return or by losing the focus.
    const auto commitText = [] (juce::Slider& slider, const juce::String& text, bool byFocusLoss)
    {
        slider.showTextBox();
        auto* box = findChild<juce::Label> (slider, [] (juce::Label&) { return true; });
        auto* field = box != nullptr ? box->getCurrentTextEditor() : nullptr;
        if (field == nullptr)
            return false;
        field->setText (text, false);
        if (byFocusLoss)
            field->focusLost (juce::Component::focusChangedByMouseClick);
        else
            field->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
        return pumpUntil ([box] { return ! box->isBeingEdited(); });
    };

    for (auto& k : knobs)
    {
        ASSERT_NE (k.slider, nullptr) << k.name;
        settle();
        const auto sentBefore = speaker->receivedCount (k.address);
        ASSERT_TRUE (commitText (*k.slider, k.number, false)) << k.name;
        settle();
        const double value = k.slider->getValue();
        ASSERT_NEAR (value, k.value, 1e-9) << k.name;
        ASSERT_EQ (valuesReceived (k.address, sentBefore).size(), 1u) << k.name;   // the link may send it twice
        const auto sentAfter = speaker->receivedCount (k.address);
        const auto shown = k.slider->getTextFromValue (value);
        const float held = k.param != nullptr ? k.param->getFloat() : 0.0f;

        for (auto& c : commits)
        {
            const auto row = juce::String (k.name) + " '" + c.text + "'"
                           + (c.byFocusLoss ? " focus lost" : " Return");
            ASSERT_TRUE (commitText (*k.slider, c.text, c.byFocusLoss)) << row;
            settle();
            EXPECT_EQ (k.slider->getValue(), value) << row;
            auto* box = findChild<juce::Label> (*k.slider, [] (juce::Label&) { return true; });
            EXPECT_EQ (box->getText(), shown) << row;
            if (k.param != nullptr)
            {
                EXPECT_EQ (k.param->getFloat(), held) << row;
            }
            EXPECT_EQ (speaker->receivedCount (k.address), sentAfter) << row;
        }
    }
}

TEST_F (CConfigPageEditorTest, ScreenshotsOffline)
{
    ASSERT_TRUE (page->offline);
    editor->getTabs().setCurrentTabIndex (1);

    // A top model on a Lirabus channel, remote controlled, with levels on the channel meters.
    editor->setModel (2);
    sourceBox()->setSelectedItemIndex (5, juce::sendNotificationSync);
    auto* enable = button (*configPage, "Enable");
    ASSERT_NE (enable, nullptr);
    enable->setToggleState (true, juce::sendNotification);
    root->position->spkpos->setIndex (1);
    root->model->model->setIndex (4);
    ASSERT_EQ (root->delay->fromText (" 12.5 0"), 0);
    ASSERT_EQ (root->model->fromText (" 4"), 0);
    ASSERT_EQ (root->position->fromText (" 1"), 0);
    pumpFor (20);
    const float low[8] = { 1.0f, 0.6f, 0.3f, 0.1f, 0.05f, 0.02f, 0.01f, 0.0f };
    const float high[8] = { 0.8f, 0.4f, 0.2f, 0.0f, 0.0f, 0.7f, 0.9f, 0.3f };
    CConfigPage::setK24Meters (0, low);
    CConfigPage::setK24Meters (1, high);
    keepScreenshot ("config_Ka12_lirabus.png");

    // A subwoofer on the analog input in the corner.
    editor->setModel (10);
    sourceBox()->setSelectedItemIndex (0, juce::sendNotificationSync);
    ASSERT_EQ (root->position->fromText (" 2"), 0);
    pumpFor (20);
    EXPECT_TRUE (subwooferFlag);
    keepScreenshot ("config_Ptx118B_analog.png");
}
