// The whole editor against the simulated speaker: finding and connecting it, refusing it, leaving it,
// and losing it; screenshots of the Setup page offline and online.
#include "support/Screenshot.h"
#include "EditorTestSupport.h"
#include "UiTestImages.h"

using namespace editortest;

namespace
{
class EditorConnectionTest : public EditorFixture
{
protected:
    /** Every slot name editor shows the speaker's name of its slot. */
    void expectSlotNamesFromSpeaker()
    {
        for (int k = 0; k < CSetupPage::numSlots; ++k)
        {
            ASSERT_NE (widgets->slotName (k), nullptr);
            EXPECT_EQ (widgets->slotName (k)->getText(), juce::String (speaker->slotName (k + 1))) << k;
            EXPECT_TRUE (widgets->slotName (k)->isVisible());
            EXPECT_TRUE (widgets->slot (k + 1)->isVisible());
        }
    }

    void expectOnlineWidgets (bool visible, bool logo)
    {
        for (auto* b : { widgets->store(), widgets->recall(), widgets->lock(), widgets->unlock(), widgets->rename(),
                         widgets->lcd() })
            EXPECT_EQ (b->isVisible(), visible) << b->getButtonText();
        EXPECT_EQ (widgets->deviceName()->isVisible(), visible);
        EXPECT_EQ (widgets->lockCode()->isVisible(), visible);
        EXPECT_EQ (widgets->offlineModels()->isVisible(), ! visible);
        for (auto* text : { "Off", "On", "Limiter" })
            EXPECT_EQ (widgets->logo (text)->isVisible(), logo) << text;
    }

    /** Writes a snapshot of the page into the build folder's screenshots. */
    void keepScreenshot (const char* name)
    {
        auto image = page->createComponentSnapshot (page->getLocalBounds(), true, 1.0f);
        ASSERT_TRUE (testshot::keep (image, name, testshot::folder (true)));
    }
};
} // namespace

TEST_F (EditorConnectionTest, StartsOfflineWithoutASpeaker)
{
    EXPECT_TRUE (page->offline);
    EXPECT_EQ (title(), "VARENTO Edit [not connected!]");
    EXPECT_EQ (widgets->modelLabel()->getText(), "- offline -");
    EXPECT_FALSE (widgets->connect()->isEnabled());
    EXPECT_TRUE (widgets->search()->isEnabled());
    expectOnlineWidgets (false, false);
    for (int k = 0; k < CSetupPage::numSlots; ++k)
        EXPECT_FALSE (widgets->slot (k + 1)->isVisible());

    // The built-in preset gave the tree its start-up values.
    EXPECT_EQ (root->peq->bands[1]->type->getIndex(), 4);
    EXPECT_NEAR (root->peq->bands[1]->freq->getFloat(), 10000.0f, 60.0f);

    uitest::ensureDisplay();
    keepScreenshot ("setup-offline.png");
    const auto image = uitest::render (*page);
    EXPECT_EQ (uitest::argb (image, 5, 102), 0xff666767u);
    EXPECT_EQ (uitest::argb (image, 5, 103), 0xff666767u);
    EXPECT_EQ (uitest::argb (image, 5, 104), 0xff161616u);
}

TEST_F (EditorConnectionTest, SearchAndConnectTakeTheEditorOnline)
{
    speaker->setNodeValues ("/delay", { 12.5f, int32_t (90) });
    speaker->setNodeValues ("/peq/03", { std::string ("HS12"), 1500.0f, -4.5f, 2.0f });
    speaker->setSlotName (7, "Church");

    connect (12);

    ASSERT_FALSE (page->offline);
    EXPECT_EQ (dialogs.last ("SIMSPEAKER Speaker connected!")->message, "Request all data and lose current settings?");
    EXPECT_EQ (dialogs.last ("SIMSPEAKER Speaker connected!")->button, "Connect|Cancel");
    EXPECT_TRUE (speaker->isOnline());

    // The tree holds the speaker's values.
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 12.5f);
    EXPECT_EQ (root->delay->pol->getIndex(), 90);
    EXPECT_STREQ (peqTypeNames[root->peq->bands[2]->type->getIndex()], "HS12");
    EXPECT_FLOAT_EQ (root->peq->bands[2]->gain->getFloat(), -4.5f);

    expectSlotNamesFromSpeaker();
    EXPECT_EQ (widgets->slotName (6)->getText(), "Church");

    EXPECT_EQ (title(), "VARENTO Edit [connected: Vel 102]");
    EXPECT_EQ (widgets->modelLabel()->getText(), "Vel102-AN");
    EXPECT_EQ (widgets->deviceName()->getText(), "SIMSPEAKER");  // the "/devname" reply came after
    EXPECT_TRUE (widgets->connect()->getToggleState());
    EXPECT_TRUE (widgets->connect()->isEnabled());
    EXPECT_FALSE (widgets->search()->isEnabled());
    expectOnlineWidgets (true, false);
    EXPECT_EQ (widgets->offlineModels()->getSelectedId(), 13);
    EXPECT_EQ (editor->getModelIndex(), 12);

    uitest::ensureDisplay();
    keepScreenshot ("setup-online.png");
}

