// The main component: start-up state, titles, meters and LEDs, the series picture, painting, and the
// whole editor against the simulated speaker.
#include "support/MessagePump.h"
#include "link/OscCom.h"
#include "link/UsbHost.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "sim/MemoryHidHost.h"
#include "sim/SimulatedSpeaker.h"
#include "ui/CConfigPage.h"
#include "ui/CPeqPage.h"
#include "ui/CSetupPage.h"
#include "ui/DefaultLookAndFeel.h"
#include "ui/Dialogs.h"
#include "ui/EqMath.h"
#include "ui/RemoteControl.h"
#include "ui/UiTestImages.h"
#include "ui/led_clip.h"
#include "ui/led_meter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using uitest::argb;
using uitest::render;

namespace
{
    using testpump::pumpUntil;

    /** Answers every question with OK and records what was asked. */
    struct ScriptedDialogs : Dialogs
    {
        juce::StringArray asked;
        juce::StringArray shown;
        void showMessageBox (juce::MessageBoxIconType, const juce::String& title, const juce::String&,
                             const juce::String&) override { shown.add (title); }
        void showMessageBoxAsync (juce::MessageBoxIconType, const juce::String& title, const juce::String&,
                                  const juce::String&, std::function<void()> onClosed) override
        {
            shown.add (title);
            if (onClosed)
                onClosed();
        }
        bool askOkCancel (juce::MessageBoxIconType, const juce::String& title, const juce::String&,
                          const juce::String&, const juce::String&) override
        {
            asked.add (title);
            return true;
        }
    };

    /** The tree, a window that is never put on the screen and the main component in it, with the
        link talking to an in-memory HID host (empty unless a test plugs the simulated speaker in). */
    class MainComponentTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            Dialogs::setCurrent (&dialogs);
            setUsbHost (&host);
            root = std::make_unique<Croot>();
            rootCell = root.get();
            root->buildPaths();
        }

        void TearDown() override
        {
            closeEditor();
            setUsbHost (nullptr);
            host.unplugAll();
            rootCell = nullptr;
            root.reset();
            Dialogs::setCurrent (nullptr);
        }

        void openEditor()
        {
            window = std::make_unique<juce::DocumentWindow> ("VARENTO Edit ", juce::Colour (0xff104879),
                                                             juce::DocumentWindow::minimiseButton
                                                                 | juce::DocumentWindow::closeButton,
                                                             false);
            main = new RemoteControl (window.get());
            window->setContentOwned (main, true);
        }

        void closeEditor()
        {
            if (window != nullptr)
                window->clearContentComponent();
            window.reset();
            main = nullptr;
        }

        ScriptedDialogs dialogs;
        sim::MemoryHidHost host;
        std::unique_ptr<Croot> root;
        std::unique_ptr<juce::DocumentWindow> window;
        RemoteControl* main = nullptr;
    };
}

TEST_F (MainComponentTest, StartsNotConnectedWithTheSetupTabAndDarkMeters)
{
    openEditor();
    EXPECT_EQ (remoteControl, main);
    EXPECT_EQ (main->getName(), "Dovseries");
    EXPECT_EQ (main->getWidth(), 912);
    EXPECT_EQ (main->getHeight(), 516);
    EXPECT_EQ (window->getName(), "VARENTO Edit [not connected!]");
    EXPECT_EQ (main->getModelIndex(), 40);

    auto& tabs = main->getTabs();
    ASSERT_EQ (tabs.getNumTabs(), 3);
    EXPECT_EQ (tabs.getTabNames(), juce::StringArray ({ "  Setup  ", "  Configuration  ", "  Equaliser  " }));
    EXPECT_EQ (tabs.getCurrentTabIndex(), 0);
    EXPECT_EQ (tabs.getTabContentComponent (0), setupPage);
    EXPECT_EQ (tabs.getTabContentComponent (1), configPage);
    EXPECT_EQ (tabs.getTabContentComponent (2), peqPage);
    EXPECT_EQ (tabs.getBounds(), juce::Rectangle<int> (8, 8, 720, 500));
    EXPECT_EQ (peqPage->getName(), "PeqPage");
    ASSERT_NE (oscCom, nullptr);

    EXPECT_EQ (main->getInputMeter().getLevel(), -100.0);
    EXPECT_EQ (main->getOutputMeter().getLevel(), -100.0);
    EXPECT_EQ (main->getInputMeter().getBounds(), juce::Rectangle<int> (776, 100, 20, 147));
    EXPECT_EQ (main->getOutputMeter().getBounds(), juce::Rectangle<int> (848, 100, 20, 147));
    EXPECT_EQ (main->getInputMeter().getNumSegments(), 21);
    EXPECT_FALSE (main->getClipLed().getState());
    EXPECT_FALSE (main->getLimitLed().getState());
    EXPECT_EQ (main->getClipLed().getBounds(), juce::Rectangle<int> (776, 86, 20, 4));
    EXPECT_EQ (main->getLimitLed().getBounds(), juce::Rectangle<int> (848, 86, 20, 4));
}

