// The Configuration page on its own tree: model switch, input widgets, delay editors, knobs, buttons,
// values from the tree, the channel meters and what it draws. Outgoing messages are recorded at the
// model's message sink.
#include "support/DecodingSink.h"
#include "UiTestImages.h"
#include "support/MessagePump.h"

#include "model/Croot.h"
#include "model/Globals.h"
#include "model/OscPacket.h"
#include "ui/CConfigPage.h"
#include "ui/EqMath.h"
#include "ui/led_meter.h"

#include <osc/OscReceivedElements.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using testsink::Sent;
using RecordingSink = testsink::DecodingSink;

/** The visible children of `parent` of type T with this component name, in child order. */
template <typename T>
std::vector<T*> named (juce::Component& parent, const juce::String& name, bool visibleOnly = false)
{
    std::vector<T*> found;
    for (auto* child : parent.getChildren())
        if (auto* c = dynamic_cast<T*> (child))
            if (c->getName() == name && (! visibleOnly || c->isVisible()))
                found.push_back (c);
    return found;
}

class CConfigPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        oscMessageSink = &sink;

        page = std::make_unique<CConfigPage>();
        configPage = page.get();
        pump(); // the construction's "Analog" announcement
    }

    void TearDown() override
    {
        configPage = nullptr;
        page.reset();
        oscMessageSink = nullptr;
        rootCell = nullptr;
        root.reset();
    }

    static void pump() { testpump::pumpFor (20); }

    juce::Slider* knob (const juce::String& name, double minimum)
    {
        for (auto* s : named<juce::Slider> (*page, name))
            if (s->getMinimum() == minimum)
                return s;
        return nullptr;
    }

    juce::Slider* gainKnob() { return knob ("input Trim", -60.0); }
    juce::Slider* trimKnob() { return knob ("input Trim", -30.0); }
    juce::Slider* delayKnob() { return knob ("delay Time", 0.0); }
    juce::Slider* limiterKnob() { return knob ("limiter Threshold", -30.0); }
    juce::ComboBox* sourceBox() { return named<juce::ComboBox> (*page, "InputSource").at (0); }
    juce::TextEditor* editor (const char* name) { return named<juce::TextEditor> (*page, name).at (0); }
    juce::Label* label (const char* name) { return named<juce::Label> (*page, name).at (0); }

    /** Buttons in the column at `x`, top to bottom. */
    std::vector<juce::TextButton*> column (int x)
    {
        std::vector<juce::TextButton*> found;
        for (auto* child : page->getChildren())
            if (auto* b = dynamic_cast<juce::TextButton*> (child))
                if (b->getX() == x)
                    found.push_back (b);
        std::sort (found.begin(), found.end(), [] (auto* a, auto* b) { return a->getY() < b->getY(); });
        return found;
    }

    std::vector<juce::TextButton*> positionButtons() { return column (466); }
    std::vector<juce::TextButton*> voicingButtons() { return column (610); }

    juce::StringArray visibleTexts (const std::vector<juce::TextButton*>& buttons)
    {
        juce::StringArray texts;
        for (auto* b : buttons)
            if (b->isVisible())
                texts.add (b->getButtonText());
        return texts;
    }

    juce::TextButton* enableButton()
    {
        for (auto* child : page->getChildren())
            if (auto* b = dynamic_cast<juce::TextButton*> (child))
                if (b->getButtonText() == "Enable")
                    return b;
        return nullptr;
    }

    void typeAndReturn (juce::TextEditor& e, const juce::String& text)
    {
        e.selectAll();
        e.insertTextAtCaret (text);
        e.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
        pump();
    }

    juce::StringArray delayTexts()
    {
        return { editor ("delay A msec")->getText(), editor ("delay A meter")->getText(),
                 editor ("delay A feet")->getText() };
    }

    void selectSource (int position)
    {
        sourceBox()->setSelectedItemIndex (position, juce::sendNotificationSync);
    }

    juce::Image snapshot() { return page->createComponentSnapshot (page->getLocalBounds(), true, 1.0f); }

    /** Counts the opaque pixels of `picture` drawn at (x, y) that the snapshot shows unchanged, and how
        many there are; only the part left of `rightEdge` and above the column titles (y 180) counts. */
    static std::pair<int, int> matchPicture (const juce::Image& shot, const juce::Image& picture, int x, int y,
                                             int rightEdge)
    {
        int matching = 0, opaque = 0;
        for (int py = 0; py < picture.getHeight(); py += 3)
            for (int px = 0; px < picture.getWidth() && x + px < rightEdge; px += 3)
            {
                const auto c = picture.getPixelAt (px, py);
                if (c.getAlpha() != 255 || y + py >= 180)
                    continue;
                ++opaque;
                matching += uitest::near (shot.getPixelAt (x + px, y + py), c) ? 1 : 0;
            }
        return { matching, opaque };
    }

    std::unique_ptr<Croot> root;
    RecordingSink sink;
    std::unique_ptr<CConfigPage> page;
};
} // namespace

