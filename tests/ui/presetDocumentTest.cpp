// Preset files from the Setup page: the save and load dialogs, their starting files, the preset
// document's checks of the model and what is sent to the speaker after a load.
#include "EditorTestSupport.h"

#include "model/PresetText.h"

using namespace editortest;

namespace
{
class PresetFileTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        folder = juce::File::createTempFile ("presetfiles");
        ASSERT_TRUE (folder.createDirectory().wasOk());
    }

    void TearDown() override
    {
        folder.deleteRecursively();
        EditorFixture::TearDown();
    }

    void chooseFile (const juce::File& f) { dialogs.fileChoices.push_back ({ false, f }); }

    /** Writes a preset file for model `model` whose delay is `delayMs`. */
    juce::File writePreset (const char* name, int model, const char* delay)
    {
        auto f = folder.getChildFile (name);
        EXPECT_TRUE (f.replaceWithText (juce::String ("From file\nVRMODELCODE ") + juce::String (model)
                                        + "\nBEGIN_OSC_DATA\n/delay,fi " + delay + " 0\nEND_OSC_DATA"));
        return f;
    }

    juce::File folder;
};
} // namespace

TEST_F (PresetFileTest, SaveWritesTheNamedFileAndForgetsTheSlot)
{
    widgets->offlineModels()->setSelectedId (13, juce::sendNotificationSync);
    widgets->presetName()->setText ("Live Set");
    root->delay->del->setFromFloat (25.0f);

    chooseFile (folder.getChildFile ("gig"));
    click (widgets->save());

    ASSERT_EQ (dialogs.shown.size(), 1u);
    EXPECT_EQ (dialogs.shown[0].kind, "save");
    EXPECT_EQ (dialogs.shown[0].title, "Save as preset file...");
    EXPECT_EQ (dialogs.shown[0].pattern, "*.vrs");
    // No file opened yet: the home folder, with the Preset Name as the proposed name.
    EXPECT_EQ (dialogs.shown[0].initialFile,
               juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("Live Set"));

    const auto written = folder.getChildFile ("gig.vrs");
    ASSERT_TRUE (written.existsAsFile());
    auto lines = juce::StringArray::fromLines (written.loadFileAsString());
    EXPECT_EQ (lines[0], "Live Set");
    EXPECT_EQ (lines[1], "VRMODELCODE 12");
    EXPECT_TRUE (lines.contains ("/delay,fi  25.00 0"));
    EXPECT_EQ (widgets->fileName()->getText(), "gig");
    EXPECT_EQ (document->getDocumentTitle(), "Live Set");
}

TEST_F (PresetFileTest, SaveAsksBeforeReplacingTheFileItWrites)
{
    // The user types "gig"; the dialog knows nothing of the "gig.vrs" that will be written.
    const auto existing = folder.getChildFile ("gig.vrs");
    ASSERT_TRUE (existing.replaceWithText ("old"));

    dialogs.connectAnswer = false; // the scripted answer to every OK/Cancel question
    chooseFile (folder.getChildFile ("gig"));
    click (widgets->save());
    ASSERT_EQ (dialogs.count ("File already exists"), 1);
    EXPECT_TRUE (dialogs.last ("File already exists")->message.contains (existing.getFullPathName()));
    EXPECT_EQ (existing.loadFileAsString(), "old");
    EXPECT_EQ (widgets->fileName()->getText(), "");

    dialogs.connectAnswer = true;
    chooseFile (folder.getChildFile ("gig"));
    click (widgets->save());
    EXPECT_EQ (dialogs.count ("File already exists"), 2);
    EXPECT_TRUE (existing.loadFileAsString().contains ("VRMODELCODE"));

    // A name typed with its extension was already asked about by the dialog itself.
    chooseFile (existing);
    click (widgets->save());
    EXPECT_EQ (dialogs.count ("File already exists"), 2);
}

TEST_F (PresetFileTest, SaveStartsWhereTheLastFileWasOpened)
{
    auto opened = writePreset ("opened.vrs", 12, "1.00");
    chooseFile (opened);
    click (widgets->load());
    ASSERT_EQ (AppSettings::getInstance().getRecentFile (0), opened);

    // The File Name editor's text beats the Preset Name.
    widgets->fileName()->setText ("next.vrs");
    widgets->presetName()->setText ("Other");
    dialogs.fileChoices.push_back ({ true, {} });
    click (widgets->save());
    EXPECT_EQ (dialogs.shown.back().initialFile, folder.getChildFile ("next.vrs"));

    // Both empty: the folder alone.
    widgets->fileName()->setText ({});
    widgets->presetName()->setText ({});
    dialogs.fileChoices.push_back ({ true, {} });
    click (widgets->save());
    EXPECT_EQ (dialogs.shown.back().initialFile, folder);

    // Cancelled: nothing written, nothing shown.
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 1);
    EXPECT_EQ (dialogs.count ("Failed to save file..."), 0);
}

