// The Setup page: offline models and model codes, renaming, the lock, the speaker presets and the
// values the link forwards, driven through the real editor and the simulated speaker.
#include "EditorTestSupport.h"

#include "link/MyMessage.h"
#include "sim/OscCodec.h"
#include "ui/CConfigPage.h"
#include "ui/led_clip.h"
#include "ui/led_meter.h"

#include <limits>

using namespace editortest;

namespace
{
class CSetupPageTest : public EditorFixture
{
protected:
    char speakerName[Cnode::textBufferSize] = {};

    juce::String treeSpeakerName()
    {
        root->devname->speakername->toText (speakerName);
        return juce::String (speakerName);
    }

    /** Selects the slot button `number` as a click does. */
    void selectSlot (int number) { click (widgets->slot (number)); }

    /** The Configuration page's first slider of that name whose range starts at `minimum`. */
    static juce::Slider* firstKnob (const juce::String& name, double minimum)
    {
        for (auto* child : configPage->getChildren())
            if (auto* slider = dynamic_cast<juce::Slider*> (child))
                if (slider->getName() == name && slider->getMinimum() == minimum)
                    return slider;
        return nullptr;
    }
};
} // namespace

//==============================================================================
TEST_F (CSetupPageTest, OfflineModelListLeavesOutTheBracketedModels)
{
    auto* box = widgets->offlineModels();
    ASSERT_NE (box, nullptr);
    ASSERT_EQ (box->getNumItems(), 37);
    EXPECT_EQ (box->getItemText (0), "Ka8");
    EXPECT_EQ (box->getItemId (0), 1);
    EXPECT_EQ (box->getItemText (6), "Ptx122-AN");
    EXPECT_EQ (box->getItemId (6), 9);
    EXPECT_EQ (box->getItemText (36), "Dmr218B-AN-WH");
    EXPECT_EQ (box->getItemId (36), 39);
    EXPECT_EQ (box->getTextWhenNothingSelected(), "- select model -");

    // The user picks a model: the editor follows it and the speaker name is forgotten.
    root->devname->speakername->fromText ("Old");
    box->setSelectedId (13, juce::sendNotificationSync);
    EXPECT_EQ (page->currentModel, 12);
    EXPECT_EQ (page->getModelCode(), "12");
    EXPECT_EQ (editor->getModelIndex(), 12);
    EXPECT_EQ (title(), "VARENTO Edit [offline: Vel 102]");
    EXPECT_EQ (treeSpeakerName(), "");
    EXPECT_TRUE (page->offline);
}

TEST_F (CSetupPageTest, ModelCodesFromPresetFiles)
{
    EXPECT_EQ (CSetupPage::parseModelCode ("  +12abc"), 12);
    EXPECT_EQ (CSetupPage::parseModelCode ("-1"), -1);
    EXPECT_EQ (CSetupPage::parseModelCode ("x5"), 0);
    EXPECT_GT (CSetupPage::parseModelCode ("99999999999999999999"), 38);

    EXPECT_TRUE (page->setModelFromCode ("38"));
    EXPECT_EQ (page->currentModel, 38);
    EXPECT_EQ (widgets->offlineModels()->getSelectedId(), 39);

    for (auto* refused : { "39", "-1", "4000000000", "99999999999999999999" })
    {
        EXPECT_FALSE (page->setModelFromCode (refused)) << refused;
        EXPECT_EQ (page->currentModel, 38) << refused;
        EXPECT_EQ (editor->getModelIndex(), 38) << refused;
    }

    // No digits: model 0.
    EXPECT_TRUE (page->setModelFromCode ("Ka8"));
    EXPECT_EQ (page->currentModel, 0);
    EXPECT_EQ (title(), "VARENTO Edit [offline: Ka 8]");

    // Models 6 and 7 are taken, though the list has no item for them.
    EXPECT_TRUE (page->setModelFromCode ("6"));
    EXPECT_EQ (page->currentModel, 6);
    EXPECT_EQ (editor->getModelIndex(), 6);
    EXPECT_EQ (widgets->offlineModels()->getSelectedId(), 0);
    EXPECT_EQ (widgets->offlineModels()->getText(), "");
}

