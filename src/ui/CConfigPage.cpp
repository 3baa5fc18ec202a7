#include "CConfigPage.h"

#include "NumberField.h"
#include "PageWidgets.h"

#include "EqMath.h"
#include "Palette.h"
#include "led_meter.h"

#include "link/OscCom.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "model/NumberText.h"

#include <BinaryData.h>

#include <cmath>
#include <cstring>

CConfigPage* configPage = nullptr;

const int voicingCounts[6] = { 6, 5, 8, 8, 4, 5 };

const char* const voicingNames[6][8] = {
    { "Ka8", "Ka10", "Ka12", "Vel82", "Vel102", "Ptx122", nullptr, nullptr },
    { "Ka10", "Ka8", "Ka12", "Vel102", "Vel122", nullptr, nullptr, nullptr },
    { "Ka12", "Ka8", "Ka10", "Ka15", "Vel122", "Vel152", "Ptx122", "Ptx152" },
    { "Ka15", "Ka8", "Ka10", "Ka12", "Vel122", "Vel152", "Ptx122", "Ptx152" },
    { "Ka15B", "Ka18B", "Vel115B", "Ptx118B", nullptr, nullptr, nullptr, nullptr },
    { "Ka18B", "Ka15B", "Vel115B", "Vel118B", "Ptx118B", nullptr, nullptr, nullptr },
};

namespace
{
// Delay editor units: metres and feet per millisecond (speed of sound), in single precision.
constexpr float metresPerMs = 0.343f;
constexpr float feetPerMs = 1.1253623f;

constexpr int numPositionButtons = 4;
constexpr int numVoicingButtons = 8;
constexpr int numChannels = 16;
constexpr int positionRadioGroup = 3;
constexpr int voicingRadioGroup = 4;

const juce::Colour thumbColour { 0xff9f2f2f };
const juce::Colour limiterThumbColour { 0x00000001 };
const juce::Colour textBoxBackground { 0x00fffff1 };
const juce::Colour textBoxOutline { 0x60a8a8a8 };

/** An embedded picture: the addresses of its bytes and size in BinaryData. */
struct Picture
{
    const char* const* data;
    const int* size;

