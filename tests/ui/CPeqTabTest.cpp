// The EQ tab on its own tree: knobs, fields, switches and toggles as the user drives them, values from
// the tree, the EQ modes per model, Reset All, and what the tab draws. Outgoing messages are recorded at
// the model's message sink.
#include "support/Screenshot.h"
#include "support/DecodingSink.h"
#include "UiTestImages.h"
#include "support/MessagePump.h"

#include "model/Croot.h"
#include "model/Globals.h"
#include "model/OscPacket.h"
#include "ui/CPeqTab.h"
#include "ui/Dialogs.h"
#include "ui/EqMath.h"

#include <BinaryData.h>
#include <osc/OscReceivedElements.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using testsink::Sent;
using RecordingSink = testsink::DecodingSink;

/** Answers the Reset All question from the test and remembers what was asked. */
class AnsweringDialogs : public Dialogs
{
public:
    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                      const juce::String& okText, const juce::String& cancelText) override
    {
        ++questions;
        lastIcon = icon;
        lastTitle = title;
        lastMessage = message;
        lastButtons = okText + "|" + cancelText;
        return answer;
    }

    bool answer = true;
    int questions = 0;
    juce::MessageBoxIconType lastIcon = juce::MessageBoxIconType::NoIcon;
    juce::String lastTitle, lastMessage, lastButtons;
};

template <typename T>
T* childAt (juce::Component& parent, const juce::String& name, int x, int y)
{
    for (auto* child : parent.getChildren())
        if (auto* c = dynamic_cast<T*> (child))
            if (c->getName() == name && c->getX() == x && c->getY() == y)
                return c;
    return nullptr;
}

constexpr int x0 (int band) { return 334 + 100 * band; }

class CPeqTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        oscMessageSink = &sink;
        Dialogs::setCurrent (&dialogs);
        subwooferFlag = false;

        tab = std::make_unique<CPeqTab>();
    }

    void TearDown() override
    {
        tab.reset();
        Dialogs::setCurrent (nullptr);
        oscMessageSink = nullptr;
        rootCell = nullptr;
        root.reset();
        subwooferFlag = false;
    }

    static void pump() { testpump::pumpFor (20); }

    Cpeq& band (int b) { return *root->peq->bands[b]; }

    juce::Slider* gainKnob (int b) { return childAt<juce::Slider> (*tab, "gain", x0 (b), 52); }
    juce::Slider* freqKnob (int b) { return childAt<juce::Slider> (*tab, "sine wave frequency", x0 (b) + 4, 120); }
    juce::Slider* qualKnob (int b) { return childAt<juce::Slider> (*tab, "sine wave frequency", x0 (b) + 4, 184); }
    juce::TextEditor* freqField (int b) { return childAt<juce::TextEditor> (*tab, "freq text editor", x0 (b), 160); }
    juce::TextEditor* qualField (int b) { return childAt<juce::TextEditor> (*tab, "qual text editor", x0 (b), 224); }
    juce::Button* eqOn (int b) { return childAt<juce::Button> (*tab, "EQ on", x0 (b) + 46, 16); }
    juce::Label* remoteNote() { return childAt<juce::Label> (*tab, "k24contr", 6, 56); }

    juce::Button* toggle (const juce::String& text)
    {
        for (auto* child : tab->getChildren())
            if (auto* b = dynamic_cast<juce::ToggleButton*> (child))
                if (b->getButtonText() == text)
                    return b;
        return nullptr;
    }

    juce::Button* modeButton (int slot)
    {
        static const juce::Point<int> places[5] = { { 16, 16 }, { 126, 16 }, { 126, 46 }, { 126, 76 }, { 236, 16 } };
        return childAt<juce::Button> (*tab, "eq Button", places[slot].x, places[slot].y);
    }

    juce::Button* resetButton()
    {
        return childAt<juce::Button> (*tab, "", 236, 58);
    }

    juce::Component* frame()
    {
        for (auto* child : tab->getChildren())
            if (child->getName() == "active group")
                return child;
        return nullptr;
    }

    /** The texts of the visible mode buttons, top to bottom, left to right. */
    juce::StringArray visibleModes()
    {
        juce::StringArray texts;
        for (int slot = 0; slot < 5; ++slot)
            if (modeButton (slot)->isVisible())
                texts.add (modeButton (slot)->getButtonText());
        return texts;
    }

    /** The slot of the lit mode button, -1 when none is lit. */
    int litMode()
    {
        int lit = -1;
        for (int slot = 0; slot < 5; ++slot)
            if (modeButton (slot)->getToggleState())
            {
                EXPECT_EQ (lit, -1) << "two mode buttons lit";
                lit = slot;
            }
        return lit;
    }

    /** Sets a band as the speaker would and delivers the change message. */
    void receiveBand (int b, int type, float hz, float gainDb, float q)
    {
        band (b).type->setIndex (type);
        band (b).freq->setFromFloat (hz);
        band (b).gain->setFromFloat (gainDb);
        band (b).qual->setFromFloat (q);
        band (b).sendChangeMessage();
        pump();
    }

    void receiveMode (int mode)
    {
        root->eqmode->mode->setIndex (mode);
        root->eqmode->sendChangeMessage();
        pump();
    }

    static void typeAndReturn (juce::TextEditor& editor, const juce::String& text)
    {
        editor.selectAll();
        editor.insertTextAtCaret (text);
        editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
        pump();
    }

    static void click (juce::Button* b)
    {
        ASSERT_NE (b, nullptr);
        b->triggerClick();
        pump();
    }

    std::unique_ptr<Croot> root;
    RecordingSink sink;
    AnsweringDialogs dialogs;
    std::unique_ptr<CPeqTab> tab;
};
} // namespace

