#include "ui/CSetupPage.h"

#include "link/OscCom.h"
#include "model/AppSettings.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "model/PresetText.h"
#include "model/SpeakerText.h"
#include "ui/CConfigPage.h"
#include "ui/Dialogs.h"
#include "ui/PageWidgets.h"
#include "ui/Palette.h"
#include "ui/RemoteControl.h"
#include "ui/presetDocument.h"

#include <cmath>

CSetupPage* setupPage = nullptr;

namespace
{

/** Shown in the lock-code editor before a code is typed or reported. */
const char* const lockCodePlaceholder = "****";

/** The most bytes a preset name may take in "/preset/save": the message's address (16 bytes), type tags
    (8) and two int32 (8) leave 28 of the link's 60 message bytes, for the name and its terminator. */
constexpr int maxPresetNameBytes = 27;

/** Characters a speaker name may hold. */
const char* const deviceNameCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz1234567890.:_-,!#$%&'()*+[]?";

juce::Font arialFont (float height, bool bold)
{
    return juce::Font ("Arial", height, bold ? juce::Font::bold : juce::Font::plain);
}

std::unique_ptr<juce::TextButton> makeTextButton (const juce::String& name, const juce::String& text)
{
    auto button = std::make_unique<juce::TextButton> (name);
    button->setButtonText (text);
    button->setColour (juce::TextButton::buttonColourId, palette::grey);
    button->setColour (juce::TextButton::textColourOffId, palette::lightText);
    return button;
}

void makePlainSingleLine (juce::TextEditor& editor)
{
    editor.setMultiLine (false);
    editor.setScrollbarsShown (false);
    editor.setPopupMenuEnabled (false);
}
} // namespace