    juce::Image load() const
    {
        return data == nullptr ? juce::Image() : embeddedPicture (*data, *size);
    }
};

#define VARENTO_PICTURE(name) Picture { &BinaryData::name##_png, &BinaryData::name##_pngSize }

/** The picture shown for a voicing name. */
Picture voicingPicture (const char* name)
{
    static const struct { const char* name; Picture picture; } table[] = {
        { "Ka8", VARENTO_PICTURE (Ka8_trans) },         { "Ka10", VARENTO_PICTURE (Ka10_trans) },
        { "Ka12", VARENTO_PICTURE (Ka12_trans) },       { "Ka15", VARENTO_PICTURE (Ka15_trans) },
        { "Ka15B", VARENTO_PICTURE (Ka15B_trans) },     { "Ka18B", VARENTO_PICTURE (Ka18B_trans) },
        { "Vel82", VARENTO_PICTURE (Vel82AN_trans) },   { "Vel102", VARENTO_PICTURE (Vel102AN_trans) },
        { "Vel122", VARENTO_PICTURE (Vel122AN_trans) }, { "Vel152", VARENTO_PICTURE (Vel152AN_trans) },
        { "Vel115B", VARENTO_PICTURE (Vel115BAN_trans) }, { "Vel118B", VARENTO_PICTURE (Vel118BAN_trans) },
        { "Ptx122", VARENTO_PICTURE (Ptx122_trans) },   { "Ptx152", VARENTO_PICTURE (Ptx152_trans) },
        { "Ptx118B", VARENTO_PICTURE (Ptx118BAN_trans) },
    };

    for (auto& entry : table)
        if (std::strcmp (entry.name, name) == 0)
            return entry.picture;

    return { nullptr, nullptr };
}

/** The speaker pictures of model indexes 8 to 38, in model order. */
const Picture modelPictures[31] = {
    VARENTO_PICTURE (Ptx122_trans), VARENTO_PICTURE (Ptx152_trans), VARENTO_PICTURE (Ptx118BAN_trans),
    VARENTO_PICTURE (Vel82AN_trans), VARENTO_PICTURE (Vel102AN_trans), VARENTO_PICTURE (Vel122AN_trans),
    VARENTO_PICTURE (Vel152AN_trans), VARENTO_PICTURE (Vel115BAN_trans), VARENTO_PICTURE (Vel118BAN_trans),
    VARENTO_PICTURE (Vel82ANWH_trans), VARENTO_PICTURE (Vel102ANWH_trans), VARENTO_PICTURE (Vel122ANWH_trans),
    VARENTO_PICTURE (Vel152ANWH_trans), VARENTO_PICTURE (Vel115BANWH_trans), VARENTO_PICTURE (Vel118BANWH_trans),
    VARENTO_PICTURE (Dmr12264AN_trans), VARENTO_PICTURE (Dmr12296AN_trans), VARENTO_PICTURE (Dmr12294AN_trans),
    VARENTO_PICTURE (Dmr15264AN_trans), VARENTO_PICTURE (Dmr15296AN_trans), VARENTO_PICTURE (Dmr15294AN_trans),
    VARENTO_PICTURE (Dmr115BAN_trans), VARENTO_PICTURE (Dmr218BAN_trans),
    VARENTO_PICTURE (Dmr12264ANWH_trans), VARENTO_PICTURE (Dmr12296ANWH_trans), VARENTO_PICTURE (Dmr12294ANWH_trans),
    VARENTO_PICTURE (Dmr15264ANWH_trans), VARENTO_PICTURE (Dmr15296ANWH_trans), VARENTO_PICTURE (Dmr15294ANWH_trans),
    VARENTO_PICTURE (Dmr115BANWH_trans), VARENTO_PICTURE (Dmr218BANWH_trans),
};

#undef VARENTO_PICTURE

bool hasVoicings (int modelIndex) noexcept
{
    return modelIndex >= 0 && modelIndex <= 5;
}

std::unique_ptr<juce::Slider> makeKnob (const juce::String& name, double minimum, double maximum, double interval,
                                        bool textBox, juce::Colour thumb)
{
    auto knob = std::make_unique<juce::Slider> (name);
    knob->setSliderStyle (juce::Slider::Rotary);
    knob->setRange (minimum, maximum, interval);
    if (textBox)
    {
        knob->setTextBoxStyle (juce::Slider::TextBoxBelow, false, 55, 20);
        keepKnobValueOnTextWithoutNumber (*knob);
    }
    else
        knob->setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob->setColour (juce::Slider::thumbColourId, thumb);
    knob->setColour (juce::Slider::rotarySliderFillColourId, palette::lightBlue);
    knob->setColour (juce::Slider::textBoxTextColourId, palette::caption);
    knob->setColour (juce::Slider::textBoxBackgroundColourId, textBoxBackground);
    knob->setColour (juce::Slider::textBoxOutlineColourId, textBoxOutline);
    return knob;
}

/** A delay editor's text for `ms` milliseconds in the editor's unit (`factor` units per millisecond). */
juce::String delayText (float ms, float factor)
{
    return juce::String ((float) (ms * factor), 3);
}

std::unique_ptr<juce::TextEditor> makeDelayEditor (const juce::String& name)
{
    auto editor = makeNumberField (name);
    editor->setFont (juce::Font (15.0f, juce::Font::plain));
    return editor;
}

std::unique_ptr<juce::TextButton> makeTextButton (const juce::String& text, int radioGroup)
{
    auto button = std::make_unique<juce::TextButton> (juce::String(), juce::String());
    button->setButtonText (juce::translate (text));
    button->setClickingTogglesState (true);
    if (radioGroup != 0)
        button->setRadioGroupId (radioGroup);
    button->setColour (juce::TextButton::buttonColourId, palette::grey);
    button->setColour (juce::TextButton::buttonOnColourId, palette::blue);
    button->setColour (juce::TextButton::textColourOffId, palette::lightText);
    button->setColour (juce::TextButton::textColourOnId, palette::lightText);
    return button;
}
} // namespace