TEST_F (CSetupPageTest, GoingOfflineWhileOfflineStillResetsTitleAndSlots)
{
    page->setModelFromCode ("12");
    page->setSlotName (3, "Kept?");
    page->goOffline();
    EXPECT_EQ (title(), "VARENTO Edit [not connected!]");
    EXPECT_EQ (widgets->slotName (3)->getText(), "");
    EXPECT_EQ (page->currentModel, 12);
}

TEST_F (CSetupPageTest, EditorsAcceptOnlyWhatTheSpeakerTakes)
{
    auto* name = widgets->deviceName();
    name->setText ({});
    name->insertTextAtCaret ("Stage/Left-1234567");
    EXPECT_EQ (name->getText(), "StageLeft-");

    auto* lockCode = widgets->lockCode();
    lockCode->setText ({});
    lockCode->insertTextAtCaret ("abcdef");
    EXPECT_EQ (lockCode->getText(), "abcd");

    auto* presetName = widgets->presetName();
    presetName->insertTextAtCaret ("A very long preset name");
    EXPECT_EQ (presetName->getText().length(), 10);

    EXPECT_TRUE (widgets->slotName (0)->isReadOnly());
    EXPECT_EQ (widgets->slotName (0)->getName(), "preset name");
    EXPECT_EQ (widgets->connect()->getName(), "sync to speaker");
    EXPECT_EQ (widgets->search()->getName(), "search USB");
    EXPECT_EQ (widgets->slot (20)->getBounds(), juce::Rectangle<int> (532, 202 + 24 * 9, 144, 20));
}

//==============================================================================
TEST_F (CSetupPageTest, RenameShowsTheModelCodeUntilTheSpeakersEcho)
{
    connect (12);
    ASSERT_FALSE (page->offline);

    widgets->deviceName()->setText ("Stage Left");
    page->renameSpeaker();

    // Straight after the pause the editor shows the model code; the echo is still waiting.
    EXPECT_EQ (widgets->deviceName()->getText(), "Vel102-AN");
    EXPECT_EQ (widgets->modelLabel()->getText(), "Vel102-AN");
    EXPECT_EQ (treeSpeakerName(), "Stage Left");

    ASSERT_TRUE (pumpUntil ([this] { return widgets->deviceName()->getText() == "Stage Left"; }));
    EXPECT_EQ (speaker->deviceName(), "Stage Left");

    // Return in the editor renames too; an empty name is sent as an empty string. (The pause keeps the
    // echo from being taken in time, so the link may well have sent "Stage Left" twice.)
    widgets->deviceName()->setText ({});
    widgets->deviceName()->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    const sim::OscArgs emptyName { std::string() };
    EXPECT_TRUE (pumpUntil ([&] { return valuesReceived ("/devname").back() == emptyName; }))
        << valuesReceived ("/devname").size();
}

TEST_F (CSetupPageTest, SpeakerNameThatIsNotUtf8ShowsOneCharacterPerByte)
{
    const std::pair<const char*, juce::String> names[] = {
        { "\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80", juce::String::repeatedString (juce::String::charToString (0x80), 10) },
        { "B\xc3\xbchne", juce::String (juce::CharPointer_UTF8 ("B\xc3\xbchne")) },
        { "ab\xc3", juce::String ("ab") + juce::String::charToString (0xc3) },
    };

    for (auto& name : names)
    {
        root->devname->speakername->fromText (name.first);
        root->devname->sendChangeMessage();
        EXPECT_TRUE (pumpUntil ([&] { return widgets->deviceName()->getText() == name.second; }))
            << name.first << " shows as " << widgets->deviceName()->getText();
    }
}