TEST_F (EditorConnectionTest, FrontLogoOnlyForModelsUpToTen)
{
    connect (10);
    ASSERT_FALSE (page->offline);
    expectOnlineWidgets (true, true);
    EXPECT_EQ (title(), "VARENTO Edit [connected: Ptx 118B]");

    // The speaker's "/setup" values reach the LCD and logo buttons.
    EXPECT_TRUE (widgets->logo ("Off")->getToggleState());
    speaker->setNodeValues ("/setup", { int32_t (1), int32_t (2) });
    speaker->sendNodeValues ("/setup");
    ASSERT_TRUE (pumpUntil ([this] { return widgets->logo ("Limiter")->getToggleState(); }));
    EXPECT_TRUE (widgets->lcd()->getToggleState());
    EXPECT_FALSE (widgets->logo ("Off")->getToggleState());

    // Choosing a logo and switching the screen send "/setup" with both values, once per click: the logo
    // button that the radio group turns off sends nothing. Counted as the link takes them, for the link
    // may send one twice, or send only the newer of two.
    NodeSends handed;
    click (widgets->logo ("On"));
    EXPECT_EQ (handed.count ("/setup"), 1);
    settle();
    EXPECT_EQ (valuesReceived ("/setup"),   // the request on going online, then the click
               (std::vector<sim::OscArgs> { {}, { int32_t (1), int32_t (1) } }));

    click (widgets->lcd());
    EXPECT_EQ (handed.count ("/setup"), 2);
    settle();
    EXPECT_EQ (speaker->nodeValues ("/setup"), (sim::OscArgs { int32_t (0), int32_t (1) }));

    // Model 11: LCD Screen but no front logo.
    click (widgets->connect());
    speaker->setInfo ("SIMSPEAKER", "V2.0", 11);
    click (widgets->connect());
    ASSERT_TRUE (pumpUntil ([this] { return ! page->offline; }));
    waitForQuiet();
    expectOnlineWidgets (true, false);
}

TEST_F (EditorConnectionTest, RefusedFirmwareKeepsItOffline)
{
    connect (12, "V1.6");

    EXPECT_TRUE (page->offline);
    ASSERT_EQ (dialogs.count ("Incompatible Speaker Firmware!"), 1);
    EXPECT_EQ (dialogs.last ("Incompatible Speaker Firmware!")->message, "Please update to latest version");
    EXPECT_FALSE (speaker->isOnline());
    EXPECT_EQ (title(), "VARENTO Edit [not connected!]");
    // The model is shown, and Connect can search again while the device is open.
    EXPECT_EQ (widgets->modelLabel()->getText(), "Vel102-AN");
    EXPECT_TRUE (widgets->connect()->isEnabled());
    expectOnlineWidgets (false, false);
}

TEST_F (EditorConnectionTest, CancelledConnectAndUnknownModelStayOffline)
{
    dialogs.connectAnswer = false;
    speaker->setInfo ("SIMSPEAKER", "V2.0", 12);
    click (widgets->search());
    host.plug (speaker);
    ASSERT_TRUE (pumpUntil ([this] { return dialogs.count ("SIMSPEAKER Speaker connected!") > 0; }, threadWaitMs));
    EXPECT_TRUE (page->offline);   // the answer is acted on as the question returns
    EXPECT_EQ (widgets->modelLabel()->getText(), "- offline -");

    // A speaker whose model the table does not name (or a nonsense index) is shown but not taken online.
    dialogs.connectAnswer = true;
    for (int model : { 39, 1000, -3 })
    {
        speaker->setInfo ("SIMSPEAKER", "V2.0", model);
        const int asked = dialogs.count ("SIMSPEAKER Speaker connected!");
        click (widgets->search());
        ASSERT_TRUE (pumpUntil ([&] { return dialogs.count ("SIMSPEAKER Speaker connected!") > asked; },
                                threadWaitMs));
        EXPECT_TRUE (page->offline) << model;
        EXPECT_EQ (widgets->modelLabel()->getText(), "---") << model;
        EXPECT_EQ (title(), "VARENTO Edit [not connected!]") << model;
    }
}

TEST_F (EditorConnectionTest, ConnectWhileOnlineGoesOffline)
{
    connect (12);
    ASSERT_FALSE (page->offline);
    root->delay->del->setFromFloat (3.0f);

    click (widgets->connect());

    EXPECT_TRUE (page->offline);
    EXPECT_FALSE (oscCom->online.load());
    EXPECT_EQ (title(), "VARENTO Edit [not connected!]");
    EXPECT_FALSE (widgets->connect()->getToggleState());
    EXPECT_TRUE (widgets->connect()->isEnabled());
    EXPECT_TRUE (widgets->search()->isEnabled());
    EXPECT_EQ (widgets->modelLabel()->getText(), "Vel102-AN");
    expectOnlineWidgets (false, false);
    for (int k = 0; k < CSetupPage::numSlots; ++k)
        EXPECT_TRUE (widgets->slotName (k)->getText().isEmpty());
    ASSERT_TRUE (pumpUntil ([this] { return ! speaker->isOnline(); }));

    // A second press searches again, and the Connect answer takes it online once more.
    click (widgets->connect());
    ASSERT_TRUE (pumpUntil ([this] { return ! page->offline; }));
    EXPECT_EQ (dialogs.count ("SIMSPEAKER Speaker connected!"), 2);
}

TEST_F (EditorConnectionTest, SilentSpeakerEndsInAConnectionError)
{
    connect (12);
    ASSERT_FALSE (page->offline);

    speaker->setSilent (true);
    click (widgets->lcd());   // sends "/setup", which is never answered

    ASSERT_TRUE (pumpUntil ([this] { return dialogs.count ("USB connection error!") > 0; }));
    pumpFor (20);
    EXPECT_EQ (dialogs.last ("USB connection error!")->message, "Speaker will be disconnected");
    EXPECT_TRUE (page->offline);
    EXPECT_FALSE (oscCom->online.load());
    EXPECT_EQ (title(), "VARENTO Edit [not connected!]");
    EXPECT_EQ (widgets->modelLabel()->getText(), "- offline -");
    EXPECT_FALSE (widgets->connect()->isEnabled());
    EXPECT_TRUE (widgets->search()->isEnabled());
    expectOnlineWidgets (false, false);
    EXPECT_EQ (oscCom->queuedCount(), 0);
}