//==============================================================================
CConfigPage::CConfigPage()
{
    sourceBox = std::make_unique<juce::ComboBox> ("InputSource");
    sourceBox->setEditableText (false);
    sourceBox->setJustificationType (juce::Justification::centredLeft);
    sourceBox->setTextWhenNothingSelected ({});
    sourceBox->setTextWhenNoChoicesAvailable (juce::translate ("(no choices)"));
    sourceBox->addItem (juce::translate ("Analog"), 1);
    for (int channel = 1; channel <= numChannels; ++channel)
        sourceBox->addItem (juce::translate ("Lirabus Ch") + juce::String (channel).paddedLeft ('0', 2), channel + 1);
    sourceBox->setColour (juce::ComboBox::backgroundColourId, palette::grey);
    sourceBox->setColour (juce::ComboBox::textColourId, palette::lightText);
    sourceBox->setColour (juce::ComboBox::outlineColourId, palette::caption);
    sourceBox->setColour (juce::ComboBox::buttonColourId, palette::blue);
    sourceBox->setColour (juce::ComboBox::arrowColourId, palette::orange);
    addAndMakeVisible (*sourceBox);

    // The input gain (analog, sent as "/gain") and the trim (Lirabus, in the input node) share one place.
    inputGainKnob = makeKnob ("input Trim", -60.0, 0.0, 0.5, true, thumbColour);
    addChildComponent (*inputGainKnob);
    trimKnob = makeKnob ("input Trim", -30.0, 10.0, 0.5, true, thumbColour);
    addChildComponent (*trimKnob);
    delayKnob = makeKnob ("delay Time", 0.0, 300.0, 0.02, false, thumbColour);
    addAndMakeVisible (*delayKnob);
    limiterKnob = makeKnob ("limiter Threshold", -30.0, 0.0, 0.5, true, limiterThumbColour);
    addAndMakeVisible (*limiterKnob);

    msecEditor = makeDelayEditor ("delay A msec");
    meterEditor = makeDelayEditor ("delay A meter");
    feetEditor = makeDelayEditor ("delay A feet");
    for (auto* editor : { msecEditor.get(), meterEditor.get(), feetEditor.get() })
        addAndMakeVisible (editor);

    remoteButton = makeTextButton ("Enable", 0);
    addChildComponent (*remoteButton);

    const char* const positionTexts[numPositionButtons] = { "Stand", "Wall", "Ceiling", "Corner" };
    for (int k = 0; k < numPositionButtons; ++k)
    {
        positionButtons[(size_t) k] = makeTextButton (positionTexts[k], positionRadioGroup);
        addAndMakeVisible (*positionButtons[(size_t) k]);
    }
    positionButtons[0]->setToggleState (true, juce::dontSendNotification);

    for (int k = 0; k < numVoicingButtons; ++k)
    {
        voicingButtons[(size_t) k] = makeTextButton ({}, voicingRadioGroup);
        addChildComponent (*voicingButtons[(size_t) k]);
    }
    voicingButtons[0]->setToggleState (true, juce::dontSendNotification);

    const juce::Font boldFont (15.0f, juce::Font::bold);
    const juce::Font plainFont (15.0f);

    for (int k = 0; k < numChannels; ++k)
    {
        channelMeters[(size_t) k] = std::make_unique<led_meter> ("k24 meter");
        channelMeters[(size_t) k]->setRange (7, -60.0f, 0.0f);
        addChildComponent (*channelMeters[(size_t) k]);

        channelNumbers[(size_t) k] = makePageLabel ("idx", juce::translate (juce::String (k + 1)), boldFont,
                                                    juce::Justification::centred);
        addChildComponent (*channelNumbers[(size_t) k]);
    }

    activeFrame = std::make_unique<juce::GroupComponent> ("active meter", juce::String());
    activeFrame->setColour (juce::GroupComponent::outlineColourId, palette::lightText);
    addChildComponent (*activeFrame);

    metersTitle = makePageLabel ("k24meter", juce::translate ("Lirabus Input Channels"), boldFont);
    addChildComponent (*metersTitle);
    remoteNote = makePageLabel ("k24contr", juce::translate ("controlled by Lirabus"), juce::Font (14.0f),
                                juce::Justification::centredLeft, palette::lightBlue);
    addChildComponent (*remoteNote);

    inputTitle = makePageLabel ("input", juce::translate ("Input"), boldFont);
    delayTitle = makePageLabel ("delay", juce::translate ("Delay"), boldFont);
    limiterTitle = makePageLabel ("limiter", juce::translate ("Limiter"), boldFont);
    positionTitle = makePageLabel ("position", juce::translate ("Position"), boldFont);
    modelTitle = makePageLabel ("model", juce::translate ("Model"), boldFont);
    for (auto* label : { inputTitle.get(), delayTitle.get(), limiterTitle.get(), positionTitle.get() })
        addAndMakeVisible (label);
    addChildComponent (*modelTitle);

    trimCaption = makePageLabel ("trim", juce::translate ("Trim"), plainFont);
    addChildComponent (*trimCaption);
    gainCaption = makePageLabel ("gain", juce::translate ("Input Gain"), plainFont);
    addChildComponent (*gainCaption);
    timeCaption = makePageLabel ("time", juce::translate ("Time"), plainFont);
    addAndMakeVisible (*timeCaption);
    thresholdCaption = makePageLabel ("threshold", juce::translate ("Threshold"), plainFont,
                                      juce::Justification::centred);
    addAndMakeVisible (*thresholdCaption);

    remoteCaption = makePageLabel ("remote", juce::translate ("Remote Control"), plainFont,
                                   juce::Justification::centred);
    addChildComponent (*remoteCaption);
    viaCaption = makePageLabel ("viaK24", juce::translate ("via Lirabus"), plainFont, juce::Justification::centred);
    addChildComponent (*viaCaption);

    dbLabel = makePageLabel ("dB", juce::translate ("dB"), boldFont);
    addChildComponent (*dbLabel);
    msLabel = makePageLabel ("ms", juce::translate ("ms"), boldFont);
    meterLabel = makePageLabel ("m", juce::translate ("m"), boldFont);
    feetLabel = makePageLabel ("ft", juce::translate ("ft"), boldFont);
    dbfsLabel = makePageLabel ("dBfs", juce::translate ("dBfs"), boldFont);
    for (auto* label : { msLabel.get(), meterLabel.get(), feetLabel.get(), dbfsLabel.get() })
        addAndMakeVisible (label);

    if (rootCell != nullptr)
    {
        listenedRoot = rootCell;
        inputNode = Cnode::findByPath (rootCell, "input");
        delayNode = dynamic_cast<Cdelay*> (Cnode::findByPath (rootCell, "delay"));
        limiterNode = dynamic_cast<Climiter*> (Cnode::findByPath (rootCell, "limiter"));
        positionNode = Cnode::findByPath (rootCell, "position");
        modelNode = Cnode::findByPath (rootCell, "model");

        for (Cnode* node : { inputNode, (Cnode*) delayNode, (Cnode*) limiterNode, positionNode, modelNode })
            if (node != nullptr)
                node->addChangeListener (this);
    }

    for (auto* editor : { msecEditor.get(), meterEditor.get(), feetEditor.get() })
        editor->addListener (this);
    remoteButton->addListener (this);
    for (auto& b : positionButtons)
        b->addListener (this);
    for (auto& b : voicingButtons)
        b->addListener (this);
    sourceBox->addListener (this);
    for (auto* knob : { inputGainKnob.get(), trimKnob.get(), delayKnob.get(), limiterKnob.get() })
        knob->addListener (this);

    // Announced asynchronously: the source is written and the input node sent once the loop runs.
    sourceBox->setSelectedId (1, juce::sendNotificationAsync);

    modelIndex = 0;
    setSize (720, 470);
}