TEST_F (MainComponentTest, MeterLevelsFromLinearValues)
{
    openEditor();

    RemoteControl::setMeterLevels (0.5f, 0.5f, 0.0f);
    EXPECT_EQ (main->getInputMeter().getLevel(), -4.0);
    EXPECT_EQ (main->getOutputMeter().getLevel(), -4.0);

    RemoteControl::setMeterLevels (1.0f, 0.2f, 0.7f);
    EXPECT_EQ (main->getInputMeter().getLevel(), 1.0);
    EXPECT_EQ (main->getOutputMeter().getLevel(), (double) led_meter::dbFromLinear (0.7f)) << "the larger output wins";
    EXPECT_EQ (main->getOutputMeter().getLevel(), -1.0);

    RemoteControl::setMeterLevels (0.0f, 0.7f, 0.2f);
    EXPECT_EQ (main->getInputMeter().getLevel(), -60.0);
    EXPECT_EQ (main->getOutputMeter().getLevel(), -1.0);

    // 1.0 lights every segment; the link going offline (0, 0, 0) darkens every one.
    RemoteControl::setMeterLevels (1.0f, 1.0f, 1.0f);
    juce::Image image = render (*main);
    EXPECT_EQ (argb (image, 786, 100), 0xffeaefe3u);
    EXPECT_EQ (argb (image, 786, 240), 0xff6ebeddu);
    EXPECT_EQ (argb (image, 858, 100), 0xffeaefe3u);

    RemoteControl::setMeterLevels (0.0f, 0.0f, 0.0f);
    image = render (*main);
    EXPECT_NE (argb (image, 786, 240), 0xff6ebeddu);
    EXPECT_NE (argb (image, 858, 100), 0xffeaefe3u);
}

TEST_F (MainComponentTest, ClipAndLimitLeds)
{
    openEditor();
    RemoteControl::setClipLeds (true, false, false);
    EXPECT_TRUE (main->getClipLed().getState());
    EXPECT_FALSE (main->getLimitLed().getState());

    RemoteControl::setClipLeds (false, false, true);
    EXPECT_FALSE (main->getClipLed().getState());
    EXPECT_TRUE (main->getLimitLed().getState());

    const juce::Image image = render (*main);
    EXPECT_EQ (argb (image, 850, 87), 0xffff0000u);
    EXPECT_NE (argb (image, 780, 87), 0xffff0000u);
}

TEST_F (MainComponentTest, WindowTitlesForOfflineOnlineUnknownAndNone)
{
    openEditor();
    ASSERT_TRUE (setupPage->offline);

    const juce::String ka = connectedTitles[0];
    ASSERT_TRUE (ka.contains ("connected"));

    main->setModel (0);
    EXPECT_EQ (window->getName(), "VARENTO Edit " + ka.replace ("connected", "offline"));
    EXPECT_FALSE (window->getName().contains ("connected"));

    main->setModel (39);
    EXPECT_EQ (window->getName(), "VARENTO Edit [connected: ---]");

    setupPage->offline = false;
    main->setModel (0);
    EXPECT_EQ (window->getName(), "VARENTO Edit " + ka);

    main->setModel (40);
    EXPECT_EQ (window->getName(), "VARENTO Edit [not connected!]");
    setupPage->offline = true;
    main->setModel (40);
    EXPECT_EQ (window->getName(), "VARENTO Edit [not connected!]");

    EXPECT_EQ (RemoteControl::titleForModel (38, true), "VARENTO Edit " + connectedTitles[38].replace ("connected", "offline"));
    EXPECT_EQ (RemoteControl::titleForModel (-1, true), "VARENTO Edit ");
    EXPECT_EQ (RemoteControl::titleForModel (41, false), "VARENTO Edit ");
}