//==============================================================================
TEST_F (CPeqTabTest, StartsWithEveryBandOnTheShelfDefaultsAndNoFrame)
{
    EXPECT_EQ (peqTab, tab.get());
    EXPECT_EQ (tab->getName(), "PeqTab");
    EXPECT_EQ (tab->getWidth(), 720);
    EXPECT_EQ (tab->getHeight(), 260);
    EXPECT_EQ (tab->modeCount, 0);

    for (int b = 0; b < 4; ++b)
    {
        ASSERT_NE (eqOn (b), nullptr);
        EXPECT_TRUE (eqOn (b)->getToggleState()) << b;
        EXPECT_EQ (tab->bands[(size_t) b], &band (b));
        EXPECT_TRUE (freqField (b)->getText().isEmpty());
        EXPECT_EQ (qualKnob (b)->isVisible(), b >= 2) << b;
        EXPECT_EQ (qualField (b)->isVisible(), b >= 2) << b;
    }

    EXPECT_TRUE (toggle ("LS6")->getToggleState());
    EXPECT_FALSE (toggle ("LS12")->getToggleState());
    EXPECT_TRUE (toggle ("HS6")->getToggleState());
    EXPECT_FALSE (toggle ("HS12")->getToggleState());
    EXPECT_EQ (litMode(), 0);
    EXPECT_EQ (visibleModes().joinIntoString (","), "None,Live,Speech,Playback,User");
    ASSERT_NE (frame(), nullptr);
    EXPECT_TRUE (frame()->getBounds().isEmpty());
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CPeqTabTest, GainFollowsTheEqOnSwitch)
{
    receiveBand (2, 1, 1000.0f, 0.0f, 1.0f);

    click (eqOn (2));
    EXPECT_FALSE (eqOn (2)->getToggleState());
    ASSERT_EQ (sink.count ("/peq/03"), 1);
    EXPECT_FLOAT_EQ (sink.last ("/peq/03")->numbers[1], 0.0f);

    // Turning the knob while the band is off sends 0 dB and leaves the knob where it is.
    gainKnob (2)->setValue (6.0);
    pump();
    EXPECT_DOUBLE_EQ (gainKnob (2)->getValue(), 6.0);
    ASSERT_EQ (sink.count ("/peq/03"), 2);
    EXPECT_FLOAT_EQ (sink.last ("/peq/03")->numbers[1], 0.0f);
    EXPECT_FLOAT_EQ (band (2).gain->getFloat(), 0.0f);

    click (eqOn (2));
    EXPECT_TRUE (eqOn (2)->getToggleState());
    ASSERT_EQ (sink.count ("/peq/03"), 3);
    EXPECT_NEAR (sink.last ("/peq/03")->numbers[1], 6.0f, 1e-4f);
    EXPECT_EQ (sink.last ("/peq/03")->texts, std::vector<std::string> { "PEQ" });
    EXPECT_EQ (frame()->getBounds(), juce::Rectangle<int> (524, 2, 86, 254));
}