//==============================================================================
TEST_F (CConfigPageTest, ConstructionAnnouncesTheAnalogInputOnce)
{
    // Whatever the tree held, the new page selects "Analog" and sends it.
    TearDown();
    root = std::make_unique<Croot>();
    root->buildPaths();
    rootCell = root.get();
    oscMessageSink = &sink;
    root->input->source->setIndex (7);
    sink.sent.clear();

    page = std::make_unique<CConfigPage>();
    configPage = page.get();
    EXPECT_EQ (page->getWidth(), 720);
    EXPECT_EQ (page->getHeight(), 470);
    EXPECT_EQ (sink.count ("/input"), 0) << "the announcement is asynchronous";
    pump();

    EXPECT_EQ (root->input->source->getIndex(), 0);
    ASSERT_EQ (sink.count ("/input"), 1);
    EXPECT_EQ (sink.last ("/input")->numbers.at (0), 0.0f);
    EXPECT_EQ (sourceBox()->getText(), "Analog");
    EXPECT_EQ (sourceBox()->getNumItems(), 17);
    EXPECT_EQ (sourceBox()->getItemText (16), "Lirabus Ch16");
}

TEST_F (CConfigPageTest, ModelSwitchNamesPositionsAndVoicings)
{
    page->setModel (4);
    EXPECT_TRUE (subwooferFlag);
    EXPECT_EQ (visibleTexts (positionButtons()), juce::StringArray ({ "Floor", "Wall", "Corner" }));
    EXPECT_EQ (visibleTexts (voicingButtons()).size(), 4);
    EXPECT_EQ (visibleTexts (voicingButtons())[0], "Ka15B");
    EXPECT_TRUE (label ("model")->isVisible());

    page->setModel (9);
    EXPECT_FALSE (subwooferFlag);
    EXPECT_EQ (visibleTexts (positionButtons()), juce::StringArray ({ "Stand", "Wall", "Floor", "Corner" }));
    EXPECT_TRUE (visibleTexts (voicingButtons()).isEmpty());
    EXPECT_FALSE (label ("model")->isVisible());

    for (int index : { 23, 30, 38, 39, 40 })
    {
        page->setModel (index);
        EXPECT_EQ (positionButtons()[0]->getButtonText(), CConfigPage::isSubwooferModel (index) ? "Floor" : "Free") << index;
        EXPECT_EQ (subwooferFlag, index == 30 || index == 38) << index;
    }

    // Each model 0 to 5 shows its own count of voicings, its own name first.
    for (int index = 0; index <= 5; ++index)
    {
        page->setModel (index);
        const auto texts = visibleTexts (voicingButtons());
        ASSERT_EQ (texts.size(), voicingCounts[index]) << index;
        EXPECT_EQ (texts[0], modelCodes[index]) << index;
        for (int k = 0; k < voicingCounts[index]; ++k)
            EXPECT_TRUE (CConfigPage::speakerPicture (index, k).isValid()) << index << "/" << k;
        EXPECT_FALSE (CConfigPage::speakerPicture (index, voicingCounts[index]).isValid()) << index;
    }

    for (int index = 0; index <= 40; ++index)
        EXPECT_EQ (CConfigPage::speakerPicture (index, 0).isValid(), index <= 5 || (index >= 8 && index <= 38)) << index;
}