TEST_F (CSetupPageTest, LockCodesTravelAsFourBytesFirstCharacterLowest)
{
    EXPECT_EQ ((uint32_t) CSetupPage::lockCodeFromText ("abcd"), 0x64636261u);
    EXPECT_EQ ((uint32_t) CSetupPage::lockCodeFromText (juce::String::fromUTF8 ("\xc3\xa4" "bc")), 0x6362a4c3u);
    EXPECT_EQ (CSetupPage::textFromLockCode (0x64636261), "abcd");
    EXPECT_EQ (CSetupPage::textFromLockCode (0x00420041), "A");   // zero second byte: one character
    EXPECT_EQ (CSetupPage::textFromLockCode ((int) 0xffa4c3e2u).length(), 4);

    connect (12);
    ASSERT_FALSE (page->offline);

    widgets->lockCode()->setText ("abcd");
    click (widgets->lock());
    ASSERT_TRUE (pumpUntil ([this] { return widgets->lock()->getToggleState(); }));
    EXPECT_EQ ((uint32_t) speaker->receivedWithAddress ("/lock").back().intArg (0), 0x64636261u);
    EXPECT_EQ ((uint32_t) speaker->lockCode(), 0x64636261u);
    EXPECT_FALSE (widgets->unlock()->getToggleState());

    // Three characters send nothing.
    widgets->lockCode()->setText ("abc");
    click (widgets->unlock());
    waitForQuiet();
    EXPECT_EQ (speaker->receivedCount ("/unlock"), 0u);

    // A wrong code: the speaker stays locked and says so.
    widgets->lockCode()->setText ("wxyz");
    click (widgets->unlock());
    ASSERT_TRUE (pumpUntil ([this] { return speaker->receivedCount ("/unlock") >= 1; }));
    waitForQuiet();
    EXPECT_EQ (widgets->lockCode()->getText(), "abcd");
    EXPECT_TRUE (widgets->lock()->getToggleState());

    widgets->lockCode()->setText ("abcd");
    click (widgets->unlock());
    ASSERT_TRUE (pumpUntil ([this] { return widgets->unlock()->getToggleState(); }));
    EXPECT_EQ (widgets->lockCode()->getText(), "");
    EXPECT_EQ (speaker->lockCode(), 0);
}

TEST_F (CSetupPageTest, StoreNeverWritesIntoTheFirstSlot)
{
    connect (12);
    ASSERT_FALSE (page->offline);
    widgets->presetName()->setText ("Mine");

    click (widgets->store());
    ASSERT_EQ (dialogs.count ("Save Preset to Speaker..."), 1);
    EXPECT_EQ (dialogs.last ("Save Preset to Speaker...")->message, "INIT_DATA is read-only!");
    EXPECT_EQ (dialogs.last ("Save Preset to Speaker...")->button, "Ok");

    selectSlot (1);
    EXPECT_EQ (page->selectedSlot, 0);
    click (widgets->store());
    EXPECT_EQ (dialogs.count ("Save Preset to Speaker..."), 2);
    waitForQuiet();
    EXPECT_EQ (speaker->receivedCount ("/preset/save"), 0u);

    // Slot button "2" is slot 1, the speaker's preset 2.
    selectSlot (2);
    root->delay->del->setFromFloat (42.0f);
    oscCom->sendNode (root->delay);
    click (widgets->store());
    ASSERT_TRUE (pumpUntil ([this] { return widgets->slotName (1)->getText() == "Mine"; }));
    EXPECT_EQ (valuesReceived ("/preset/save"), (std::vector<sim::OscArgs> { { 2, 0, std::string ("Mine") } }));
    EXPECT_EQ (speaker->slotName (2), "Mine");
    EXPECT_EQ (dialogs.count ("Save Preset to Speaker..."), 2);

    // Recall another slot, then this one: the tree follows the speaker's stored values.
    root->delay->del->setFromFloat (7.0f);
    oscCom->sendNode (root->delay);
    waitForQuiet();
    selectSlot (2);
    widgets->fileName()->setText ("some.vrs");
    click (widgets->recall());
    ASSERT_TRUE (pumpUntil ([this] { return root->delay->del->getFloat() == 42.0f; }));
    EXPECT_EQ (valuesReceived ("/preset/load"), (std::vector<sim::OscArgs> { { 2, 0, std::string ("Mine") } }));
    EXPECT_EQ (widgets->presetName()->getText(), "Mine");
    EXPECT_EQ (widgets->fileName()->getText(), "");
}

