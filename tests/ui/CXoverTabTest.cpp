// The crossover tab on its own tree: presets per model, the user frequency, the phase buttons, values
// from the tree, the curve it designs and what it draws. Sent messages are recorded at the model's sink.
#include "support/Screenshot.h"
#include "UiTestImages.h"
#include "support/MessagePump.h"

#include "model/Croot.h"
#include "model/Globals.h"
#include "model/OscPacket.h"
#include "ui/CXoverTab.h"
#include "ui/EqMath.h"

#include <osc/OscReceivedElements.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct XoverMessage { int type; float freq; int pol; };

/** Takes the place of the link and keeps every "/xover" message. */
struct XoverSink : OscMessageSink
{
    void enqueue (OscPacket* message) override
    {
        std::unique_ptr<OscPacket> owned (message);
        osc::ReceivedMessage m (osc::ReceivedPacket (owned->data(), (osc::osc_bundle_element_size_t) owned->size()));
        ASSERT_STREQ (m.AddressPattern(), "/xover");
        osc::int32 type = 0, pol = 0;
        float freq = 0;
        m.ArgumentStream() >> type >> freq >> pol >> osc::EndMessage;
        sent.push_back ({ (int) type, freq, (int) pol });
    }
    std::vector<XoverMessage> sent;
};

/** The crossover curve at `hz` in dB; a fourth-order Butterworth is 3.01 dB down at its corner. */
float curveDb (float hz) { return EqMath::crossoverResponseDb (hz) / 2.0f; }
constexpr float cornerDb = -3.0103f;

class CXoverTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedFlag = subwooferFlag;
        root.buildPaths();
        rootCell = &root;
        oscMessageSink = &sink;
    }

    void TearDown() override
    {
        tab.reset();
        oscMessageSink = nullptr;
        rootCell = nullptr;
        subwooferFlag = savedFlag;
    }

    void makeTab() { tab = std::make_unique<CXoverTab>(); ASSERT_EQ (xoverTab, tab.get()); }

    /** Sets the flag as the Configuration page does, then the tab's model. */
    static void setModel (int model, bool subwoofer) { subwooferFlag = subwoofer; CXoverTab::setModel (model); }

    /** A value from the speaker or a preset: the node changes and broadcasts. */
    void fromSpeaker (int type, int freqStep = 200, int pol = 0)
    {
        root.xover->type->setIndex (type);
        root.xover->freq->setIndex (freqStep);
        root.xover->pol->setIndex (pol);
        root.xover->sendChangeMessage();
        testpump::pumpFor (20);
    }

    static void click (juce::Button* b) { b->triggerClick(); testpump::pumpFor (20); }

    template <typename T>
    T* child (const char* name, int nth = 0)
    {
        for (auto* c : tab->getChildren())
            if (auto* t = dynamic_cast<T*> (c); t != nullptr && t->getName() == name && nth-- == 0)
                return t;
        return nullptr;
    }

    /** Preset slot 0 to 5, or 6 for "User". */
    juce::TextButton* preset (int slot) { return child<juce::TextButton> ("xover Button", slot); }
    juce::TextButton* phase() { return child<juce::TextButton> ("phase"); }
    juce::ToggleButton* phase0() { return child<juce::ToggleButton> ("phase0"); }
    juce::ToggleButton* phase180() { return child<juce::ToggleButton> ("phase180"); }
    juce::Slider* knob() { return child<juce::Slider> ("sine wave frequency"); }
    juce::TextEditor* field() { return child<juce::TextEditor> ("freq text editor"); }

    int visiblePresets() { int n = 0; for (int k = 0; k < 6; ++k) n += preset (k)->isVisible(); return n; }

    /** The enabled state of the user widgets, which always change together. */
    bool userWidgetsEnabled()
    {
        const bool on = knob()->isEnabled();
        for (juce::Component* c : { (juce::Component*) field(), (juce::Component*) phase(),
                                    (juce::Component*) phase0(), (juce::Component*) phase180() })
            EXPECT_EQ (c->isEnabled(), on);
        return on;
    }

    bool savedFlag = false;
    Croot root;
    XoverSink sink;
    std::unique_ptr<CXoverTab> tab;
};
} // namespace