TEST_F (MainComponentTest, ModelSetsTheSubwooferFlagFirst)
{
    openEditor();
    main->setModel (4);
    EXPECT_TRUE (subwooferFlag);
    EXPECT_EQ (configPage->getModel(), 4);
    main->setModel (8);
    EXPECT_FALSE (subwooferFlag);
    main->setModel (38);
    EXPECT_TRUE (subwooferFlag);
    main->setModel (40);
    EXPECT_FALSE (subwooferFlag);
    EXPECT_EQ (main->getModelIndex(), 40);
}

TEST (EditorPages, PlaceholderPagesHaveTheirNamesAndSizes)
{
    CPeqPage peq;
    EXPECT_EQ (peq.getName(), "PeqPage");
    EXPECT_EQ (peq.getWidth(), 720);
    EXPECT_EQ (peq.getHeight(), 470);

    CConfigPage config;
    EXPECT_EQ (config.getWidth(), 720);
    EXPECT_EQ (config.getHeight(), 470);
    for (int m = 0; m <= 40; ++m)
    {
        config.setModel (m);
        const bool sub = m == 4 || m == 5 || m == 7 || m == 10 || m == 15 || m == 16
                      || m == 21 || m == 22 || m == 29 || m == 30 || m == 37 || m == 38;
        EXPECT_EQ (subwooferFlag, sub) << m;
    }
    config.setModel (-3);
    EXPECT_FALSE (subwooferFlag);
}

TEST (SeriesPicture, ChosenByModelRange)
{
    for (int none : { -1, 6, 7, 39, 40, 41 })
        EXPECT_FALSE (RemoteControl::seriesPicture (none).isValid()) << none;

    const juce::Image ka = RemoteControl::seriesPicture (0);
    ASSERT_TRUE (ka.isValid());
    EXPECT_EQ (ka.getWidth(), 152);
    EXPECT_EQ (ka.getHeight(), 47);

    auto same = [] (const juce::Image& a, const juce::Image& b) { return a.getPixelData() == b.getPixelData(); };
    EXPECT_TRUE (same (RemoteControl::seriesPicture (5), ka));
    EXPECT_FALSE (same (RemoteControl::seriesPicture (8), ka)) << "5 and 8 differ";
    EXPECT_TRUE (same (RemoteControl::seriesPicture (10), RemoteControl::seriesPicture (8)));
    EXPECT_TRUE (same (RemoteControl::seriesPicture (11), RemoteControl::seriesPicture (22)));
    EXPECT_TRUE (same (RemoteControl::seriesPicture (23), RemoteControl::seriesPicture (38)));
    EXPECT_FALSE (same (RemoteControl::seriesPicture (22), RemoteControl::seriesPicture (23)));
    EXPECT_FALSE (same (RemoteControl::seriesPicture (11), RemoteControl::seriesPicture (10)));
}