TEST_F (CSetupPageTest, StoreCutsANameThatDoesNotFitOneMessage)
{
    connect (12);
    ASSERT_FALSE (page->offline);
    selectSlot (3);

    // {Preset Name, name sent}: a loaded file's long title; ten "€", 30 bytes, cut to nine (27 bytes).
    const auto euro = juce::String::fromUTF8 ("€");
    const std::pair<juce::String, juce::String> names[] = {
        { "A title from a file", "A title fr" },
        { juce::String::repeatedString (euro, 10), juce::String::repeatedString (euro, 9) } };

    // The names the speaker received, a name the link sent again counted once.
    const auto namesSaved = [this]
    {
        juce::StringArray saved;
        for (auto& args : valuesReceived ("/preset/save"))
            saved.add (juce::String::fromUTF8 (std::get<std::string> (args.at (2)).c_str()));
        return saved;
    };

    for (size_t i = 0; i < std::size (names); ++i)
    {
        widgets->presetName()->setText (names[i].first);
        click (widgets->store());
        ASSERT_TRUE (pumpUntil ([&] { return (size_t) namesSaved().size() > i; })) << i;
        EXPECT_EQ (namesSaved()[(int) i], names[i].second);
        waitForQuiet();   // the Store is acknowledged: the next one cannot take its place in the queue
    }
}

TEST_F (CSetupPageTest, RecallSendsTheNameAsShownAndNeedsASlot)
{
    connect (12);
    ASSERT_FALSE (page->offline);

    click (widgets->recall());
    waitForQuiet();
    EXPECT_EQ (speaker->receivedCount ("/preset/load"), 0u);

    page->setSlotName (4, "");
    selectSlot (5);
    click (widgets->recall());
    ASSERT_TRUE (pumpUntil ([this] { return speaker->receivedCount ("/preset/load") >= 1; }));
    EXPECT_EQ (valuesReceived ("/preset/load").front(), (sim::OscArgs { 5, 0, std::string() }));
}

TEST_F (CSetupPageTest, PresetRepliesAndTheSelectionAcrossConnections)
{
    connect (12);
    ASSERT_FALSE (page->offline);

    // A reply for no slot of the twenty changes no slot name but still shows the name.
    const auto names = [this]
    {
        juce::StringArray a;
        for (int k = 0; k < CSetupPage::numSlots; ++k)
            a.add (widgets->slotName (k)->getText());
        return a;
    };
    const auto before = names();
    page->presetSaved (CSetupPage::numSlots, "Nowhere");
    page->presetSaved (-1, "Nowhere");
    EXPECT_EQ (names(), before);
    EXPECT_EQ (widgets->presetName()->getText(), "Nowhere");

    // The selection survives going offline and online again.
    selectSlot (9);
    click (widgets->connect());
    ASSERT_TRUE (page->offline);
    EXPECT_EQ (page->selectedSlot, 8);

    // Offline, the speaker operations do nothing and show nothing.
    widgets->presetName()->setText ("x");
    page->storeSpeakerPreset();
    page->recallSpeakerPreset();
    widgets->lockCode()->setText ("abcd");
    page->sendLockCode (true);
    page->renameSpeaker();
    EXPECT_EQ (dialogs.count ("Save Preset to Speaker..."), 0);
    EXPECT_EQ (oscCom->queuedCount(), 0);

    click (widgets->connect());
    ASSERT_TRUE (pumpUntil ([this] { return ! page->offline; }));
    EXPECT_EQ (page->selectedSlot, 8);
    EXPECT_TRUE (widgets->slot (9)->getToggleState());

    // Nothing of them reached the speaker, then or once online again: the link sends in order, so
    // whatever had been queued is in when the link is settled. "/devname" went out as requests only.
    settle();
    EXPECT_EQ (speaker->receivedCount ("/preset/save") + speaker->receivedCount ("/preset/load")
                   + speaker->receivedCount ("/lock"),
               0u);
    EXPECT_EQ (valuesReceived ("/devname"), std::vector<sim::OscArgs> { {} });
}