TEST_F (CXoverTabTest, AtStartUpOnlyUserIsOfferedAndStoredAsTypeZero)
{
    root.xover->type->setIndex (2);
    makeTab();
    EXPECT_EQ (tab->getBounds(), juce::Rectangle<int> (0, 0, 720, 260));
    EXPECT_TRUE (preset (2)->getToggleState()) << "the stored slot is lit at construction";
    EXPECT_TRUE (phase0()->getToggleState());
    EXPECT_TRUE (field()->getText().isEmpty());

    setModel (40, false);
    EXPECT_EQ (visiblePresets(), 0);
    EXPECT_TRUE (preset (6)->isVisible());

    // The built-in preset's type 0 lights "User" while N is 0; nothing is echoed.
    fromSpeaker (0);
    EXPECT_TRUE (preset (6)->getToggleState());
    EXPECT_TRUE (userWidgetsEnabled());
    EXPECT_TRUE (sink.sent.empty());

    click (preset (6));
    ASSERT_EQ (sink.sent.size(), 1u);
    EXPECT_EQ (sink.sent[0].type, 0);
}

TEST_F (CXoverTabTest, PresetLabelsCountsColumnsAndKnobRangeFollowTheModel)
{
    makeTab();

    setModel (4, true);
    EXPECT_EQ (visiblePresets(), 5);
    EXPECT_EQ (preset (0)->getButtonText(), "LP 130 Hz");
    EXPECT_EQ (preset (1)->getButtonText(), "Ka8 ");
    EXPECT_EQ (preset (1)->getPosition(), juce::Point<int> (126, 16));

    setModel (10, true);
    EXPECT_EQ (tab->getPresetCount(), 4);
    EXPECT_EQ (preset (1)->getPosition(), juce::Point<int> (16, 46));
    EXPECT_EQ (preset (2)->getPosition(), juce::Point<int> (126, 16));

    setModel (15, true);
    EXPECT_EQ (visiblePresets(), 6);
    EXPECT_EQ (preset (5)->getButtonText(), "Vel152");
    EXPECT_EQ (knob()->getMaximum(), 317.0);

    setModel (13, false);
    EXPECT_EQ (tab->getPresetCount(), 5);
    EXPECT_EQ (preset (2)->getPosition(), juce::Point<int> (16, 76));
    EXPECT_EQ (preset (3)->getPosition(), juce::Point<int> (126, 16));
    EXPECT_EQ (knob()->getMinimum(), 117.0);

    // No speaker model: the count of the model before, the top texts over the first three.
    setModel (15, true);
    setModel (39, false);
    EXPECT_EQ (tab->getPresetCount(), 6);
    EXPECT_EQ (preset (1)->getButtonText(), "HP 120 Hz");
    EXPECT_EQ (preset (3)->getButtonText(), "Vel102");
    EXPECT_EQ (knob()->getMaximum(), 600.0);
}

TEST_F (CXoverTabTest, PresetCurvesUseTheModelsCornerAndOffset)
{
    makeTab();

    setModel (4, true); // every preset a 130 Hz low-pass with its own offset
    const float offsets[] = { 0, -7, -4, 0, 0 };
    for (int k = 0; k < 5; ++k)
    {
        fromSpeaker (k);
        EXPECT_NEAR (curveDb (130.0f), cornerDb + offsets[k], 0.05f) << k;
        EXPECT_LT (curveDb (1000.0f), offsets[k] - 60.0f) << k;
    }

    setModel (5, true);
    EXPECT_NEAR (curveDb (100.0f), cornerDb, 0.05f) << "a model change redesigns the curve";

    setModel (15, true);
    fromSpeaker (2);
    EXPECT_NEAR (curveDb (120.0f), cornerDb - 9.0f, 0.05f);

    setModel (0, false); // tops: "None" is flat, presets are high-passes
    fromSpeaker (0);
    EXPECT_NEAR (curveDb (25.0f), 0.0f, 1e-4f);
    fromSpeaker (1);
    EXPECT_NEAR (curveDb (115.0f), cornerDb, 0.05f);
    EXPECT_LT (curveDb (25.0f), -40.0f);
}