TEST_F (CPeqTabTest, ReceivedGainSwitchesOnButNeverOff)
{
    gainKnob (0)->setValue (4.0, juce::dontSendNotification);
    receiveBand (0, 2, 100.0f, 0.0f, 1.0f);
    EXPECT_TRUE (eqOn (0)->getToggleState());
    EXPECT_DOUBLE_EQ (gainKnob (0)->getValue(), 0.0);

    click (eqOn (1));
    ASSERT_FALSE (eqOn (1)->getToggleState());
    gainKnob (1)->setValue (5.0, juce::dontSendNotification);
    const auto sentBefore = sink.sent.size();

    receiveBand (1, 4, 10000.0f, 0.0f, 1.0f);
    EXPECT_FALSE (eqOn (1)->getToggleState());
    EXPECT_DOUBLE_EQ (gainKnob (1)->getValue(), 5.0);
    EXPECT_EQ (freqField (1)->getText(), "10000");

    receiveBand (1, 4, 10000.0f, -3.0f, 1.0f);
    EXPECT_TRUE (eqOn (1)->getToggleState());
    EXPECT_NEAR (gainKnob (1)->getValue(), -3.0, 1e-9);

    // Values from the tree are never echoed back.
    EXPECT_EQ (sink.sent.size(), sentBefore);
}

TEST_F (CPeqTabTest, ReturnInAFrequencyFieldReadsEngineeringText)
{
    typeAndReturn (*freqField (0), "1k");
    EXPECT_NEAR (band (0).freq->getFloat(), 1000.0f, 0.5f);
    EXPECT_EQ (freqField (0)->getText(), " 1000");
    EXPECT_DOUBLE_EQ (freqKnob (0)->getValue(), 339.0);
    ASSERT_EQ (sink.count ("/peq/01"), 1);
    EXPECT_NEAR (sink.last ("/peq/01")->numbers[0], 1000.0f, 0.5f);
    EXPECT_EQ (frame()->getBounds(), juce::Rectangle<int> (324, 2, 86, 254));
    EXPECT_EQ (freqField (0)->getHighlightedRegion().getLength(), freqField (0)->getTotalNumChars());

    // Text with no number gives the lowest value; too large a number is clamped.
    typeAndReturn (*qualField (3), "abc");
    EXPECT_EQ (qualField (3)->getText(), "0.10");
    EXPECT_DOUBLE_EQ (qualKnob (3)->getValue(), 0.0);
    typeAndReturn (*freqField (3), "99999");
    EXPECT_NEAR (band (3).freq->getFloat(), 20000.0f, 1.0f);
    EXPECT_DOUBLE_EQ (freqKnob (3)->getValue(), 600.0);
    EXPECT_EQ (sink.count ("/peq/04"), 2);
}

TEST_F (CPeqTabTest, LeavingAFieldDiscardsTypingButSendsTheBand)
{
    receiveBand (3, 1, 2000.0f, 1.0f, 1.0f);
    const auto shown = freqField (3)->getText();

    freqField (3)->selectAll();
    freqField (3)->insertTextAtCaret ("555");
    freqField (3)->focusLost (juce::Component::focusChangedDirectly);
    pump();

    EXPECT_EQ (freqField (3)->getText(), shown);
    EXPECT_EQ (freqField (3)->getCaretPosition(), 0);
    EXPECT_NEAR (band (3).freq->getFloat(), 2000.0f, 5.0f);
    EXPECT_EQ (sink.count ("/peq/04"), 1);
    EXPECT_EQ (frame()->getBounds(), juce::Rectangle<int> (624, 2, 86, 254));
}