TEST_F (MainComponentTest, PaintsPanelFrameWatermarkAndSeriesPicture)
{
    openEditor();
    const juce::Image none = render (*main);

    EXPECT_EQ (argb (none, 1, 1), 0xff161616u) << "background";
    EXPECT_EQ (argb (none, 5, 250), 0xff666767u) << "frame left of the tabs";
    EXPECT_EQ (argb (none, 730, 250), 0xff666767u) << "frame right of the tabs";
    EXPECT_EQ (argb (none, 737, 20), 0xff666767u) << "right panel";
    EXPECT_EQ (argb (none, 745, 300), 0xff161616u) << "inside the panel";
    EXPECT_EQ (argb (none, 765, 200), 0xff666767u) << "meter box";
    EXPECT_EQ (argb (none, 773, 200), 0xff161616u) << "dark ground behind the input meter";
    EXPECT_EQ (argb (none, 773, 250), 0xff666767u) << "meter box below it";
    EXPECT_EQ (argb (none, 840, 300), 0xff161616u) << "between meter box and watermark";

    // The watermark is drawn at (771, 330), 98 x 99.
    bool watermarkInk = false;
    for (int y = 330; y < 429 && ! watermarkInk; ++y)
        for (int x = 771; x < 869 && ! watermarkInk; ++x)
            watermarkInk = argb (none, x, y) != 0xff161616u;
    EXPECT_TRUE (watermarkInk);

    // No series picture for model 40; model 0's appears at (746, 450).
    main->setModel (0);
    const juce::Image ka = render (*main);
    const juce::Image picture = RemoteControl::seriesPicture (0);
    int differing = 0;
    for (int y = 0; y < 47; ++y)
        for (int x = 0; x < 152; ++x)
            differing += argb (none, 746 + x, 450 + y) != argb (ka, 746 + x, 450 + y) ? 1 : 0;
    EXPECT_GT (differing, 100);
    for (int y = 0; y < 47; ++y)
        for (int x = 0; x < 152; ++x)
            if (picture.getPixelAt (x, y).getAlpha() == 255)
            {
                EXPECT_EQ (argb (ka, 746 + x, 450 + y), picture.getPixelAt (x, y).getARGB());
                y = 47;
                break;
            }
}

TEST_F (MainComponentTest, NetworkMetersOnlyWhileTheConfigurationTabShows)
{
    openEditor();
    EXPECT_FALSE (RemoteControl::isConfigTabShown());
    main->getTabs().setCurrentTabIndex (1);
    EXPECT_TRUE (RemoteControl::isConfigTabShown());
    main->getTabs().setCurrentTabIndex (2);
    EXPECT_FALSE (RemoteControl::isConfigTabShown());

    const float levels[8] = { 1, 1, 1, 1, 1, 1, 1, 1 };
    RemoteControl::forwardK24Meter (0, levels); // dropped, nothing to see and nothing breaks
}

TEST_F (MainComponentTest, TearDownClearsTheProgramWidePointersAndCanBuildAgain)
{
    openEditor();
    closeEditor();
    EXPECT_EQ (remoteControl, nullptr);
    EXPECT_EQ (oscCom, nullptr);
    EXPECT_EQ (setupPage, nullptr);
    EXPECT_EQ (configPage, nullptr);
    EXPECT_EQ (peqPage, nullptr);
    EXPECT_EQ (dynamic_cast<DefaultLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr)
        << "the deleted look and feel is no longer the default";

    RemoteControl::setMeterLevels (1.0f, 1.0f, 1.0f); // no main component: nothing happens
    RemoteControl::setClipLeds (true, true, true);
    EXPECT_FALSE (RemoteControl::isConfigTabShown());

    openEditor();
    EXPECT_EQ (window->getName(), "VARENTO Edit [not connected!]");
    EXPECT_NE (oscCom, nullptr);
}

TEST_F (MainComponentTest, ConnectsToTheSimulatedSpeakerAndShowsItsMeters)
{
    auto speaker = std::make_shared<sim::SimulatedSpeaker>();
    speaker->setInfo ("SIMSPEAKER", "V2.0", 8);
    speaker->setMeters (0.5f, 0.2f, 1.0f);
    host.plug (speaker);

    openEditor();
    ASSERT_TRUE (pumpUntil ([] { return oscCom->online.load(); }, 8000)) << "never went online";
    EXPECT_EQ (dialogs.asked, juce::StringArray ("SIMSPEAKER Speaker connected!"));
    ASSERT_TRUE (pumpUntil ([this] { return main->getModelIndex() == 8; }));
    EXPECT_EQ (window->getName(), "VARENTO Edit " + connectedTitles[8]);

    ASSERT_TRUE (pumpUntil ([this] { return main->getInputMeter().getLevel() == -4.0; }, 8000));
    EXPECT_EQ (main->getOutputMeter().getLevel(), 1.0);

    speaker->queueMessage ("/peaklimit", { int32_t (1), int32_t (0), int32_t (1) });
    ASSERT_TRUE (pumpUntil ([this] { return main->getClipLed().getState(); }));
    EXPECT_TRUE (main->getLimitLed().getState());

    // Closing the editor stops the link's threads while the speaker is still plugged in.
    closeEditor();
    EXPECT_EQ (oscCom, nullptr);
    EXPECT_EQ (usbConnection, nullptr);
}