TEST_F (CXoverTabTest, UserStoresThePresetCountAndDrawsTheUserFrequencyWithoutOffset)
{
    makeTab();
    setModel (10, true);
    fromSpeaker (2);
    EXPECT_FALSE (userWidgetsEnabled());

    click (preset (6));
    EXPECT_EQ (root.xover->type->getIndex(), 4);
    EXPECT_TRUE (userWidgetsEnabled());
    knob()->setValue (200.0, juce::sendNotificationSync);
    EXPECT_NEAR (root.xover->freq->getFloat(), 100.0f, 0.05f);
    EXPECT_EQ (field()->getText().trim(), "100.0");
    EXPECT_NEAR (curveDb (100.0f), cornerDb, 0.05f);

    setModel (29, true);
    click (preset (6));
    EXPECT_EQ (sink.sent.back().type, 2);

    // A stored type beyond the presets lights its hidden button, or "User" for 6, but never enables
    // the user widgets; the curve follows the user frequency.
    fromSpeaker (4, 300);
    EXPECT_TRUE (preset (4)->getToggleState());
    EXPECT_FALSE (userWidgetsEnabled());
    EXPECT_NEAR (curveDb (root.xover->freq->getFloat()), cornerDb, 0.05f);
    fromSpeaker (6, 300);
    EXPECT_TRUE (preset (6)->getToggleState());
    EXPECT_FALSE (userWidgetsEnabled());
}

TEST_F (CXoverTabTest, EachClickSendsTheNodeOnceWithTheNewValue)
{
    makeTab();
    setModel (12, false);
    fromSpeaker (1);

    // The button a radio click switches off must not send its own slot first.
    click (preset (3));
    ASSERT_EQ (sink.sent.size(), 1u);
    EXPECT_EQ (sink.sent[0].type, 3);
    EXPECT_FALSE (preset (1)->getToggleState());

    click (preset (6));
    click (phase());
    EXPECT_EQ (root.xover->pol->getIndex(), 180);
    EXPECT_TRUE (phase180()->getToggleState());
    EXPECT_FALSE (phase0()->getToggleState());
    EXPECT_EQ (sink.sent.back().pol, 180);

    sink.sent.clear();
    click (phase0());
    ASSERT_EQ (sink.sent.size(), 1u);
    EXPECT_EQ (sink.sent[0].pol, 0);
    EXPECT_FALSE (phase()->getToggleState());

    // From the tree: any phase but 0 lights "180 deg"; only 180 lights "Phase".
    fromSpeaker (5, 200, 90);
    EXPECT_TRUE (phase180()->getToggleState());
    EXPECT_FALSE (phase()->getToggleState());
}

TEST_F (CXoverTabTest, ModelChangeKeepsTheStoredFrequencyAndClampsOnlyTheKnob)
{
    makeTab();
    setModel (12, false);
    fromSpeaker (5, 400); // User at 200 Hz
    EXPECT_EQ (knob()->getValue(), 400.0);

    setModel (15, true);
    EXPECT_EQ (knob()->getValue(), 317.0);
    EXPECT_EQ (root.xover->freq->getIndex(), 400);
    EXPECT_TRUE (preset (5)->getToggleState()) << "the stored type 5 is the sixth preset of the new model";
    EXPECT_TRUE (sink.sent.empty());
}