TEST_F (CPeqTabTest, KnobsWriteStepsAndShowTheirText)
{
    freqKnob (2)->setValue (339.0);
    pump();
    EXPECT_EQ (band (2).freq->getIndex(), 339);
    EXPECT_EQ (freqField (2)->getText(), "990.9");
    EXPECT_FLOAT_EQ (peqFrequencies[2], band (2).freq->getFloat());
    EXPECT_EQ (selectedSection, 2);

    qualKnob (2)->setValue (50.0);
    pump();
    EXPECT_NEAR (band (2).qual->getFloat(), 1.0f, 1e-4f);
    EXPECT_EQ (qualField (2)->getText(), "1.00");
    EXPECT_EQ (sink.count ("/peq/03"), 2);
}

TEST_F (CPeqTabTest, SlopeTogglesSetTheShelfType)
{
    click (toggle ("LS12"));
    EXPECT_FALSE (toggle ("LS6")->getToggleState());
    EXPECT_EQ (band (0).type->getIndex(), 3);
    ASSERT_EQ (sink.count ("/peq/01"), 1) << "the partner switched off must not send too";
    EXPECT_EQ (sink.last ("/peq/01")->texts, std::vector<std::string> { "LS12" });

    click (toggle ("HS12"));
    EXPECT_EQ (band (1).type->getIndex(), 5);
    click (toggle ("HS6"));
    EXPECT_EQ (band (1).type->getIndex(), 4);
    EXPECT_EQ (sink.count ("/peq/02"), 2);
    EXPECT_EQ (sink.last ("/peq/02")->texts, std::vector<std::string> { "HS6" });
    EXPECT_TRUE (toggle ("LS12")->getToggleState());

    // A received shelf type moves the toggle; a low cut leaves it, but is drawn as a low cut.
    receiveBand (0, 2, 100.0f, 3.0f, 1.0f);
    EXPECT_TRUE (toggle ("LS6")->getToggleState());
    receiveBand (0, 6, 200.0f, 3.0f, 1.0f);
    EXPECT_TRUE (toggle ("LS6")->getToggleState());
    EXPECT_FALSE (toggle ("LS12")->getToggleState());

    const float b0 = peqCoefficients.b0[0], b1 = peqCoefficients.b1[0], a1 = peqCoefficients.a1[0];
    EqMath::designPeqBand (0, 6, band (0).freq->getFloat(), band (0).gain->getFloat(), band (0).qual->getFloat());
    EXPECT_FLOAT_EQ (peqCoefficients.b0[0], b0);
    EXPECT_FLOAT_EQ (peqCoefficients.b1[0], b1);
    EXPECT_FLOAT_EQ (peqCoefficients.a1[0], a1);
    EXPECT_LT (EqMath::peqResponseDb (20.0f), -10.0f);
}

TEST_F (CPeqTabTest, ResetAllAsksThenRestoresTheDefaults)
{
    root->eqmode->mode->setIndex (2);
    dialogs.answer = false;
    click (resetButton());
    EXPECT_EQ (dialogs.questions, 1);
    EXPECT_EQ (dialogs.lastTitle, "Reset USER EQ...");
    EXPECT_EQ (dialogs.lastMessage, "Do you want to reset all user filters?");
    EXPECT_EQ (dialogs.lastButtons, "Yes|Cancel");
    EXPECT_EQ (dialogs.lastIcon, juce::MessageBoxIconType::QuestionIcon);
    EXPECT_TRUE (sink.sent.empty());
    EXPECT_EQ (band (2).type->getIndex(), 0);

    click (eqOn (3));
    click (toggle ("LS12"));
    sink.sent.clear();

    dialogs.answer = true;
    click (resetButton());

    const char* texts[4] = { "100.0", "10000", "500.0", " 2000" };
    const double steps[4] = { 139, 539, 279, 400 };
    for (int b = 0; b < 4; ++b)
    {
        EXPECT_EQ (freqField (b)->getText(), texts[b]) << b;
        EXPECT_DOUBLE_EQ (freqKnob (b)->getValue(), steps[b]) << b;
        EXPECT_DOUBLE_EQ (gainKnob (b)->getValue(), 0.0) << b;
        EXPECT_TRUE (eqOn (b)->getToggleState()) << b;
        EXPECT_EQ (band (b).qual->getIndex(), 9);
    }
    EXPECT_EQ (qualField (2)->getText(), "0.15");
    EXPECT_EQ (qualField (3)->getText(), "0.15");
    EXPECT_TRUE (toggle ("LS6")->getToggleState());
    EXPECT_TRUE (toggle ("HS6")->getToggleState());

    ASSERT_EQ (sink.sent.size(), 4u);
    const char* types[4] = { "LS6", "HS6", "PEQ", "PEQ" };
    for (int b = 0; b < 4; ++b)
    {
        EXPECT_EQ (sink.sent[(size_t) b].address, "/peq/0" + std::to_string (b + 1));
        EXPECT_EQ (sink.sent[(size_t) b].texts, std::vector<std::string> { types[b] });
    }
    EXPECT_EQ (root->eqmode->mode->getIndex(), 2);
}

