#pragma once
// What the speaker link needs from the user interface: the Setup page, the main component and the
// dialogs. The user interface implements it; the link only ever calls it on the message thread.

#include <juce_core/juce_core.h>

#include <cstdint>

/** The operations the OSC link calls on the Setup page, the main component and the Configuration page,
    and the dialogs it raises. Every call comes on the message thread. */
class LinkPartner
{
public:
    virtual ~LinkPartner() = default;

    //==================================================================================================
    // Setup page

    /** "/meter" reply: input, output A and output B levels (linear, finite, never negative). */
    virtual void showMeters (float input, float outputA, float outputB) = 0;

    /** "/peaklimit": the input clip LED and the two output limit LEDs. */
    virtual void showPeakLimit (bool clip, bool limitA, bool limitB) = 0;

    /** "/gain" reply: sets the Configuration page's input gain knob without sending it back. */
    virtual void showGain (float gain) = 0;

    /** "/preset/name" reply: name of preset slot `slot` (always 0 to 19). */
    virtual void setSlotName (int slot, const juce::String& name) = 0;

    /** "/preset/load" reply: the recalled preset's name. */
    virtual void presetLoaded (const juce::String& name) = 0;

    /** "/preset/save" reply: the stored preset's slot (0 to 19, or 20 when the speaker named no slot
        of the twenty, so that no slot editor is touched) and its name. */
    virtual void presetSaved (int slot, const juce::String& name) = 0;

    /** "/lock" reply: the lock code (0 when unlocked). */
    virtual void showLockState (int32_t code) = 0;

    /** The user answered Connect: the model index the speaker reported (any int32: the page must not
        index its tables with a value outside 0 to 40). */
    virtual void setModel (int modelIndex) = 0;

    /** Takes the page online (it calls OscCom::goOnline and then enables sending) when it is offline,
        the device is open and the detected model is below 39; otherwise does nothing. */
    virtual void goOnline() = 0;

    /** Takes the page offline (calling OscCom::goOffline when it was online). */
    virtual void goOffline() = 0;

    /** Shows the page as offline after a connection error. */
    virtual void showOffline() = 0;

    //==================================================================================================
    // Main component

    /** Shows three linear levels on the main meters (the link passes 0, 0, 0 when it goes offline). */
    virtual void setMeterLevels (float input, float outputA, float outputB) = 0;

    /** Sets the main component's input clip LED and output limit LED (limit on when either is set) and
        repaints both. */
    virtual void setClipLeds (bool clip, bool limitA, bool limitB) = 0;

    /** True while the main tab bar shows the Configuration tab (index 1). */
    virtual bool isConfigTabShown() = 0;

    /** CConfigPage::setK24Meters: eight network-channel levels of bank `bank` (0: channels 1 to 8,
        otherwise 9 to 16). Called only while isConfigTabShown(). */
    virtual void setK24Meters (int bank, const float* levels) = 0;

    //==================================================================================================
    // Dialogs

    /** The modal Connect question: title deviceName + " Speaker connected!", message
        "Request all data and lose current settings?", buttons "Connect" (true) and "Cancel" (false). */
    virtual bool askConnect (const juce::String& deviceName) = 0;

    /** The modal warning "Incompatible Speaker Firmware!" / "Please update to latest version" / "Ok". */
    virtual void showIncompatibleFirmware() = 0;

    /** The modal warning "USB connection error!" / "Speaker will be disconnected" / "Ok". */
    virtual void showConnectionError() = 0;

    /** An asynchronous warning box titled "Alert message from speaker:" with `text` (already
        translated) and the button "Ok". When the box closes, the implementation calls
        osc::OscCom::alertClosed(). At most one such box is open: a text that comes while it is open,
        other than the one it shows, is shown when it closes (only the newest). */
    virtual void showSpeakerAlert (const juce::String& text) = 0;
};