CConfigPage::~CConfigPage()
{
    // The tree outlives the page in the program; a test may have replaced it, then its nodes are gone.
    if (listenedRoot != nullptr && rootCell == listenedRoot)
        for (Cnode* node : { inputNode, (Cnode*) delayNode, (Cnode*) limiterNode, positionNode, modelNode })
            if (node != nullptr)
                node->removeChangeListener (this);
}

//==============================================================================
bool CConfigPage::isSubwooferModel (int index) noexcept
{
    switch (index)
    {
        case 4: case 5: case 7: case 10: case 15: case 16:
        case 21: case 22: case 29: case 30: case 37: case 38:
            return true;
        default:
            return false;
    }
}

juce::Image CConfigPage::speakerPicture (int index, int voicing)
{
    if (hasVoicings (index))
    {
        if (voicing < 0 || voicing >= voicingCounts[index])
            return {};
        return voicingPicture (voicingNames[index][voicing]).load();
    }

    if (index >= 8 && index <= 38)
        return modelPictures[index - 8].load();

    return {};
}

juce::Image CConfigPage::positionPicture (int index, int position)
{
    if (isSubwooferModel (index))
    {
        switch (position)
        {
            case 0: return juce::ImageCache::getFromMemory (BinaryData::position_sub_front_png, BinaryData::position_sub_front_pngSize);
            case 1: return juce::ImageCache::getFromMemory (BinaryData::position_sub_wall_png, BinaryData::position_sub_wall_pngSize);
            case 2: return juce::ImageCache::getFromMemory (BinaryData::position_sub_corner_png, BinaryData::position_sub_corner_pngSize);
            default: return {};
        }
    }

    switch (position)
    {
        case 0:
            // Index 23 and above (and anything negative, read unsigned): the models that hang free.
            if ((unsigned) index >= 23u)
                return juce::ImageCache::getFromMemory (BinaryData::position_free_png, BinaryData::position_free_pngSize);
            return juce::ImageCache::getFromMemory (BinaryData::position_stand_png, BinaryData::position_stand_pngSize);
        case 1: return juce::ImageCache::getFromMemory (BinaryData::position_wall_png, BinaryData::position_wall_pngSize);
        case 2: return juce::ImageCache::getFromMemory (BinaryData::position_ceiling_png, BinaryData::position_ceiling_pngSize);
        case 3: return juce::ImageCache::getFromMemory (BinaryData::position_corner_png, BinaryData::position_corner_pngSize);
        default: return {};
    }
}