//==============================================================================
CSetupPage::CSetupPage (RemoteControl* owner)
    : juce::Component ("SetupPage"),
      ownerComponent (owner)
{
    modelLabel = makePageLabel ({}, "- offline -", arialFont (16.0f, true), juce::Justification::centredLeft,
                                palette::orange);
    addAndMakeVisible (*modelLabel);

    offlineModeLabel = makePageLabel ({}, TRANS ("Offline Mode"), arialFont (15.0f, false),
                                      juce::Justification::centredRight);
    addAndMakeVisible (*offlineModeLabel);

    offlineModelBox = std::make_unique<juce::ComboBox> ("Offline Model");
    offlineModelBox->setEditableText (false);
    offlineModelBox->setJustificationType (juce::Justification::centredLeft);
    offlineModelBox->setTextWhenNothingSelected (TRANS ("- select model -"));
    for (int m = 0; m <= 38; ++m)
        if (m != 6 && m != 7)
            offlineModelBox->addItem (modelCodes[m], m + 1);
    offlineModelBox->setColour (juce::ComboBox::buttonColourId, palette::lightBlue);
    offlineModelBox->setColour (juce::ComboBox::outlineColourId, palette::caption);
    offlineModelBox->setColour (juce::ComboBox::textColourId, palette::lightText);
    offlineModelBox->setColour (juce::ComboBox::backgroundColourId, palette::grey);
    offlineModelBox->setColour (juce::ComboBox::arrowColourId, palette::orange);
    offlineModelBox->addListener (this);
    addAndMakeVisible (*offlineModelBox);

    // Each slot button lies over its name editor, so a click anywhere on the row selects the slot.
    for (int k = 0; k < numSlots; ++k)
    {
        auto& editor = slotNames[(size_t) k];
        editor = std::make_unique<juce::TextEditor> ("preset name");
        makePlainSingleLine (*editor);
        editor->setReadOnly (true);
        editor->setCaretVisible (false);
        editor->setColour (juce::TextEditor::textColourId, juce::Colour (0xfff0ffff));
        editor->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x50ffffff));
        editor->setColour (juce::TextEditor::highlightColourId, palette::lightBlue);
        editor->setColour (juce::TextEditor::shadowColourId, juce::Colour (0x38000000));
        addAndMakeVisible (*editor);

        auto& button = slotButtons[(size_t) k];
        button = std::make_unique<juce::ToggleButton> (juce::String (k + 1));
        button->setName (juce::String (k + 1));
        button->setRadioGroupId (1);
        button->setColour (juce::ToggleButton::textColourId, palette::caption);
        button->addListener (this);
        addAndMakeVisible (*button);
    }

    loadButton = makeTextButton ("textButton", TRANS ("Load"));
    loadButton->addListener (this);
    addAndMakeVisible (*loadButton);

    saveButton = makeTextButton ("textButton", TRANS ("Save"));
    saveButton->addListener (this);
    addAndMakeVisible (*saveButton);

    lockButton = makeTextButton ("textButton", TRANS ("Lock"));
    lockButton->setRadioGroupId (5);
    lockButton->setColour (juce::TextButton::buttonOnColourId, palette::red);
    lockButton->addListener (this);
    addAndMakeVisible (*lockButton);

    lockCodeEditor = std::make_unique<juce::TextEditor> ("password");
    lockCodeEditor->setText (lockCodePlaceholder, false);
    makePlainSingleLine (*lockCodeEditor);
    lockCodeEditor->setPasswordCharacter (0);
    lockCodeEditor->setColour (juce::TextEditor::textColourId, juce::Colours::white);
    lockCodeEditor->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x50ffffff));
    lockCodeEditor->setColour (juce::TextEditor::highlightColourId, palette::lightBlue);
    lockCodeEditor->setColour (juce::TextEditor::outlineColourId, juce::Colour (0x50000000));
    lockCodeEditor->setColour (juce::TextEditor::shadowColourId, juce::Colour (0x38000000));
    addAndMakeVisible (*lockCodeEditor);

    storeButton = makeTextButton ("textButton", TRANS ("Store"));
    storeButton->addListener (this);
    addAndMakeVisible (*storeButton);

    connectButton = makeTextButton ("sync to speaker", TRANS ("Connect"));
    connectButton->setColour (juce::TextButton::buttonOnColourId, palette::orange);
    connectButton->addListener (this);
    addAndMakeVisible (*connectButton);

    searchButton = makeTextButton ("search USB", TRANS ("Search"));
    searchButton->setColour (juce::TextButton::buttonOnColourId, palette::lightBlue);
    searchButton->addListener (this);
    addAndMakeVisible (*searchButton);

    presetNameEditor = std::make_unique<juce::TextEditor> ("new text editor");
    makePlainSingleLine (*presetNameEditor);
    presetNameEditor->setColour (juce::TextEditor::textColourId, juce::Colours::white);
    presetNameEditor->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x50ffffff));
    presetNameEditor->setColour (juce::TextEditor::highlightColourId, palette::lightBlue);
    presetNameEditor->setColour (juce::TextEditor::outlineColourId, juce::Colour (0x50000000));
    addAndMakeVisible (*presetNameEditor);

    recallButton = makeTextButton ("textButton", TRANS ("Recall"));
    recallButton->addListener (this);
    addAndMakeVisible (*recallButton);

    lockCodeLabel = makePageLabel ("Output", TRANS ("Lock code"), arialFont (15.0f, false));
    addAndMakeVisible (*lockCodeLabel);

    presetNameLabel = makePageLabel ("new label", TRANS ("Preset Name"), arialFont (15.0f, false));
    addAndMakeVisible (*presetNameLabel);

    renameButton = makeTextButton ("rename Speaker", TRANS ("Rename Speaker "));
    renameButton->setColour (juce::TextButton::buttonOnColourId, palette::blue);
    renameButton->addListener (this);
    addAndMakeVisible (*renameButton);

    fileNameEditor = std::make_unique<juce::TextEditor> ("new text editor");
    makePlainSingleLine (*fileNameEditor);
    fileNameEditor->setColour (juce::TextEditor::textColourId, juce::Colours::white);
    fileNameEditor->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x50ffffff));
    fileNameEditor->setColour (juce::TextEditor::outlineColourId, juce::Colour (0x50000000));
    fileNameEditor->setColour (juce::TextEditor::highlightColourId, palette::lightBlue);
    addAndMakeVisible (*fileNameEditor);

    fileNameLabel = makePageLabel ("new label", TRANS ("File Name"), arialFont (15.0f, false));
    addAndMakeVisible (*fileNameLabel);

    unlockButton = makeTextButton ("textButton", TRANS ("Unlock"));
    unlockButton->setRadioGroupId (5);
    unlockButton->setColour (juce::TextButton::buttonOnColourId, palette::blue);
    unlockButton->addListener (this);
    addAndMakeVisible (*unlockButton);

    lcdButton = makeTextButton ("screen", TRANS ("LCD Screen"));
    lcdButton->setClickingTogglesState (true);
    lcdButton->setColour (juce::TextButton::buttonOnColourId, palette::blue);
    lcdButton->addListener (this);
    addAndMakeVisible (*lcdButton);

    frontLogoLabel = makePageLabel ({}, TRANS ("Front Logo"), arialFont (15.0f, false));
    addChildComponent (*frontLogoLabel);

    const char* const logoTexts[] = { "Off", "On", "Limiter" };
    for (size_t i = 0; i < logoButtons.size(); ++i)
    {
        auto& button = logoButtons[i];
        button = std::make_unique<juce::ToggleButton> (TRANS (logoTexts[i]));
        button->setName (logoTexts[i]);
        button->setRadioGroupId (2);
        button->setColour (juce::ToggleButton::textColourId, palette::caption);
        button->addListener (this);
        addChildComponent (*button);
    }

    setupPage = this;
    offline = true;
    selectedSlot = -1;

    presetNameEditor->setInputRestrictions (10);
    presetNameEditor->addListener (this);
    fileNameEditor->addListener (this);

    lockCodeEditor->setInputRestrictions (4);
    lockCodeEditor->setSelectAllWhenFocused (true);
    lockCodeEditor->setTextToShowWhenEmpty (lockCodePlaceholder, palette::background);
    lockCodeEditor->setIndents (6, 4);
    lockCodeEditor->addListener (this);

    deviceNameEditor = std::make_unique<juce::TextEditor> ("devicename");
    makePlainSingleLine (*deviceNameEditor);
    deviceNameEditor->setInputRestrictions (10, deviceNameCharacters);
    deviceNameEditor->setSelectAllWhenFocused (true);
    deviceNameEditor->setColour (juce::TextEditor::textColourId, juce::Colours::white);
    deviceNameEditor->setColour (juce::TextEditor::backgroundColourId, juce::Colour (0x50ffffff));
    deviceNameEditor->setColour (juce::TextEditor::outlineColourId, juce::Colour (0x50000000));
    deviceNameEditor->setColour (juce::TextEditor::shadowColourId, juce::Colour (0x38000000));
    deviceNameEditor->addListener (this);
    addAndMakeVisible (*deviceNameEditor);

    if (rootCell != nullptr)
    {
        listenedRoot = rootCell;
        setupNode = Cnode::findByPath (rootCell, "setup");
        devnameNode = Cnode::findByPath (rootCell, "devname");

        if (setupNode != nullptr)
            setupNode->addChangeListener (this);
        if (devnameNode != nullptr)
            devnameNode->addChangeListener (this);
    }

    connectButton->setEnabled (false);
    setOnlineWidgetsVisible (false, false);

    for (int k = 0; k < numSlots; ++k)
        setSlotName (k, {});

    setSize (720, 470);
}