TEST_F (CConfigPageTest, InputWidgetsFollowSourceAndModel)
{
    page->setModel (2);
    EXPECT_FALSE (gainKnob()->isVisible());
    EXPECT_FALSE (trimKnob()->isVisible());
    EXPECT_FALSE (label ("dB")->isVisible());
    EXPECT_FALSE (enableButton()->isVisible());
    EXPECT_FALSE (label ("remote")->isVisible());
    EXPECT_TRUE (named<led_meter> (*page, "k24 meter", true).empty());

    page->setModel (12);
    EXPECT_TRUE (gainKnob()->isVisible());
    EXPECT_TRUE (label ("gain")->isVisible());
    EXPECT_TRUE (label ("dB")->isVisible());
    EXPECT_FALSE (trimKnob()->isVisible());

    page->setModel (0);
    sink.sent.clear();
    selectSource (5);
    EXPECT_EQ (sourceBox()->getText(), "Lirabus Ch05");
    EXPECT_EQ (root->input->source->getIndex(), 5);
    ASSERT_EQ (sink.count ("/input"), 1);
    EXPECT_EQ (sink.last ("/input")->numbers, (std::vector<float> { 5.0f, -30.0f, 0.0f }));
    EXPECT_TRUE (trimKnob()->isVisible());
    EXPECT_TRUE (label ("trim")->isVisible());
    EXPECT_FALSE (gainKnob()->isVisible());
    EXPECT_TRUE (label ("dB")->isVisible());
    EXPECT_TRUE (enableButton()->isVisible());
    EXPECT_TRUE (label ("viaK24")->isVisible());
    EXPECT_EQ (named<led_meter> (*page, "k24 meter", true).size(), 16u);
    EXPECT_EQ (named<juce::Label> (*page, "idx", true).size(), 16u);
    auto* frame = named<juce::GroupComponent> (*page, "active meter").at (0);
    EXPECT_TRUE (frame->isVisible());
    EXPECT_EQ (frame->getBounds(), juce::Rectangle<int> (120, 54, 26, 80));

    // The same channel on a model outside the first six: no remote row.
    page->setModel (12);
    EXPECT_TRUE (trimKnob()->isVisible());
    EXPECT_FALSE (enableButton()->isVisible());

    // Back to analog: the meters go, the frame with them.
    selectSource (0);
    EXPECT_EQ (root->input->source->getIndex(), 0);
    EXPECT_FALSE (frame->isVisible());
    EXPECT_TRUE (named<led_meter> (*page, "k24 meter", true).empty());
    EXPECT_TRUE (gainKnob()->isVisible());
}

TEST_F (CConfigPageTest, DelayEditorsReadTheirOwnUnitsOnReturnOnly)
{
    delayKnob()->setValue (100.0, juce::sendNotificationSync);
    sink.sent.clear();

    typeAndReturn (*editor ("delay A meter"), "10");
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 29.16f);
    EXPECT_NEAR (delayKnob()->getValue(), 29.16, 1e-4);
    EXPECT_EQ (delayTexts(), juce::StringArray ({ "29.160", "10.002", "32.816" }));
    ASSERT_GE (sink.count ("/delay"), 1);
    EXPECT_FLOAT_EQ (sink.last ("/delay")->numbers.at (0), 29.16f);

    typeAndReturn (*editor ("delay A msec"), "1k");
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 300.0f);
    EXPECT_EQ (delayTexts()[0], "300.000");

    typeAndReturn (*editor ("delay A feet"), "no digits");
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 0.0f);
    EXPECT_EQ (delayTexts()[0], "0.000");
    EXPECT_FLOAT_EQ (sink.last ("/delay")->numbers.at (0), 0.0f);

    // Leaving an editor discards what was typed without Return, in all three.
    typeAndReturn (*editor ("delay A msec"), "10");
    sink.sent.clear();
    auto* metres = editor ("delay A meter");
    metres->selectAll();
    metres->insertTextAtCaret ("77");
    editor ("delay A feet")->setText ("1", juce::dontSendNotification);
    metres->focusLost (juce::Component::focusChangedByMouseClick);
    pump();
    EXPECT_EQ (delayTexts(), juce::StringArray ({ "10.000", "3.430", "11.254" }));
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 10.0f);
    EXPECT_EQ (metres->getCaretPosition(), 0);
    EXPECT_TRUE (metres->getHighlightedRegion().isEmpty());
    EXPECT_EQ (sink.count ("/delay"), 0);
}