bool CConfigPage::hasTree() const noexcept
{
    return rootCell != nullptr && rootCell == listenedRoot;
}

int CConfigPage::currentSource() const
{
    return hasTree() ? rootCell->input->source->getIndex() : 0;
}

int CConfigPage::currentRemote() const
{
    return hasTree() ? rootCell->input->remote->getIndex() : 0;
}

//==============================================================================
void CConfigPage::setModel (int index)
{
    modelIndex = index;
    subwooferFlag = isSubwooferModel (index);

    if (subwooferFlag)
    {
        positionButtons[0]->setButtonText (juce::translate ("Floor"));
        positionButtons[2]->setButtonText (juce::translate ("Corner"));
    }
    else
    {
        positionButtons[0]->setButtonText (juce::translate ((unsigned) index >= 23u ? "Free" : "Stand"));
        positionButtons[2]->setButtonText (juce::translate (index == 8 || index == 9 ? "Floor" : "Ceiling"));
    }
    positionButtons[3]->setVisible (! subwooferFlag);

    const bool voicings = hasVoicings (index);
    modelTitle->setVisible (voicings);

    for (int k = 0; k < numVoicingButtons; ++k)
    {
        auto& button = *voicingButtons[(size_t) k];
        const bool shown = voicings && k < voicingCounts[index];
        if (shown)
            button.setButtonText (juce::translate (voicingNames[index][k]));
        button.setVisible (shown);
    }

    const int source = currentSource();
    if (source != 0)
    {
        trimCaption->setVisible (true);
        trimKnob->setVisible (true);
        gainCaption->setVisible (false);
        inputGainKnob->setVisible (false);
        dbLabel->setVisible (true);
        remoteCaption->setVisible (voicings);
        viaCaption->setVisible (voicings);
        remoteButton->setVisible (voicings);
        activeFrame->setBounds (24 * source, 54, 26, 80);
    }
    else
    {
        // The analog input gain exists only on the models outside the first six.
        const bool analogGain = index > 5;
        trimCaption->setVisible (false);
        trimKnob->setVisible (false);
        gainCaption->setVisible (analogGain);
        inputGainKnob->setVisible (analogGain);
        dbLabel->setVisible (analogGain);
        remoteCaption->setVisible (false);
        viaCaption->setVisible (false);
        remoteButton->setVisible (false);
    }

    updateSourceDependentVisibility();
    repaint();
}