CSetupPage::~CSetupPage()
{
    // The tree outlives the page in the program; a test may have replaced it, then its nodes are gone.
    if (rootCell != nullptr && rootCell == listenedRoot)
    {
        if (setupNode != nullptr)
            setupNode->removeChangeListener (this);
        if (devnameNode != nullptr)
            devnameNode->removeChangeListener (this);
    }

    if (setupPage == this)
        setupPage = nullptr;
}

//==============================================================================
RemoteControl* CSetupPage::owner() const
{
    return ownerComponent != nullptr ? ownerComponent : remoteControl;
}

bool CSetupPage::deviceOpen() const
{
    return oscCom != nullptr && oscCom->isDeviceOpen();
}

void CSetupPage::updateConnectEnabled()
{
    connectButton->setEnabled (deviceOpen());
}

void CSetupPage::setOnlineWidgetsVisible (bool visible, bool withLogo)
{
    offlineModeLabel->setVisible (! visible);
    offlineModelBox->setVisible (! visible);

    storeButton->setVisible (visible);
    recallButton->setVisible (visible);
    deviceNameEditor->setVisible (visible);
    renameButton->setVisible (visible);
    lockButton->setVisible (visible);
    unlockButton->setVisible (visible);
    lockCodeEditor->setVisible (visible);
    lcdButton->setVisible (visible);
    frontLogoLabel->setVisible (visible && withLogo);
    for (auto& button : logoButtons)
        button->setVisible (visible && withLogo);
    lockCodeLabel->setVisible (visible);

    for (int k = 0; k < numSlots; ++k)
    {
        slotButtons[(size_t) k]->setVisible (visible);
        slotNames[(size_t) k]->setVisible (visible);
    }
}

