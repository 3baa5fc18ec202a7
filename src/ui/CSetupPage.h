#pragma once
// The Setup tab: finding and connecting the speaker, the offline model, the speaker's name, lock,
// LCD screen and front logo, the speaker's preset slots and the preset files on the computer.

#include <juce_gui_basics/juce_gui_basics.h>

#include "link/LinkPartner.h"
#include "model/PresetModelHost.h"

#include <array>
#include <memory>
#include <optional>

class Cnode;
class Croot;
class RemoteControl;

/** The Setup page. One instance, created by the main component and published in `setupPage`.
    It owns the editor's offline/online flag and current model index, and is the link's partner
    in the user interface (the LinkPartner given to osc::OscCom): the link reports connection events,
    meters, LEDs, the input gain, the lock state and preset replies through it, and the page forwards
    what belongs to the main component, the Configuration page and the dialogs. */
class CSetupPage : public juce::Component,
                   public juce::TextEditor::Listener,
                   public juce::ChangeListener,
                   public juce::ComboBox::Listener,
                   public juce::Button::Listener,
                   public PresetModelHost,
                   public LinkPartner
{
public:
    /** Builds the page offline, with every widget of the connected state hidden. `owner` is the main
        component whose model, meters and LEDs the page drives; when null the program-wide
        `remoteControl` is used (and nothing is driven while there is none). */
    explicit CSetupPage (RemoteControl* owner = nullptr);
    ~CSetupPage() override;

    //==============================================================================
    /** True from construction and after goOffline(); false only while connected. */
    bool offline = true;
    /** Model index last reported by a connecting speaker. */
    int detectedModel = 40;
    /** Model index the whole editor is set to (40 until a model is connected, picked or loaded). */
    int currentModel = 40;
    /** Selected speaker preset slot 0 to 19, or -1 for none. */
    int selectedSlot = -1;

    //==============================================================================
    // Connection and model, called by the link on the message thread.

    /** The user answered Connect: remembers the speaker's model and shows its code. */
    void setModel (int modelIndex) override;
    /** Takes the page and the link online, when offline, the device is open and the model is known. */
    void goOnline() override;
    /** Takes the page (and the link, when online) offline and returns the window to "not connected". */
    void goOffline() override;
    /** After a connection error: updates Connect's enabled state and shows "- offline -". */
    void showOffline() override;

    // Values the link forwards to the user interface.

    /** The speaker's "/lock" reply: shows the code's characters and the Lock or Unlock state. */
    void showLockState (int32_t code) override;
    /** A "/meter" reply: three linear levels for the main component's meters. */
    void showMeters (float input, float outputA, float outputB) override;
    /** A "/peaklimit" report: the input clip LED and the output limit LED. */
    void showPeakLimit (bool clip, bool limitA, bool limitB) override;
    /** A "/gain" reply: moves the configuration page's gain control without sending anything back. */
    void showGain (float gain) override;

    //==============================================================================
    // Speaker presets.

    /** Shows the name of speaker preset slot `slot` (0 to 19). */
    void setSlotName (int slot, const juce::String& name) override;
    /** The speaker recalled a preset: shows its name and asks for every value again. */
    void presetLoaded (const juce::String& name) override;
    /** The speaker stored a preset into slot `slot`. */
    void presetSaved (int slot, const juce::String& name) override;
    /** Asks the speaker to recall the selected slot. */
    void recallSpeakerPreset();
    /** Asks the speaker to store the current settings into the selected slot (never slot 0), under the
        Preset Name cut to what one message carries (presetNameToStore). */
    void storeSpeakerPreset();
    /** `name` cut at a character boundary to at most ten characters that fit one "/preset/save" message. */
    static juce::String presetNameToStore (const juce::String& name);
    /** Selects slot `slot` for Recall and Store. */
    void selectPresetSlot (int slot);
    /** Clears the slot selection and its button. */
    void deselectPresetSlot();

    // Preset files.

    /** Asks for a file name and saves the current settings as a preset file. */
    void savePcPreset();
    /** Asks for a preset file and loads it; while online the loaded values are sent to the speaker. */
    void loadPcPreset();

    //==============================================================================
    // Speaker identity.

    /** Sends the device-name editor's text as the speaker's new name. */
    void renameSpeaker();
    /** Sends the 4-character code of the lock-code editor as "/lock" or "/unlock". */
    void sendLockCode (bool lock);
    /** Sends the "setup" node (LCD screen and front logo). */
    void sendSetupNode();

    //==============================================================================
    // What the link reports for the main component, the Configuration page and the dialogs.

    /** Shows three linear levels on the main component's meters. */
    void setMeterLevels (float input, float outputA, float outputB) override;
    /** Sets the main component's clip and limit LEDs. */
    void setClipLeds (bool clip, bool limitA, bool limitB) override;
    /** True while the main tabs show the Configuration tab. */
    bool isConfigTabShown() override;
    /** Hands eight network-channel levels to the Configuration page. */
    void setK24Meters (int bank, const float* levels) override;
    /** The Connect question: true when the user answered Connect. */
    bool askConnect (const juce::String& deviceName) override;
    /** The modal "Incompatible Speaker Firmware!" box. */
    void showIncompatibleFirmware() override;
    /** The modal "USB connection error!" box. */
    void showConnectionError() override;
    /** The asynchronous box with a speaker's alert text; at most one is open, and the newest other text
        that comes meanwhile is shown when it closes. */
    void showSpeakerAlert (const juce::String& text) override;

    //==============================================================================
    // PresetModelHost
    bool isOffline() const override { return offline; }
    juce::String getModelCode() const override;
    bool setModelFromCode (const juce::String& code) override;

    /** The code's model index: blanks skipped, optional sign, then digits; no digits gives 0. */
    static int parseModelCode (const juce::String& code);

    /** The 32-bit lock code made of the first four UTF-8 bytes of `text`, first byte lowest. */
    static int lockCodeFromText (const juce::String& text);
    /** The text of a lock code: its bytes, lowest first, up to the first zero byte. */
    static juce::String textFromLockCode (int code);

    //==============================================================================
    void paint (juce::Graphics&) override;
    void resized() override;

    void textEditorTextChanged (juce::TextEditor&) override;
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    void textEditorFocusLost (juce::TextEditor&) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void comboBoxChanged (juce::ComboBox* box) override;
    void buttonClicked (juce::Button* button) override;

    /** Number of speaker preset slots. */
    static constexpr int numSlots = 20;

private:
    RemoteControl* owner() const;
    bool deviceOpen() const;
    void updateConnectEnabled();
    void setOnlineWidgetsVisible (bool visible, bool withLogo);
    void openSpeakerAlert (const juce::String& text);
    void speakerAlertClosed();

    RemoteControl* ownerComponent = nullptr;
    Croot* listenedRoot = nullptr;
    Cnode* setupNode = nullptr;
    Cnode* devnameNode = nullptr;

    std::unique_ptr<juce::Label> modelLabel, offlineModeLabel;
    std::unique_ptr<juce::ComboBox> offlineModelBox;
    std::array<std::unique_ptr<juce::TextEditor>, numSlots> slotNames;
    std::array<std::unique_ptr<juce::ToggleButton>, numSlots> slotButtons;
    std::unique_ptr<juce::TextButton> loadButton, saveButton, lockButton;
    std::unique_ptr<juce::TextEditor> lockCodeEditor;
    std::unique_ptr<juce::TextButton> storeButton, connectButton, searchButton;
    std::unique_ptr<juce::TextEditor> presetNameEditor;
    std::unique_ptr<juce::TextButton> recallButton;
    std::unique_ptr<juce::Label> lockCodeLabel, presetNameLabel;
    std::unique_ptr<juce::TextButton> renameButton;
    std::unique_ptr<juce::TextEditor> fileNameEditor;
    std::unique_ptr<juce::Label> fileNameLabel;
    std::unique_ptr<juce::TextButton> unlockButton, lcdButton;
    std::unique_ptr<juce::Label> frontLogoLabel;
    std::array<std::unique_ptr<juce::ToggleButton>, 3> logoButtons;
    std::unique_ptr<juce::TextEditor> deviceNameEditor;

    // The speaker-alert box: whether it is open, the text it shows, and the newest other text that came
    // while it was open.
    bool alertBoxOpen = false;
    juce::String alertBoxText;
    std::optional<juce::String> alertToFollow;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CSetupPage)
};

/** The one Setup page while it exists (set by the page's construction and by the main component,
    cleared by the page's destruction). */
extern CSetupPage* setupPage;