void CConfigPage::updateSourceDependentVisibility()
{
    const int source = currentSource();
    const bool channel = source > 0;

    metersTitle->setVisible (channel);
    activeFrame->setVisible (channel);
    for (int k = 0; k < numChannels; ++k)
    {
        channelMeters[(size_t) k]->setVisible (channel);
        channelNumbers[(size_t) k]->setVisible (channel);
    }

    remoteNote->setVisible (currentRemote() != 0 && source != 0 && modelIndex < 6);
}

void CConfigPage::setK24Meters (int bank, const float* levels)
{
    if (configPage == nullptr || levels == nullptr)
        return;

    const int first = bank == 0 ? 0 : 8;
    for (int i = 0; i < 8; ++i)
        configPage->channelMeters[(size_t) (first + i)]->setLevel ((float) led_meter::dbFromLinear (levels[i]));
}

void CConfigPage::updateDelayTexts (float ms)
{
    if (hasTree() && delayNode != nullptr)
        delayNode->del->setFromFloat (ms);

    msecEditor->setText (delayText (ms, 1.0f), juce::dontSendNotification);
    meterEditor->setText (delayText (ms, metresPerMs), juce::dontSendNotification);
    feetEditor->setText (delayText (ms, feetPerMs), juce::dontSendNotification);
}

//==============================================================================
void CConfigPage::paint (juce::Graphics& g)
{
    g.fillAll (palette::background);
    g.setColour (palette::grey);

    updateSourceDependentVisibility();

    if (currentSource() > 0)
    {
        g.fillRoundedRectangle (18.0f, 55.0f, 400.0f, 80.0f, 10.0f);
        g.setColour (palette::background);
        for (int k = 0; k < numChannels; ++k)
            g.fillRoundedRectangle ((float) (28 + 24 * k), 67.0f, 18.0f, 39.0f, 2.5f);
        g.setColour (palette::grey);
    }

    const int width = getWidth();
    const int height = getHeight();
    g.fillRect (0, 180, width, 1);
    g.fillRect (0, 181, width, 1);
    for (int x : { 144, 145, 288, 289 })
        g.fillRect (x, 180, 1, height - 180);
    for (int x : { 432, 433 })
        g.fillRect (x, 0, 1, height);
    if (hasVoicings (modelIndex))
        for (int x : { 576, 577 })
            g.fillRect (x, 180, 1, height - 180);

    // Unknown and absent speakers (39, 40) show no pictures.
    if ((unsigned) modelIndex >= 39u)
        return;

    g.drawImageAt (juce::ImageCache::getFromMemory (BinaryData::position_room_png, BinaryData::position_room_pngSize),
                   436, 8);

    const int position = hasTree() ? rootCell->position->spkpos->getIndex() : 0;
    const auto positionImage = positionPicture (modelIndex, position);
    if (positionImage.isValid())
    {
        if ((modelIndex == 8 || modelIndex == 9) && position == 2)
            g.drawImageAt (positionImage, 456, 104);
        else
            g.drawImageAt (positionImage, 436, 8);
    }

    g.drawImageAt (juce::ImageCache::getFromMemory (BinaryData::Lighting_png, BinaryData::Lighting_pngSize), 576, 1);

    const int voicing = hasTree() ? rootCell->model->model->getIndex() : 0;
    const auto speaker = speakerPicture (modelIndex, voicing);
    if (speaker.isValid())
        g.drawImageAt (speaker, 584, 50);
}