//==============================================================================
void CSetupPage::setModel (int modelIndex)
{
    detectedModel = modelIndex;
    currentModel = modelIndex;

    // An index the speaker reported outside the table shows as a model the table does not name.
    const auto code = modelCodes[(modelIndex >= 0 && modelIndex < modelTableSize) ? modelIndex : modelUnknown];
    deviceNameEditor->setText (code, true);
    modelLabel->setText (code, juce::dontSendNotification);

    updateConnectEnabled();
}

void CSetupPage::goOnline()
{
    if (! offline || ! deviceOpen() || detectedModel < 0 || detectedModel >= modelUnknown)
        return;

    connectButton->setToggleState (true, juce::dontSendNotification);
    oscCom->goOnline();
    oscCom->enableSendingIfOpen();

    offline = false;
    currentModel = detectedModel;
    if (auto* rc = owner())
        rc->setModel (currentModel);

    offlineModelBox->setSelectedId (currentModel + 1, juce::dontSendNotification);
    searchButton->setEnabled (false);

    presetNameEditor->setVisible (true);
    presetNameLabel->setVisible (true);
    setOnlineWidgetsVisible (true, currentModel <= 10);
}

void CSetupPage::goOffline()
{
    if (! offline)
    {
        if (oscCom != nullptr)
            oscCom->goOffline();

        connectButton->setToggleState (false, juce::dontSendNotification);
        offline = true;
        searchButton->setEnabled (true);
    }

    if (auto* rc = owner())
        rc->setModel (modelNotConnected);

    setOnlineWidgetsVisible (false, false);

    for (int k = 0; k < numSlots; ++k)
        setSlotName (k, {});
}

void CSetupPage::showOffline()
{
    updateConnectEnabled();
    modelLabel->setText ("- offline -", juce::dontSendNotification);
}

//==============================================================================
int CSetupPage::lockCodeFromText (const juce::String& text)
{
    const char* bytes = text.toRawUTF8();
    uint32_t code = 0;

    for (int i = 0; i < 4 && bytes[i] != 0; ++i)
        code |= (uint32_t) (uint8_t) bytes[i] << (8 * i);

    return (int) code;
}

juce::String CSetupPage::textFromLockCode (int code)
{
    char bytes[5] = {};
    int length = 0;

    for (; length < 4; ++length)
    {
        const auto byte = (char) (((uint32_t) code >> (8 * length)) & 0xff);
        if (byte == 0)
            break;
        bytes[length] = byte;
    }

    return textFromSpeaker (bytes);
}

void CSetupPage::sendLockCode (bool lock)
{
    if (offline || oscCom == nullptr)
        return;

    const auto text = lockCodeEditor->getText();
    if (text.length() != 4)
        return;

    oscCom->sendInt (lock ? "/lock" : "/unlock", lockCodeFromText (text));
}

void CSetupPage::showLockState (int32_t code)
{
    if (code != 0)
    {
        lockCodeEditor->setText (textFromLockCode (code), true);
        lockButton->setToggleState (true, juce::dontSendNotification);
    }
    else
    {
        lockCodeEditor->clear();
        unlockButton->setToggleState (true, juce::dontSendNotification);
    }
}

void CSetupPage::showMeters (float input, float outputA, float outputB)
{
    RemoteControl::setMeterLevels (input, outputA, outputB);
}