TEST_F (PresetFileTest, DialogsThatReturnNoFile)
{
    dialogs.fileChoices.push_back ({ false, {} });
    click (widgets->save());
    ASSERT_EQ (dialogs.count ("Failed to save file..."), 1);
    EXPECT_EQ (dialogs.last ("Failed to save file...")->message, "This wasn't a valid file...");

    dialogs.fileChoices.push_back ({ false, {} });
    click (widgets->load());
    ASSERT_EQ (dialogs.count ("Failed to open file..."), 1);
    EXPECT_EQ (dialogs.last ("Failed to open file...")->message, "This wasn't a valid file...");

    // Before any load the open dialog starts from no file.
    EXPECT_EQ (dialogs.shown.back().initialFile, juce::File());
    EXPECT_EQ (document->getLastDocumentOpened(), juce::File());
}

TEST_F (PresetFileTest, FailedSaveIsReportedAndTheSlotStillForgotten)
{
    connect (12);
    ASSERT_FALSE (page->offline);
    click (widgets->slot (3));
    ASSERT_EQ (page->selectedSlot, 2);

    chooseFile (folder.getChildFile ("missing/folder/x.vrs"));
    click (widgets->save());
    ASSERT_EQ (dialogs.count ("Error writing to file..."), 1);
    EXPECT_TRUE (dialogs.last ("Error writing to file...")->message.contains ("Couldn't write to the file."));
    EXPECT_EQ (page->selectedSlot, -1);
    EXPECT_FALSE (widgets->slot (3)->getToggleState());

    // Store now warns until a slot is chosen again.
    click (widgets->store());
    EXPECT_EQ (dialogs.count ("Save Preset to Speaker..."), 1);
}

TEST_F (PresetFileTest, OfflineLoadSwitchesToTheFilesModel)
{
    auto f = writePreset ("five.vrs", 5, "33.00");
    chooseFile (f);
    click (widgets->load());

    EXPECT_EQ (dialogs.shown[0].title, "Please select the preset you want to load...");
    EXPECT_EQ (page->currentModel, 5);
    EXPECT_EQ (widgets->offlineModels()->getSelectedId(), 6);
    EXPECT_EQ (title(), "VARENTO Edit [offline: Ka 18B]");
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 33.0f);
    EXPECT_EQ (widgets->fileName()->getText(), "five.vrs");
    EXPECT_EQ (widgets->presetName()->getText(), "From file");
    EXPECT_EQ (document->getLastDocumentOpened(), f);

    // A code above 38 keeps the model; the values are applied all the same.
    chooseFile (writePreset ("far.vrs", 45, "44.00"));
    click (widgets->load());
    EXPECT_EQ (page->currentModel, 5);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 44.0f);
    EXPECT_EQ (dialogs.shown.back().initialFile, f);
    EXPECT_EQ (document->getLastDocumentOpened(), folder.getChildFile ("far.vrs"));
}

TEST_F (PresetFileTest, OnlineAMismatchIsRefusedAndTheTreeSentAgain)
{
    connect (12);
    ASSERT_FALSE (page->offline);
    root->delay->del->setFromFloat (5.0f);
    click (widgets->slot (4));

    const auto delaysBefore = speaker->receivedCount ("/delay");
    chooseFile (writePreset ("other.vrs", 5, "99.00"));
    click (widgets->load());

    ASSERT_EQ (dialogs.count ("Failed to open file..."), 1);
    EXPECT_TRUE (dialogs.last ("Failed to open file...")->message.contains ("Preset doesn't match to current speaker model!"));
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 5.0f);
    EXPECT_EQ (page->currentModel, 12);
    EXPECT_EQ (widgets->fileName()->getText(), "other.vrs");
    EXPECT_EQ (widgets->presetName()->getText(), "From file");
    EXPECT_EQ (page->selectedSlot, -1);
    EXPECT_EQ (document->getLastDocumentOpened(), juce::File());

    // Every node is sent even so; the speaker takes the editor's unchanged values. ("/devname" had gone
    // out as a request only.)
    settle();
    EXPECT_GT (speaker->receivedCount ("/delay"), delaysBefore);
    EXPECT_FLOAT_EQ (std::get<float> (speaker->nodeValues ("/delay").at (0)), 5.0f);
    EXPECT_GT (valuesReceived ("/devname").size(), 1u);
}

TEST_F (PresetFileTest, OnlineAMatchingFileReachesTheSpeaker)
{
    connect (12);
    ASSERT_FALSE (page->offline);

    // Saved and loaded through the page: the file made online carries the speaker's model.
    chooseFile (folder.getChildFile ("same.txt"));
    root->delay->del->setFromFloat (61.0f);
    click (widgets->save());
    ASSERT_TRUE (folder.getChildFile ("same.vrs").existsAsFile());
    EXPECT_EQ (widgets->fileName()->getText(), "same.txt");

    root->delay->del->setFromFloat (1.0f);
    ASSERT_TRUE (folder.getChildFile ("same.txt").replaceWithText ("not a preset"));
    chooseFile (folder.getChildFile ("same.txt"));
    click (widgets->load());

    EXPECT_EQ (dialogs.count ("Failed to open file..."), 0);
    EXPECT_FLOAT_EQ (root->delay->del->getFloat(), 61.0f);
    settle();
    EXPECT_FLOAT_EQ (std::get<float> (speaker->nodeValues ("/delay").at (0)), 61.0f);
}