TEST_F (CXoverTabTest, ModelChangeLightsTheButtonOfTheStoredTypeUnderTheNewModel)
{
    struct Row { int type; int fromModel; bool fromSub; int toModel; bool toSub; int litSlot; };
    const Row rows[] = {
        { 0, 40, false, 12, false, 0 }, // the start-up "User" (type 0 while N is 0) is "None" of model 12
        { 5, 12, false, 15, true, 5 },  // "User" of a top with five presets is "Vel152" of that subwoofer
        { 3, 12, false, 23, false, 6 }, // "Vel115" is "User" of a top with three presets
        { 2, 23, true, 12, false, 2 },  // "User" of a subwoofer with two presets is "HP 100 Hz"
    };

    makeTab();
    for (const auto& r : rows)
    {
        setModel (r.fromModel, r.fromSub);
        fromSpeaker (r.type);
        sink.sent.clear();

        setModel (r.toModel, r.toSub);
        EXPECT_TRUE (preset (r.litSlot)->getToggleState()) << r.type << " under model " << r.toModel;
        EXPECT_EQ (userWidgetsEnabled(), r.litSlot == CXoverTab::userSlot) << r.type << " under model " << r.toModel;
        EXPECT_EQ (root.xover->type->getIndex(), r.type) << "the node stays as it is";
        EXPECT_TRUE (sink.sent.empty());
    }
}

TEST_F (CXoverTabTest, FrequencyFieldTakesTypedTextOnReturnOnly)
{
    makeTab();
    setModel (12, false);
    fromSpeaker (5);
    auto* editor = field();

    auto type = [&] (const char* text) { editor->selectAll(); editor->insertTextAtCaret (text); };
    type ("150");
    editor->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    testpump::pumpFor (20);
    ASSERT_EQ (sink.sent.size(), 1u);
    EXPECT_NEAR (sink.sent[0].freq, 150.0f, 0.5f);
    EXPECT_EQ (knob()->getValue(), (double) root.xover->freq->getIndex());
    EXPECT_NEAR (curveDb (root.xover->freq->getFloat()), cornerDb, 0.05f);

    type ("1k2"); // the engineering 'k', clamped to the top
    editor->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    testpump::pumpFor (20);
    EXPECT_EQ (editor->getText().trim(), "400.0");

    // Leaving with unconfirmed typing restores the stored value and still sends once.
    sink.sent.clear();
    type ("77");
    static_cast<juce::Component&> (*editor).focusLost (juce::Component::focusChangedDirectly);
    testpump::pumpFor (20);
    EXPECT_EQ (editor->getText().trim(), "400.0");
    EXPECT_EQ (root.xover->freq->getIndex(), 600);
    EXPECT_EQ (sink.sent.size(), 1u);
}

TEST_F (CXoverTabTest, DrawsTheColumnLinesAndThePairedSpeaker)
{
    makeTab();
    setModel (12, false);
    fromSpeaker (0);
    const auto plain = uitest::render (*tab);
    EXPECT_EQ (uitest::argb (plain, 60, 200), 0xff161616u);
    for (int x : { 110, 111, 290, 291 })
        EXPECT_EQ (uitest::argb (plain, x, 250), 0xff666767u) << x;

    fromSpeaker (3); // "Vel115": light column and speaker below the buttons
    const auto paired = uitest::render (*tab);
    int changed = 0;
    for (int y = 80; y < 260; y += 2)
        for (int x = 131; x < 290; x += 2)
            changed += uitest::argb (paired, x, y) != uitest::argb (plain, x, y) ? 1 : 0;
    EXPECT_GT (changed, 500);

    EXPECT_TRUE (testshot::keep (paired, "xover_tab.png"));
}

TEST_F (CXoverTabTest, NothingHappensAfterTheTabOrItsTreeIsGone)
{
    makeTab();
    tab.reset();
    EXPECT_EQ (xoverTab, nullptr);
    CXoverTab::setModel (12);
    fromSpeaker (1); // a change message to no listener

    makeTab();
    rootCell = nullptr;
    click (preset (6));
    EXPECT_TRUE (sink.sent.empty());
}