void CSetupPage::showPeakLimit (bool clip, bool limitA, bool limitB)
{
    RemoteControl::setClipLeds (clip, limitA, limitB);
}

void CSetupPage::showGain (float gain)
{
    // A value that is not a number has no place on the knob; the slider would keep and draw it.
    if (std::isnan (gain))
        return;

    if (auto* knob = configPage != nullptr ? configPage->getInputGainKnob() : nullptr)
        knob->setValue (gain, juce::dontSendNotification);
}

void CSetupPage::setMeterLevels (float input, float outputA, float outputB)
{
    RemoteControl::setMeterLevels (input, outputA, outputB);
}

void CSetupPage::setClipLeds (bool clip, bool limitA, bool limitB)
{
    RemoteControl::setClipLeds (clip, limitA, limitB);
}

bool CSetupPage::isConfigTabShown()
{
    return RemoteControl::isConfigTabShown();
}

void CSetupPage::setK24Meters (int bank, const float* levels)
{
    CConfigPage::setK24Meters (bank, levels);
}

bool CSetupPage::askConnect (const juce::String& deviceName)
{
    return Dialogs::current().askOkCancel (juce::MessageBoxIconType::QuestionIcon,
                                           deviceName + TRANS (" Speaker connected!"),
                                           TRANS ("Request all data and lose current settings?"),
                                           TRANS ("Connect"), TRANS ("Cancel"));
}

void CSetupPage::showIncompatibleFirmware()
{
    Dialogs::current().showMessageBox (juce::MessageBoxIconType::WarningIcon, TRANS ("Incompatible Speaker Firmware!"),
                                       TRANS ("Please update to latest version"), TRANS ("Ok"));
}

void CSetupPage::showConnectionError()
{
    Dialogs::current().showMessageBox (juce::MessageBoxIconType::WarningIcon, TRANS ("USB connection error!"),
                                       TRANS ("Speaker will be disconnected"), TRANS ("Ok"));
}

void CSetupPage::showSpeakerAlert (const juce::String& text)
{
    // One box at a time: a speaker alternating its alerts would otherwise open a window per report. The
    // newest text the open box does not show follows when it is closed.
    if (alertBoxOpen)
    {
        if (text == alertBoxText)
            alertToFollow.reset();
        else
            alertToFollow = text;
        return;
    }

    openSpeakerAlert (text);
}

void CSetupPage::openSpeakerAlert (const juce::String& text)
{
    alertBoxOpen = true;
    alertBoxText = text;

    // The box may outlive the page.
    juce::Component::SafePointer<CSetupPage> page (this);
    Dialogs::current().showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon,
                                            TRANS ("Alert message from speaker:"), text, TRANS ("Ok"),
                                            [page]
                                            {
                                                osc::OscCom::alertClosed();
                                                if (page != nullptr)
                                                    page->speakerAlertClosed();
                                            });
}

void CSetupPage::speakerAlertClosed()
{
    alertBoxOpen = false;

    if (alertToFollow.has_value())
    {
        const auto next = *alertToFollow;
        alertToFollow.reset();
        openSpeakerAlert (next);
    }
}

//==============================================================================
void CSetupPage::setSlotName (int slot, const juce::String& name)
{
    if (slot >= 0 && slot < numSlots)
        slotNames[(size_t) slot]->setText (name, true);
}

void CSetupPage::presetLoaded (const juce::String& name)
{
    presetNameEditor->setText (name, false);
    fileNameEditor->clear();

    if (oscCom != nullptr)
        oscCom->requestAllNodes();
}

void CSetupPage::presetSaved (int slot, const juce::String& name)
{
    if (slot >= 0 && slot < numSlots)
        setSlotName (slot, name);

    presetNameEditor->setText (name, true);
}

void CSetupPage::selectPresetSlot (int slot)
{
    if (slot >= 0 && slot < numSlots)
        selectedSlot = slot;
}

void CSetupPage::deselectPresetSlot()
{
    if (selectedSlot >= 0 && selectedSlot < numSlots)
    {
        slotButtons[(size_t) selectedSlot]->setToggleState (false, juce::dontSendNotification);
        selectedSlot = -1;
    }
}