TEST_F (CSetupPageTest, MetersAndLedsFollowTheSpeaker)
{
    speaker->setMeters (1.0f, 0.2f, 0.7f);
    connect (12);
    ASSERT_FALSE (page->offline);
    ASSERT_TRUE (pumpUntil ([this] { return editor->getInputMeter().getLevel() == 1.0; }));
    EXPECT_EQ (editor->getOutputMeter().getLevel(), (double) led_meter::dbFromLinear (0.7f));

    speaker->sendPeakLimit (1, 0, 3);
    ASSERT_TRUE (pumpUntil ([this] { return editor->getClipLed().getState(); }));
    EXPECT_TRUE (editor->getLimitLed().getState());
    speaker->sendPeakLimit (0, 0, 0);
    ASSERT_TRUE (pumpUntil ([this] { return ! editor->getClipLed().getState(); }));
    EXPECT_FALSE (editor->getLimitLed().getState());

    // Going offline darkens the meters.
    click (widgets->connect());
    EXPECT_EQ (editor->getInputMeter().getLevel(), -60.0);
}

TEST_F (CSetupPageTest, SpeakerAlertsGoThroughTheDialogs)
{
    connect (12);
    ASSERT_FALSE (page->offline);
    speaker->sendAlert ("Overheat");
    ASSERT_TRUE (pumpUntil ([this] { return dialogs.count ("Alert message from speaker:") == 1; }));
    EXPECT_EQ (dialogs.last ("Alert message from speaker:")->message, "Overheat");
    EXPECT_EQ (dialogs.last ("Alert message from speaker:")->button, "Ok");
    // The scripted box closes at once, so the same text shows again.
    EXPECT_TRUE (lastAlertText.isEmpty());
}

TEST_F (CSetupPageTest, ReplyFloodsOpenOneBoxAtATime)
{
    connect (12);
    ASSERT_FALSE (page->offline);
    dialogs.keepAsyncBoxesOpen = true;

    // What the transport posts for one report from the speaker.
    auto reply = [] (const std::string& address, const sim::OscArgs& args)
    {
        const auto bytes = sim::OscCodec::encode (address, args);
        juce::MemoryBlock block (MyMessage::receiveBlockSize, true);
        MyMessage::setMessageLength (static_cast<uint8_t*> (block.getData()), (uint32_t) bytes.size());
        block.copyFrom (bytes.data(), (int) MyMessage::messageOffset, bytes.size());
        return new MyMessage (oscCom->usbTag, block);
    };
    auto info = [reply] (const char* firmware)
    {
        return [reply, firmware] (int) { return reply ("/info", { std::string ("Flood"), std::string (firmware), int32_t (12) }); };
    };
    // The first text, then the second and the first in turn, or the second over and over.
    auto alerts = [reply] (const char* first, const char* second, bool alternate)
    {
        return [=] (int n)
        {
            const bool secondText = n > 0 && (! alternate || n % 2 == 1);
            return reply ("/alert", { std::string (secondText ? second : first) });
        };
    };

    const juce::String connectTitle ("Flood Speaker connected!"), firmwareTitle ("Incompatible Speaker Firmware!"),
        errorTitle ("USB connection error!"), alertTitle ("Alert message from speaker:");

    struct Flood
    {
        const char* what;
        std::function<MyMessage* (int)> message;  ///< the n-th message posted to the link
        int count;
        juce::String heldBox;                     ///< the modal box, open until the flood is delivered
        juce::String title;                       ///< the box the flood shows
        int shown;                                ///< how many of those the user sees in all
        juce::String newestAlert;                 ///< the alert text the user sees last
    };

    // In order: each row starts where the one before left the editor (the alerts need it online).
    const Flood floods[] = {
        { "alternating alerts", alerts ("Overheat", "Clip", true), 200, {}, alertTitle, 2, "Clip" },
        { "alternating alerts ending on the open box's text", alerts ("Overheat", "Clip", true), 201, {}, alertTitle, 1, "Overheat" },
        { "equal alerts behind another", alerts ("Overheat", "Clip", false), 200, {}, alertTitle, 2, "Clip" },
        { "repeated /info", info ("V2.0"), 5000, connectTitle, connectTitle, 1, {} },
        { "repeated /info, firmware refused", info ("V1.0"), 200, firmwareTitle, firmwareTitle, 1, {} },
        { "repeated connection errors", [] (int) { return new MyMessage (-1); }, 200, errorTitle, errorTitle, 1, {} },
    };

    for (auto& flood : floods)
    {
        SCOPED_TRACE (flood.what);
        dialogs.shown.clear();
        dialogs.mostOpen.clear();

        auto delivered = std::make_shared<bool> (false);
        dialogs.holdTitle = flood.heldBox;
        dialogs.releaseHeldBox = [delivered] { return *delivered; };

        for (int n = 0; n < flood.count; ++n)
            oscCom->postMessage (flood.message (n));
        juce::MessageManager::callAsync ([delivered] { *delivered = true; });
        ASSERT_TRUE (pumpUntil ([delivered] { return *delivered; }, threadWaitMs));

        // The user closes each alert box as it comes.
        for (int closed = 0; ! dialogs.openAsyncBoxes.empty() && closed <= flood.count; ++closed)
            dialogs.closeAsyncBox();

        for (auto& [title, most] : dialogs.mostOpen)
            EXPECT_LE (most, 1) << title;
        EXPECT_EQ (dialogs.count (flood.title), flood.shown);
        if (flood.newestAlert.isNotEmpty())
        {
            ASSERT_NE (dialogs.last (alertTitle), nullptr);
            EXPECT_EQ (dialogs.last (alertTitle)->message, flood.newestAlert);
        }
    }
}