TEST_F (CConfigPageTest, KnobsWriteClampedValuesAndSendTheirNode)
{
    sink.sent.clear();
    delayKnob()->setValue (29.16, juce::sendNotificationSync);
    EXPECT_EQ (delayTexts(), juce::StringArray ({ "29.160", "10.002", "32.816" }));
    ASSERT_EQ (sink.count ("/delay"), 1);
    EXPECT_FLOAT_EQ (sink.last ("/delay")->numbers.at (0), 29.16f);

    limiterKnob()->setValue (-12.5, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (root->limiter->thres->getFloat(), -12.5f);
    ASSERT_EQ (sink.count ("/limiter"), 1);
    EXPECT_FLOAT_EQ (sink.last ("/limiter")->numbers.at (0), -12.5f);

    root->input->source->setIndex (3);
    root->input->remote->setIndex (1);
    trimKnob()->setValue (6.5, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (root->input->gain->getFloat(), 6.5f);
    ASSERT_EQ (sink.count ("/input"), 1);
    EXPECT_EQ (sink.last ("/input")->numbers, (std::vector<float> { 3.0f, 6.5f, 1.0f }));

    // The analog gain has no node: without a link nothing leaves and the tree is untouched.
    sink.sent.clear();
    gainKnob()->setValue (-20.0, juce::sendNotificationSync);
    EXPECT_TRUE (sink.sent.empty());
    EXPECT_FLOAT_EQ (root->input->gain->getFloat(), 6.5f);
}

TEST_F (CConfigPageTest, ButtonsWriteTheirIndexOnce)
{
    page->setModel (2);
    sink.sent.clear();

    positionButtons()[2]->triggerClick();
    pump();
    EXPECT_EQ (root->position->spkpos->getIndex(), 2);
    // The button switched off by the radio group writes nothing.
    ASSERT_EQ (sink.count ("/position"), 1);
    EXPECT_EQ (sink.last ("/position")->numbers.at (0), 2.0f);
    EXPECT_FALSE (positionButtons()[0]->getToggleState());

    voicingButtons()[7]->triggerClick();
    pump();
    EXPECT_EQ (root->model->model->getIndex(), 7);
    ASSERT_EQ (sink.count ("/model"), 1);
    EXPECT_EQ (sink.last ("/model")->numbers.at (0), 7.0f);

    selectSource (4);
    sink.sent.clear();
    enableButton()->triggerClick();
    pump();
    EXPECT_EQ (root->input->remote->getIndex(), 1);
    ASSERT_EQ (sink.count ("/input"), 1);
    EXPECT_EQ (sink.last ("/input")->numbers, (std::vector<float> { 4.0f, -30.0f, 1.0f }));
    EXPECT_TRUE (label ("k24contr")->isVisible());

    enableButton()->triggerClick();
    pump();
    EXPECT_EQ (root->input->remote->getIndex(), 0);
    EXPECT_FALSE (label ("k24contr")->isVisible());
}

TEST_F (CConfigPageTest, TreeValuesSetTheWidgetsWithoutEcho)
{
    page->setModel (0);
    sink.sent.clear();

    // As a preset line or the speaker's reply would set them.
    ASSERT_EQ (root->delay->fromText (" 29.16 0"), 0);
    ASSERT_EQ (root->limiter->fromText (" -7.5"), 0);
    ASSERT_EQ (root->input->fromText (" 9 -4.5 1"), 0);
    ASSERT_EQ (root->position->fromText (" 3"), 0);
    ASSERT_EQ (root->model->fromText (" 5"), 0);
    pump();

    EXPECT_NEAR (delayKnob()->getValue(), 29.16, 1e-4);
    EXPECT_EQ (delayTexts(), juce::StringArray ({ "29.160", "10.002", "32.816" }));
    EXPECT_EQ (limiterKnob()->getValue(), -7.5);
    EXPECT_EQ (sourceBox()->getText(), "Lirabus Ch09");
    EXPECT_EQ (trimKnob()->getValue(), -4.5);
    EXPECT_TRUE (enableButton()->getToggleState());
    EXPECT_TRUE (trimKnob()->isVisible());
    EXPECT_TRUE (label ("k24contr")->isVisible());
    EXPECT_EQ (named<juce::GroupComponent> (*page, "active meter").at (0)->getX(), 216);
    EXPECT_TRUE (positionButtons()[3]->getToggleState());
    EXPECT_FALSE (positionButtons()[0]->getToggleState());
    EXPECT_TRUE (voicingButtons()[5]->getToggleState());
    EXPECT_FALSE (voicingButtons()[0]->getToggleState());
    EXPECT_TRUE (sink.sent.empty()) << sink.sent.front().address;

    // A position without a button leaves the buttons as they were.
    ASSERT_EQ (root->position->fromText (" 5"), 0);
    pump();
    EXPECT_TRUE (positionButtons()[3]->getToggleState());
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CConfigPageTest, ChannelMetersShowWholeDecibels)
{
    const float bank0[8] = { 1.0f, 0.5f, 0.0f, -1.0f, 0.001f, 0.0008f, 0.1f, 2.0f };
    CConfigPage::setK24Meters (0, bank0);
    const auto meters = named<led_meter> (*page, "k24 meter");
    ASSERT_EQ (meters.size(), 16u);
    const double expected[8] = { 1.0, -4.0, -60.0, -60.0, -58.0, -60.0, -18.0, 7.0 };
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ (meters[(size_t) i]->getLevel(), expected[i]) << i;
    EXPECT_EQ (meters[8]->getNumSegments(), 7);

    const float bank1[8] = { 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 1.0f };
    CConfigPage::setK24Meters (3, bank1);
    EXPECT_EQ (meters[8]->getLevel(), -4.0);
    EXPECT_EQ (meters[15]->getLevel(), 1.0);
    EXPECT_EQ (meters[0]->getLevel(), 1.0) << "bank 1 leaves channels 1 to 8 alone";

    // Without a page nothing happens.
    configPage = nullptr;
    CConfigPage::setK24Meters (0, bank1);
    EXPECT_EQ (meters[0]->getLevel(), 1.0);
}

TEST_F (CConfigPageTest, PaintsPanelLinesAndPictures)
{
    const auto grey = juce::Colour (0xff666767), ground = juce::Colour (0xff161616);

    page->setModel (9);
    auto shot = snapshot();
    EXPECT_TRUE (uitest::near (shot.getPixelAt (144, 300), grey));
    EXPECT_TRUE (uitest::near (shot.getPixelAt (433, 450), grey));
    EXPECT_TRUE (uitest::near (shot.getPixelAt (20, 181), grey));
    EXPECT_TRUE (uitest::near (shot.getPixelAt (576, 450), ground)) << "no model column for model 9";
    EXPECT_TRUE (uitest::near (shot.getPixelAt (20, 95), ground)) << "no meter panel while analog";
    // Model 9 in position 2 draws its floor picture lower down.
    root->position->spkpos->setIndex (2);
    shot = snapshot();
    auto floor = matchPicture (shot, CConfigPage::positionPicture (9, 2), 456, 104, 576);
    ASSERT_GT (floor.second, 50);
    EXPECT_GT (floor.first, floor.second * 9 / 10);

    page->setModel (0);
    selectSource (2);
    root->model->model->setIndex (1);
    shot = snapshot();
    EXPECT_TRUE (uitest::near (shot.getPixelAt (576, 450), grey));
    EXPECT_TRUE (uitest::near (shot.getPixelAt (22, 95), grey)) << "meter panel";
    EXPECT_TRUE (uitest::near (shot.getPixelAt (29, 80), ground)) << "meter back";
    auto speaker = matchPicture (shot, CConfigPage::speakerPicture (0, 1), 584, 50, 720);
    ASSERT_GT (speaker.second, 50);
    EXPECT_GT (speaker.first, speaker.second * 9 / 10) << "voicing 1 of model 0 shows its own speaker";

    // A speaker the table does not know shows no pictures at all.
    page->setModel (39);
    shot = snapshot();
    EXPECT_TRUE (uitest::near (shot.getPixelAt (500, 100), ground));
    EXPECT_TRUE (uitest::near (shot.getPixelAt (650, 100), ground));
}