void CSetupPage::recallSpeakerPreset()
{
    if (offline || selectedSlot < 0 || selectedSlot >= numSlots || oscCom == nullptr)
        return;

    oscCom->sendIndexedString ("/preset/load", selectedSlot + 1, slotNames[(size_t) selectedSlot]->getText());
}

juce::String CSetupPage::presetNameToStore (const juce::String& name)
{
    // A loaded file's title can be longer than the ten characters the editor takes when typed, and
    // characters beyond ASCII take up to four bytes: cut whole characters until the name fits.
    auto cut = name.substring (0, 10);
    while (cut.getNumBytesAsUTF8() > (size_t) maxPresetNameBytes)
        cut = cut.dropLastCharacters (1);
    return cut;
}

void CSetupPage::storeSpeakerPreset()
{
    const auto name = presetNameToStore (presetNameEditor->getText());

    if (offline)
        return;

    if (selectedSlot >= 1 && selectedSlot < numSlots)
    {
        if (oscCom != nullptr)
            oscCom->sendIndexedString ("/preset/save", selectedSlot + 1, name);
        return;
    }

    Dialogs::current().showMessageBox (juce::MessageBoxIconType::WarningIcon, TRANS ("Save Preset to Speaker..."),
                                       TRANS ("INIT_DATA is read-only!"), TRANS ("Ok"));
}

//==============================================================================
void CSetupPage::savePcPreset()
{
    auto start = AppSettings::getInstance().getRecentFile (0);
    if (start == juce::File())
        start = juce::File::getSpecialLocation (juce::File::userHomeDirectory);

    const auto folder = start.isDirectory() ? start : start.getParentDirectory();

    auto name = fileNameEditor->getText();
    if (name.isEmpty())
        name = presetNameEditor->getText();

    const auto initialFile = name.isEmpty() ? folder : folder.getChildFile (name);

    const auto choice = Dialogs::current().chooseFileToSave (TRANS ("Save as preset file..."), initialFile, "*.vrs");

    if (choice.cancelled)
        return;

    if (choice.file == juce::File())
    {
        Dialogs::current().showMessageBox (juce::MessageBoxIconType::WarningIcon, TRANS ("Failed to save file..."),
                                           TRANS ("This wasn't a valid file..."), {});
        return;
    }

    // The dialog warned only about the name as typed; the document writes it with the ".vrs" extension.
    const auto target = PresetText::presetFileFor (choice.file);
    if (target != choice.file && target.exists()
        && ! Dialogs::current().askOkCancel (juce::MessageBoxIconType::WarningIcon, TRANS ("File already exists"),
                                             TRANS ("There's already a file called: FLNM")
                                                     .replace ("FLNM", target.getFullPathName())
                                                 + "\n\n" + TRANS ("Are you sure you want to overwrite it?"),
                                             TRANS ("Overwrite"), TRANS ("Cancel")))
        return;

    fileNameEditor->setText (choice.file.getFileName(), true);

    if (presetDoc != nullptr)
    {
        presetDoc->setTitle (presetNameEditor->getText());

        if (presetDoc->saveAs (choice.file, false, false, false, false) != juce::FileBasedDocument::savedOk)
        {
            // The framework's own wording for a failed save.
            Dialogs::current().showMessageBoxAsync (
                juce::MessageBoxIconType::WarningIcon, TRANS ("Error writing to file..."),
                TRANS ("An error occurred while trying to save \"DCNM\" to the file: FLNM")
                        .replace ("DCNM", presetDoc->getDocumentTitle())
                        .replace ("FLNM", "\n" + choice.file.getFullPathName())
                    + "\n\n" + TRANS (PresetText::writeFailedText),
                {}, {});
        }
    }

    deselectPresetSlot();
}