TEST_F (CPeqTabTest, ModesOfAFullRangeModel)
{
    CPeqTab::setModel (3);
    EXPECT_EQ (tab->modeCount, 4);
    EXPECT_EQ (visibleModes().joinIntoString (","), "None,Live,Speech,Playback,User");

    click (modeButton (4));
    EXPECT_EQ (root->eqmode->mode->getIndex(), 4);
    ASSERT_EQ (sink.count ("/eqmode"), 1);
    EXPECT_EQ (sink.last ("/eqmode")->numbers, std::vector<float> { 4.0f });
    EXPECT_EQ (sink.sent.size(), 1u);

    // Clicking the lit button again sends its value again.
    click (modeButton (4));
    EXPECT_EQ (sink.count ("/eqmode"), 2);
    EXPECT_EQ (litMode(), 4);

    receiveMode (2);
    EXPECT_EQ (litMode(), 2);
    EXPECT_EQ (modeButton (2)->getButtonText(), "Speech");
    click (modeButton (1));
    EXPECT_EQ (sink.count ("/eqmode"), 3);
    EXPECT_EQ (root->eqmode->mode->getIndex(), 1);
}

TEST_F (CPeqTabTest, ModesOfArrayModelsAndSubwoofers)
{
    CPeqTab::setModel (25);
    EXPECT_EQ (tab->modeCount, 3);
    EXPECT_EQ (visibleModes().joinIntoString (","), "None,Array 2,Array 3+,User");
    click (modeButton (4));
    EXPECT_EQ (sink.last ("/eqmode")->numbers, std::vector<float> { 3.0f });
    receiveMode (3);
    EXPECT_EQ (litMode(), 4);
    receiveMode (4);
    EXPECT_EQ (litMode(), 4);
    receiveMode (1);
    EXPECT_EQ (litMode(), 1);

    CPeqTab::setModel (3);
    EXPECT_EQ (visibleModes().joinIntoString (","), "None,Live,Speech,Playback,User");

    subwooferFlag = true;
    CPeqTab::setModel (29);
    EXPECT_EQ (tab->modeCount, 1);
    EXPECT_EQ (visibleModes().joinIntoString (","), "None,User");
    click (modeButton (4));
    EXPECT_EQ (sink.last ("/eqmode")->numbers, std::vector<float> { 1.0f });

    // No model: the count stays as it was.
    CPeqTab::setModel (40);
    EXPECT_EQ (tab->modeCount, 1);
    EXPECT_EQ (tab->model, 40);
}

TEST_F (CPeqTabTest, UserIsLitForTheUserValueOfTheCurrentModel)
{
    receiveMode (0);
    EXPECT_EQ (litMode(), 4) << "before a model, mode 0 is the User value";

    // A new model changes what the stored mode stands for.
    CPeqTab::setModel (3);
    EXPECT_EQ (litMode(), 0);

    receiveMode (6);
    EXPECT_EQ (litMode(), -1);
}