TEST_F (CSetupPageTest, SpeakerGainMovesTheInputGainKnobOnly)
{
    // The Configuration page's two knobs of that name: the input gain (-60 to 0) and the trim;
    // stand-ins behind them while the page has none of its own.
    juce::Slider gainStandIn ("input Trim"), trimStandIn ("input Trim");
    gainStandIn.setRange (-60.0, 0.0, 0.5);
    trimStandIn.setRange (-30.0, 10.0, 0.5);
    configPage->addChildComponent (trimStandIn);
    configPage->addChildComponent (gainStandIn);
    juce::Slider* gainKnob = firstKnob ("input Trim", -60.0);
    juce::Slider* trimKnob = firstKnob ("input Trim", -30.0);
    ASSERT_TRUE (gainKnob != nullptr && trimKnob != nullptr);

    connect (12);
    ASSERT_FALSE (page->offline);
    waitForQuiet();   // the trim follows the speaker's "/input" values; then it stays
    trimKnob->setValue (2.0, juce::dontSendNotification);
    ASSERT_TRUE (speaker->queueMessage ("/gain", { -12.5f }));
    const bool moved = pumpUntil ([&] { return gainKnob->getValue() == -12.5; });
    const double trim = trimKnob->getValue();
    configPage->removeChildComponent (&gainStandIn);
    configPage->removeChildComponent (&trimStandIn);

    ASSERT_TRUE (moved);
    EXPECT_EQ (trim, 2.0);
    waitForQuiet();
    EXPECT_EQ (speaker->receivedCount ("/gain"), 0u);
}

TEST_F (CSetupPageTest, SpeakerGainThatIsNotANumberLeavesTheKnob)
{
    juce::Slider standIn ("input Trim");
    standIn.setRange (-60.0, 0.0, 0.5);
    configPage->addChildComponent (standIn);
    juce::Slider* knob = firstKnob ("input Trim", -60.0);
    ASSERT_NE (knob, nullptr);
    knob->setValue (-6.0, juce::dontSendNotification);

    page->showGain (std::numeric_limits<float>::quiet_NaN());
    const double afterNaN = knob->getValue();
    page->showGain (-100.0f);   // out of range: the knob keeps to its own range
    const double afterLow = knob->getValue();
    configPage->removeChildComponent (&standIn);

    EXPECT_EQ (afterNaN, -6.0);
    EXPECT_EQ (afterLow, -60.0);
}