void CSetupPage::loadPcPreset()
{
    const auto initialFile = AppSettings::getInstance().getRecentFile (0);

    const auto choice = Dialogs::current().chooseFileToOpen (TRANS ("Please select the preset you want to load..."),
                                                             initialFile, "*.vrs");

    if (choice.cancelled)
        return;

    if (choice.file == juce::File())
    {
        Dialogs::current().showMessageBox (juce::MessageBoxIconType::WarningIcon, TRANS ("Failed to open file..."),
                                           TRANS ("This wasn't a valid file..."), {});
        return;
    }

    if (presetDoc != nullptr)
    {
        const auto result = presetDoc->loadFrom (choice.file, false, false);

        if (result.failed())
        {
            // The framework's own wording for a failed load, with the document's reason.
            Dialogs::current().showMessageBoxAsync (
                juce::MessageBoxIconType::WarningIcon, TRANS ("Failed to open file..."),
                TRANS ("There was an error while trying to load the file: FLNM")
                        .replace ("FLNM", "\n" + choice.file.getFullPathName())
                    + "\n\n" + result.getErrorMessage(),
                {}, {});
        }
    }

    fileNameEditor->setText (choice.file.getFileName(), true);
    presetNameEditor->setText (presetDoc != nullptr ? presetDoc->getDocumentTitle() : juce::String(), true);
    deselectPresetSlot();

    if (! offline && oscCom != nullptr)
        oscCom->sendAllNodes();
}

//==============================================================================
void CSetupPage::renameSpeaker()
{
    if (offline || rootCell == nullptr)
        return;

    auto* devname = rootCell->devname;
    devname->speakername->fromText (deviceNameEditor->getText().toRawUTF8());
    devname->sendOsc (devname->path);

    // Gives the link's thread time to send the name; the speaker's echo then waits in the message queue.
    juce::Thread::sleep (100);

    if (deviceOpen())
        setModel (currentModel);
}

void CSetupPage::sendSetupNode()
{
    if (rootCell != nullptr)
        rootCell->setup->sendOsc (rootCell->setup->path);
}

//==============================================================================
int CSetupPage::parseModelCode (const juce::String& code)
{
    auto p = code.getCharPointer();

    while (*p == ' ' || *p == '\t')
        ++p;

    bool negative = false;
    if (*p == '-' || *p == '+')
    {
        negative = (*p == '-');
        ++p;
    }

    // Saturates well outside the table, so an overlong number can never wrap into a model index.
    juce::int64 value = 0;
    while (*p >= '0' && *p <= '9')
    {
        value = juce::jmin ((juce::int64) 1000000000, value * 10 + (*p - '0'));
        ++p;
    }

    return (int) (negative ? -value : value);
}

juce::String CSetupPage::getModelCode() const
{
    return juce::String (currentModel);
}

bool CSetupPage::setModelFromCode (const juce::String& code)
{
    const int m = parseModelCode (code);

    if (m < 0 || m > 38)
        return false;

    currentModel = m;
    offlineModelBox->setSelectedId (m + 1, juce::dontSendNotification);

    if (auto* rc = owner())
        rc->setModel (m);

    return true;
}

//==============================================================================
void CSetupPage::paint (juce::Graphics& g)
{
    g.fillAll (palette::background);
    g.setColour (palette::grey);
    g.drawHorizontalLine (102, 0.0f, (float) getWidth());
    g.drawHorizontalLine (103, 0.0f, (float) getWidth());
}

void CSetupPage::resized()
{
    connectButton->setBounds (24, 30, 124, 24);
    searchButton->setBounds (24, 62, 124, 24);
    modelLabel->setBounds (170, 30, 116, 24);
    offlineModeLabel->setBounds (24, 126, 124, 24);
    offlineModelBox->setBounds (172, 126, 150, 24);
    renameButton->setBounds (24, 126, 124, 24);
    deviceNameEditor->setBounds (172, 126, 116, 24);
    unlockButton->setBounds (24, 180, 56, 24);
    lockButton->setBounds (90, 180, 56, 24);
    lockCodeLabel->setBounds (170, 180, 70, 22);
    lockCodeEditor->setBounds (244, 180, 44, 24);
    lcdButton->setBounds (24, 240, 124, 24);
    frontLogoLabel->setBounds (24, 280, 124, 24);

    loadButton->setBounds (336, 30, 56, 24);
    saveButton->setBounds (336, 62, 56, 24);
    fileNameEditor->setBounds (412, 30, 160, 24);
    fileNameLabel->setBounds (408, 54, 92, 20);
    recallButton->setBounds (336, 126, 56, 24);
    storeButton->setBounds (336, 158, 56, 24);
    presetNameEditor->setBounds (412, 126, 96, 24);
    presetNameLabel->setBounds (408, 150, 92, 20);

    for (int k = 0; k < 10; ++k)
    {
        slotButtons[(size_t) k]->setBounds (372, 202 + 24 * k, 144, 20);
        slotNames[(size_t) k]->setBounds (412, 202 + 24 * k, 100, 20);
        slotButtons[(size_t) (10 + k)]->setBounds (532, 202 + 24 * k, 144, 20);
        slotNames[(size_t) (10 + k)]->setBounds (572, 202 + 24 * k, 100, 20);
    }

    for (size_t i = 0; i < logoButtons.size(); ++i)
        logoButtons[i]->setBounds (122 + 50 * (int) i, 280, 80, 24);
}