TEST_F (CPeqTabTest, ChangesOfOtherNodesAreIgnored)
{
    receiveBand (0, 2, 100.0f, 2.0f, 1.0f);
    const auto text = freqField (0)->getText();

    root->peq->bands[0]->freq->setFromFloat (5000.0f);
    tab->changeListenerCallback (root->peq);
    tab->changeListenerCallback (root->rsq->bands[0]);
    tab->changeListenerCallback (root->input);
    tab->changeListenerCallback (nullptr);
    EXPECT_EQ (freqField (0)->getText(), text);
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CPeqTabTest, DrawsTheGroundLinesAndTheModePicture)
{
    CPeqTab::setModel (3);
    receiveMode (2);
    auto image = uitest::render (*tab);

    EXPECT_EQ (uitest::argb (image, 5, 250), 0xff161616u);
    for (int x : { 110, 111, 220, 221 })
        EXPECT_EQ (uitest::argb (image, x, 250), 0xff666767u) << x;
    EXPECT_EQ (uitest::argb (image, 112, 250), 0xff161616u);

    // The picture area must match the picture drawn over the ground, or hold nothing but the ground.
    auto pictureDiffers = [&] (const juce::Image& picture)
    {
        juce::Image expected (juce::Image::ARGB, 84, 120, true);
        juce::Graphics g (expected);
        g.fillAll (juce::Colour (0xff161616));
        if (picture.isValid())
            g.drawImageAt (picture, 0, 0);
        auto drawn = uitest::render (*tab);
        int differing = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 84; ++x)
                differing += uitest::near (drawn.getPixelAt (124 + x, 120 + y), expected.getPixelAt (x, y)) ? 0 : 1;
        return differing;
    };
    auto expectPicture = [&] (const char* data, int size, const char* what)
    {
        EXPECT_EQ (pictureDiffers (juce::ImageCache::getFromMemory (data, size)), 0) << what;
    };
    auto expectNoPicture = [&] (const char* what) { EXPECT_EQ (pictureDiffers ({}), 0) << what; };

    expectPicture (BinaryData::icons_SPEECH_png, BinaryData::icons_SPEECH_pngSize, "model 3, Speech");
    receiveMode (0);
    expectNoPicture ("mode None");

    CPeqTab::setModel (25);
    receiveMode (2);
    expectPicture (BinaryData::icons_ARRAY3_png, BinaryData::icons_ARRAY3_pngSize, "model 25, Array 3+");
    receiveMode (3);
    expectNoPicture ("model 25, User");

    subwooferFlag = true;
    CPeqTab::setModel (29);
    for (int mode = 0; mode < 4; ++mode)
    {
        receiveMode (mode);
        expectNoPicture ("subwoofer");
    }
}

TEST_F (CPeqTabTest, RemoteNoteFollowsTheInputAndModel)
{
    CPeqTab::setModel (0);
    root->input->source->setIndex (3);
    root->input->remote->setIndex (1);
    uitest::render (*tab);
    EXPECT_TRUE (remoteNote()->isVisible());

    root->input->source->setIndex (0);
    uitest::render (*tab);
    EXPECT_FALSE (remoteNote()->isVisible());

    root->input->source->setIndex (3);
    root->input->remote->setIndex (0);
    uitest::render (*tab);
    EXPECT_FALSE (remoteNote()->isVisible());

    root->input->remote->setIndex (1);
    CPeqTab::setModel (6);
    uitest::render (*tab);
    EXPECT_FALSE (remoteNote()->isVisible());
}

TEST_F (CPeqTabTest, NothingHappensAfterTheTabIsGone)
{
    tab.reset();
    EXPECT_EQ (peqTab, nullptr);
    CPeqTab::setModel (3);
    receiveBand (0, 2, 100.0f, 3.0f, 1.0f);
    receiveMode (1);
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CPeqTabTest, KeepsAScreenshot)
{
    CPeqTab::setModel (3);
    receiveBand (0, 2, 100.0f, 3.0f, 0.7f);
    receiveBand (1, 5, 8000.0f, -2.5f, 0.7f);
    receiveBand (2, 1, 500.0f, -6.0f, 2.0f);
    receiveBand (3, 1, 2500.0f, 4.0f, 1.0f);
    receiveMode (1);
    freqKnob (2)->setValue (280.0);
    pump();

    auto image = tab->createComponentSnapshot (tab->getLocalBounds(), true, 1.0f);
    ASSERT_TRUE (testshot::keep (image, "eq_tab.png"));
    EXPECT_EQ (image.getWidth(), 720);
}