void CConfigPage::resized()
{
    sourceBox->setBounds (16, 224, 116, 24);
    inputGainKnob->setBounds (50, 306, 48, 60);
    trimKnob->setBounds (50, 306, 48, 60);
    delayKnob->setBounds (194, 306, 40, 40);
    limiterKnob->setBounds (334, 306, 48, 60);
    msecEditor->setBounds (180, 348, 60, 20);
    meterEditor->setBounds (180, 376, 60, 20);
    feetEditor->setBounds (180, 404, 60, 20);
    remoteButton->setBounds (40, 424, 68, 24);

    for (int k = 0; k < numPositionButtons; ++k)
        positionButtons[(size_t) k]->setBounds (466, 228 + 30 * k, 80, 24);
    for (int k = 0; k < numVoicingButtons; ++k)
        voicingButtons[(size_t) k]->setBounds (610, 228 + 30 * k, 80, 24);
    for (int k = 0; k < numChannels; ++k)
    {
        channelMeters[(size_t) k]->setBounds (30 + 24 * k, 70, 14, 35);
        channelNumbers[(size_t) k]->setBounds (25 + 24 * k, 110, 24, 20);
    }

    metersTitle->setBounds (126, 20, 226, 20);
    remoteNote->setBounds (580, 208, 180, 16);
    inputTitle->setBounds (50, 190, 100, 20);
    delayTitle->setBounds (190, 190, 126, 20);
    limiterTitle->setBounds (330, 190, 126, 20);
    positionTitle->setBounds (474, 190, 126, 20);
    modelTitle->setBounds (626, 190, 126, 20);
    trimCaption->setBounds (56, 280, 100, 20);
    gainCaption->setBounds (36, 280, 100, 20);
    timeCaption->setBounds (192, 280, 100, 20);
    thresholdCaption->setBounds (310, 280, 100, 20);
    remoteCaption->setBounds (10, 380, 130, 20);
    viaCaption->setBounds (10, 398, 130, 20);
    dbLabel->setBounds (100, 348, 40, 18);
    msLabel->setBounds (240, 348, 32, 20);
    meterLabel->setBounds (240, 376, 34, 20);
    feetLabel->setBounds (240, 404, 24, 20);
    dbfsLabel->setBounds (384, 348, 40, 18);
}

//==============================================================================
void CConfigPage::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    auto* node = dynamic_cast<Cnode*> (source);
    if (node == nullptr || ! hasTree())
        return;

    switch (node->kind)
    {
        case groupDelay:
        {
            const float ms = rootCell->delay->del->getFloat();
            delayKnob->setValue (ms, juce::dontSendNotification);
            updateDelayTexts (ms);
            return;
        }

        case groupLimiter:
            limiterKnob->setValue (rootCell->limiter->thres->getFloat(), juce::dontSendNotification);
            return;

        case groupConfig:
            break;

        default:
            return;
    }

    auto* input = rootCell->input;
    switch (node->id)
    {
        case idInput:
            // A position outside the list (there is none today) leaves nothing selected.
            sourceBox->setSelectedItemIndex (input->source->getIndex(), juce::dontSendNotification);
            trimKnob->setValue (input->gain->getFloat(), juce::dontSendNotification);
            remoteButton->setToggleState (input->remote->getIndex() > 0, juce::dontSendNotification);
            setModel (modelIndex);
            break;

        case idPosition:
        {
            const int position = rootCell->position->spkpos->getIndex();
            if (position >= 0 && position < numPositionButtons)
                positionButtons[(size_t) position]->setToggleState (true, juce::dontSendNotification);
            break;
        }

        case idModel:
        {
            const int voicing = rootCell->model->model->getIndex();
            if (voicing >= 0 && voicing < numVoicingButtons)
                voicingButtons[(size_t) voicing]->setToggleState (true, juce::dontSendNotification);
            break;
        }

        default:
            break;
    }

    repaint();
}