//==============================================================================
void CSetupPage::buttonClicked (juce::Button* button)
{
    if (button == loadButton.get())
        loadPcPreset();
    else if (button == saveButton.get())
        savePcPreset();
    else if (button == lockButton.get())
        sendLockCode (true);
    else if (button == storeButton.get())
        storeSpeakerPreset();
    else if (button == recallButton.get())
        recallSpeakerPreset();
    else if (button == renameButton.get())
        renameSpeaker();
    else if (button == unlockButton.get())
        sendLockCode (false);
    else if (button == searchButton.get())
    {
        if (oscCom != nullptr)
            oscCom->rescan();
    }
    else if (button == connectButton.get())
    {
        if (offline)
        {
            if (oscCom != nullptr)
                oscCom->rescan();
        }
        else
        {
            goOffline();
        }
    }
    else if (button == lcdButton.get())
    {
        if (rootCell != nullptr)
            rootCell->setup->screen->setIndex (lcdButton->getToggleState() ? 1 : 0);
        sendSetupNode();
    }
    else if (button->getToggleState())
    {
        // A radio button that its group just turned off reports a click too; only the one turned on counts.
        for (size_t i = 0; i < logoButtons.size(); ++i)
        {
            if (button == logoButtons[i].get())
            {
                if (rootCell != nullptr)
                    rootCell->setup->logo->setIndex ((int) i);
                sendSetupNode();
                return;
            }
        }

        for (int k = 0; k < numSlots; ++k)
        {
            if (button == slotButtons[(size_t) k].get())
            {
                selectPresetSlot (k);
                return;
            }
        }
    }
}

void CSetupPage::comboBoxChanged (juce::ComboBox* box)
{
    if (box != offlineModelBox.get() || box->getSelectedId() <= 0)
        return;

    currentModel = box->getSelectedId() - 1;

    if (auto* rc = owner())
        rc->setModel (currentModel);

    if (rootCell != nullptr)
        rootCell->devname->speakername->fromText ("");
}

void CSetupPage::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    auto* node = dynamic_cast<Cnode*> (source);
    if (node == nullptr || node->kind != groupConfig)
        return;

    if (node->id == idSetup)
    {
        auto* setup = static_cast<Csetup*> (node);
        lcdButton->setToggleState (setup->screen->getIndex() == 1, juce::dontSendNotification);

        const int logo = setup->logo->getIndex();
        if (logo >= 0 && logo < (int) logoButtons.size())
            logoButtons[(size_t) logo]->setToggleState (true, juce::dontSendNotification);
    }
    else if (node->id == idDevname)
    {
        char text[Cnode::textBufferSize] = {};
        static_cast<Cdevname*> (node)->speakername->toText (text);
        deviceNameEditor->setText (textFromSpeaker (text), true);
    }
}

//==============================================================================
void CSetupPage::textEditorTextChanged (juce::TextEditor&) {}

void CSetupPage::textEditorReturnKeyPressed (juce::TextEditor& editor)
{
    if (&editor == deviceNameEditor.get())
        renameSpeaker();

    editor.selectAll();
}

void CSetupPage::textEditorEscapeKeyPressed (juce::TextEditor&) {}

void CSetupPage::textEditorFocusLost (juce::TextEditor& editor)
{
    editor.setCaretPosition (0);
}