void CConfigPage::textEditorTextChanged (juce::TextEditor&) {}

void CConfigPage::textEditorEscapeKeyPressed (juce::TextEditor&) {}

void CConfigPage::applyDelayText (juce::TextEditor& editor)
{
    if (! hasTree() || delayNode == nullptr)
        return;

    const float factor = &editor == meterEditor.get() ? metresPerMs
                       : &editor == feetEditor.get()  ? feetPerMs
                                                      : 1.0f;

    // Return on the text shown for the held delay keeps it: the three decimals may be rounded.
    if (keepsHeldText (editor, delayText (delayNode->del->getFloat(), factor)))
        return;

    float typed = 0.0f;
    parseFloat (typedNumberText (editor).toRawUTF8(), &typed);

    delayNode->del->setFromFloat (typed / factor);
    delayKnob->setValue (delayNode->del->getFloat(), juce::sendNotificationAsync);
    delayNode->sendOsc (delayNode->path);
}

void CConfigPage::textEditorReturnKeyPressed (juce::TextEditor& editor)
{
    if (&editor != msecEditor.get() && &editor != meterEditor.get() && &editor != feetEditor.get())
        return;

    applyDelayText (editor);
    editor.selectAll();
}

void CConfigPage::textEditorFocusLost (juce::TextEditor& editor)
{
    if (hasTree() && delayNode != nullptr)
        updateDelayTexts (delayNode->del->getFloat());

    editor.setCaretPosition (0);
}

void CConfigPage::buttonClicked (juce::Button* button)
{
    if (! hasTree())
        return;

    if (button == remoteButton.get())
    {
        auto* input = rootCell->input;
        input->remote->setIndex (remoteButton->getToggleState() ? 1 : 0);
        input->sendOsc (input->path);
        updateSourceDependentVisibility();
        repaint();
        return;
    }

    // Switching a radio button on also reports the one it switched off: only the one now on counts.
    for (int k = 0; k < numPositionButtons; ++k)
    {
        if (button == positionButtons[(size_t) k].get())
        {
            if (! button->getToggleState())
                return;
            auto* position = rootCell->position;
            position->spkpos->setIndex (k);
            position->sendOsc (position->path);
            repaint();
            return;
        }
    }

    for (int k = 0; k < numVoicingButtons; ++k)
    {
        if (button == voicingButtons[(size_t) k].get())
        {
            if (! button->getToggleState())
                return;
            auto* model = rootCell->model;
            model->model->setIndex (k);
            model->sendOsc (model->path);
            repaint();
            return;
        }
    }
}

void CConfigPage::comboBoxChanged (juce::ComboBox* box)
{
    if (box != sourceBox.get() || ! hasTree())
        return;

    auto* input = rootCell->input;
    input->source->setIndex (juce::jlimit (0, numChannels, sourceBox->getSelectedItemIndex()));
    setModel (modelIndex);
    input->sendOsc (input->path);
    repaint();
}

void CConfigPage::sliderValueChanged (juce::Slider* slider)
{
    if (slider == inputGainKnob.get())
    {
        // The analog gain lives in the speaker only; the tree has no node for it.
        osc::OscCom::sendGain ((float) slider->getValue());
        return;
    }

    if (! hasTree())
        return;

    if (slider == delayKnob.get())
    {
        updateDelayTexts ((float) slider->getValue());
        if (delayNode != nullptr)
            delayNode->sendOsc (delayNode->path);
    }
    else if (slider == limiterKnob.get())
    {
        auto* limiter = rootCell->limiter;
        limiter->thres->setFromFloat ((float) slider->getValue());
        limiter->sendOsc (limiter->path);
    }
    else if (slider == trimKnob.get())
    {
        auto* input = rootCell->input;
        input->gain->setFromFloat ((float) slider->getValue());
        input->sendOsc (input->path);
    }
}
