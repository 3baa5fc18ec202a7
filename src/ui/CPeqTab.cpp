#include "CPeqTab.h"

#include "NumberField.h"
#include "PageWidgets.h"

#include "CPeqPage.h"
#include "Dialogs.h"
#include "EqMath.h"
#include "Palette.h"
#include "formatText32.h"

#include "model/Croot.h"
#include "model/Globals.h"

#include <BinaryData.h>

CPeqTab* peqTab = nullptr;

namespace
{
constexpr int numBands = 4;
constexpr int userSlot = 4;

// Radio groups: the low-shelf slopes, the high-shelf slopes and the EQ modes.
constexpr int lowShelfGroup = 1;
constexpr int highShelfGroup = 2;
constexpr int modeGroup = 3;

// Values of the band type enumeration that the tab itself sets.
constexpr int typePeq = 1;
constexpr int typeLs6 = 2;
constexpr int typeLs12 = 3;
constexpr int typeHs6 = 4;
constexpr int typeHs12 = 5;

// Which knob setSectionFromSlider writes.
constexpr int whichFrequency = 1;
constexpr int whichGain = 2;
constexpr int whichQuality = 3;

const juce::Colour knobThumb { 0xff9f2f2f };
const juce::Colour knobOutline { 0x66000000 };
const juce::Colour knobTextBoxText { 0xffffff00 };
const juce::Colour gainThumb { 0x00000000 };
const juce::Colour gainTextBoxBackground { 0x00fffff1 };
const juce::Colour gainTextBoxOutline { 0x50ffffff };

/** Left edge of band b's column. */
constexpr int columnX (int band) noexcept
{
    return 334 + 100 * band;
}

/** The place of the frame around band b's column. */
juce::Rectangle<int> frameBounds (int band)
{
    return { 324 + 100 * band, 2, 86, 254 };
}

/** Repaints the Equaliser page's response graph. */
void repaintGraph()
{
    if (peqPage != nullptr)
        peqPage->repaintGraph();
}

/** A parameter's text form as a juce::String. */
juce::String paramText (Cparam& param)
{
    char text[Cnode::textBufferSize] = {};
    param.toText (text);
    return juce::String (text);
}

/** Designs `band` from its node's current parameters. */
void designBand (int band, Cpeq& node)
{
    EqMath::designPeqBand (band, node.type->getIndex(), node.freq->getFloat(), node.gain->getFloat(),
                           node.qual->getFloat());
}

std::unique_ptr<juce::Slider> makeGainKnob()
{
    auto knob = std::make_unique<juce::Slider> ("gain");
    knob->setSliderStyle (juce::Slider::Rotary);
    knob->setRange (-15.0, 15.0, 0.1);
    knob->setTextBoxStyle (juce::Slider::TextBoxBelow, false, 80, 20);
    keepKnobValueOnTextWithoutNumber (*knob);
    knob->setDoubleClickReturnValue (true, 0.0);
    knob->setColour (juce::Slider::thumbColourId, gainThumb);
    knob->setColour (juce::Slider::rotarySliderFillColourId, palette::lightBlue);
    knob->setColour (juce::Slider::textBoxTextColourId, palette::caption);
    knob->setColour (juce::Slider::textBoxBackgroundColourId, gainTextBoxBackground);
    knob->setColour (juce::Slider::textBoxOutlineColourId, gainTextBoxOutline);
    return knob;
}

/** A frequency or Q knob: whole steps from 0 to `steps`, no text box. */
std::unique_ptr<juce::Slider> makeStepKnob (double steps)
{
    auto knob = std::make_unique<juce::Slider> ("sine wave frequency");
    knob->setSliderStyle (juce::Slider::Rotary);
    knob->setRange (0.0, steps, 1.0);
    knob->setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob->setColour (juce::Slider::thumbColourId, knobThumb);
    knob->setColour (juce::Slider::rotarySliderFillColourId, palette::lightBlue);
    knob->setColour (juce::Slider::rotarySliderOutlineColourId, knobOutline);
    knob->setColour (juce::Slider::textBoxTextColourId, knobTextBoxText);
    knob->setColour (juce::Slider::textBoxBackgroundColourId, palette::background);
    return knob;
}


std::unique_ptr<juce::ToggleButton> makeTypeToggle (const char* text, int group)
{
    auto toggle = std::make_unique<juce::ToggleButton> ("FilterType");
    toggle->setButtonText (juce::translate (text));
    toggle->setRadioGroupId (group);
    toggle->setClickingTogglesState (true);
    toggle->setColour (juce::ToggleButton::textColourId, palette::caption);
    return toggle;
}

std::unique_ptr<juce::TextButton> makeModeButton (const char* text)
{
    auto button = std::make_unique<juce::TextButton> ("eq Button");
    button->setButtonText (juce::translate (text));
    button->setRadioGroupId (modeGroup);
    button->setClickingTogglesState (true);
    button->setColour (juce::TextButton::buttonColourId, palette::grey);
    button->setColour (juce::TextButton::buttonOnColourId, palette::blue);
    button->setColour (juce::TextButton::textColourOffId, palette::lightText);
    button->setColour (juce::TextButton::textColourOnId, palette::lightText);
    return button;
}
} // namespace

//==============================================================================
CPeqTab::CPeqTab()
{
    setName ("PeqTab");

    resetButton = std::make_unique<juce::TextButton> (juce::String());
    resetButton->setButtonText (juce::translate ("Reset All"));
    resetButton->setTooltip (juce::translate ("reset"));
    resetButton->setColour (juce::TextButton::buttonColourId, palette::red);
    resetButton->setColour (juce::TextButton::buttonOnColourId, palette::red);
    resetButton->setColour (juce::TextButton::textColourOffId, palette::lightText);
    resetButton->setColour (juce::TextButton::textColourOnId, palette::lightText);
    addAndMakeVisible (*resetButton);

    typeCaption = makePageLabel ("filter type", juce::translate ("Type"), juce::Font (15.0f));
    gainCaption = makePageLabel ("filter gain", juce::translate ("Gain"), juce::Font (15.0f));
    frequencyCaption = makePageLabel ("filter frequency", juce::translate ("Frequency"), juce::Font (15.0f));
    qualityCaption = makePageLabel ("filter quality", juce::translate ("Quality"), juce::Font (15.0f));
    for (auto* caption : { typeCaption.get(), gainCaption.get(), frequencyCaption.get(), qualityCaption.get() })
        addAndMakeVisible (*caption);

    remoteLabel = makePageLabel ("k24contr", juce::translate ("controlled by Lirabus"), juce::Font (15.0f),
                                 juce::Justification::centred, palette::lightBlue);
    addChildComponent (*remoteLabel);

    static const char* const typeTexts[numBands] = { "LS6", "LS12", "HS6", "HS12" };
    static const int typeGroups[numBands] = { lowShelfGroup, lowShelfGroup, highShelfGroup, highShelfGroup };
    static const char* const titles[numBands] = { "Low", "High", "PEQ 1", "PEQ 2" };

    for (int b = 0; b < numBands; ++b)
    {
        gainSliders[(size_t) b] = makeGainKnob();
        addAndMakeVisible (*gainSliders[(size_t) b]);

        typeToggles[(size_t) b] = makeTypeToggle (typeTexts[b], typeGroups[b]);
        addAndMakeVisible (*typeToggles[(size_t) b]);

        freqEditors[(size_t) b] = makeNumberField ("freq text editor");
        addAndMakeVisible (*freqEditors[(size_t) b]);

        qualEditors[(size_t) b] = makeNumberField ("qual text editor");
        addAndMakeVisible (*qualEditors[(size_t) b]);

        freqSliders[(size_t) b] = makeStepKnob (600.0);
        addAndMakeVisible (*freqSliders[(size_t) b]);

        qualSliders[(size_t) b] = makeStepKnob (100.0);
        addAndMakeVisible (*qualSliders[(size_t) b]);

        bandLabels[(size_t) b] = makePageLabel ("filter num", juce::translate (titles[b]),
                                                juce::Font (15.0f, juce::Font::bold));
        addAndMakeVisible (*bandLabels[(size_t) b]);

        eqOnButtons[(size_t) b] = std::make_unique<juce::ImageButton> ("EQ on");
        initEqOnButton (*eqOnButtons[(size_t) b]);
        addAndMakeVisible (*eqOnButtons[(size_t) b]);

        gainUnitLabels[(size_t) b] = makePageLabel ("filter gain", juce::translate ("dB"), juce::Font (15.0f));
        addAndMakeVisible (*gainUnitLabels[(size_t) b]);

        freqUnitLabels[(size_t) b] = makePageLabel ("filter freq", juce::translate ("Hz"), juce::Font (15.0f));
        addAndMakeVisible (*freqUnitLabels[(size_t) b]);
    }

    static const char* const modeTexts[5] = { "None", "Live", "Speech", "Playback", "User" };
    for (size_t slot = 0; slot < modeButtons.size(); ++slot)
    {
        modeButtons[slot] = makeModeButton (modeTexts[slot]);
        addAndMakeVisible (*modeButtons[slot]);
    }
    modeButtons[0]->setToggleState (true, juce::dontSendNotification);

    setSize (720, 260);
    modeCount = 0;

    if (rootCell != nullptr)
    {
        listenedRoot = rootCell;
        eqmodeNode = dynamic_cast<Ceqmode*> (Cnode::findByPath (rootCell, "eqmode"));
        if (eqmodeNode != nullptr)
            eqmodeNode->addChangeListener (this);

        for (int b = 0; b < numBands; ++b)
        {
            char path[formatText32Size];
            formatText32 (path, "peq/%02d", b + 1);
            bands[(size_t) b] = dynamic_cast<Cpeq*> (Cnode::findByPath (rootCell, path));
            if (bands[(size_t) b] != nullptr)
                bands[(size_t) b]->addChangeListener (this);
        }
    }

    for (size_t b = 0; b < numBands; ++b)
    {
        eqOnButtons[b]->setToggleState (true, juce::dontSendNotification);
        qualSliders[b]->setDoubleClickReturnValue (true, 50.0);
    }

    typeToggles[0]->setToggleState (true, juce::dontSendNotification);
    typeToggles[2]->setToggleState (true, juce::dontSendNotification);

    // The shelves have no Q to edit.
    for (size_t b = 0; b < 2; ++b)
    {
        qualSliders[b]->setVisible (false);
        qualEditors[b]->setVisible (false);
    }

    activeFrame = std::make_unique<juce::GroupComponent> ("active group", juce::String());
    activeFrame->setColour (juce::GroupComponent::outlineColourId, palette::blue);
    addAndMakeVisible (*activeFrame);

    for (size_t b = 0; b < numBands; ++b)
    {
        gainSliders[b]->addListener (this);
        freqSliders[b]->addListener (this);
        qualSliders[b]->addListener (this);
        freqEditors[b]->addListener (this);
        qualEditors[b]->addListener (this);
        eqOnButtons[b]->addListener (this);
        typeToggles[b]->addListener (this);
    }
    for (auto& button : modeButtons)
        button->addListener (this);
    resetButton->addListener (this);

    peqTab = this;
}

CPeqTab::~CPeqTab()
{
    if (hasTree())
    {
        if (eqmodeNode != nullptr)
            eqmodeNode->removeChangeListener (this);
        for (auto* band : bands)
            if (band != nullptr)
                band->removeChangeListener (this);
    }

    if (peqTab == this)
        peqTab = nullptr;
}

bool CPeqTab::hasTree() const noexcept
{
    return rootCell != nullptr && rootCell == listenedRoot;
}

template <typename Array>
int CPeqTab::indexOf (const Array& widgets, const juce::Component* component) noexcept
{
    for (size_t i = 0; i < widgets.size(); ++i)
        if (widgets[i].get() == component)
            return (int) i;
    return -1;
}

void CPeqTab::initEqOnButton (juce::ImageButton& button)
{
    const auto off = juce::ImageCache::getFromMemory (BinaryData::eq_OFF_png, BinaryData::eq_OFF_pngSize);
    const auto on = juce::ImageCache::getFromMemory (BinaryData::eq_ON_png, BinaryData::eq_ON_pngSize);
    const juce::Colour none = juce::Colours::transparentBlack;

    button.setTooltip (juce::translate ("enable/disable"));
    button.setImages (false, true, true,
                      off, 1.0f, none,
                      off, 0.8f, none,
                      on, 1.0f, none);
    button.setClickingTogglesState (true);
}

//==============================================================================
void CPeqTab::setModel (int newModel)
{
    auto* tab = peqTab;
    if (tab == nullptr)
        return;

    tab->model = newModel;

    if (newModel >= 0 && newModel <= 22)
    {
        tab->modeButtons[1]->setButtonText (juce::translate ("Live"));
        tab->modeButtons[2]->setButtonText (juce::translate ("Speech"));
        tab->modeButtons[3]->setButtonText (juce::translate ("Playback"));
        tab->modeCount = 4;
    }
    else if (newModel >= 23 && newModel <= 38)
    {
        if (subwooferFlag)
        {
            tab->modeCount = 1;
        }
        else
        {
            tab->modeButtons[1]->setButtonText (juce::translate ("Array 2"));
            tab->modeButtons[2]->setButtonText (juce::translate ("Array 3+"));
            tab->modeCount = 3;
        }
    }

    for (int slot = 0; slot < userSlot; ++slot)
        tab->modeButtons[(size_t) slot]->setVisible (slot < tab->modeCount);

    // The button that stands for the current mode depends on modeCount: show it again for the new model.
    if (tab->hasTree() && tab->eqmodeNode != nullptr)
        tab->changeListenerCallback (tab->eqmodeNode);

    tab->repaint();
}

void CPeqTab::sectionChanged (int band)
{
    if (band < 0 || band >= numBands)
        return;

    auto* node = bands[(size_t) band];
    if (node == nullptr || ! hasTree())
        return;

    node->sendOsc (node->path);
    designBand (band, *node);
    repaintGraph();
    activeFrame->setBounds (frameBounds (band));
}

void CPeqTab::setSectionFromSlider (int band, int which, float value)
{
    if (band < 0 || band >= numBands)
        return;

    auto* node = bands[(size_t) band];
    if (node == nullptr || ! hasTree())
        return;

    const auto b = (size_t) band;
    switch (which)
    {
        case whichFrequency:
            node->freq->setIndex ((int) value);
            freqEditors[b]->setText (paramText (*node->freq), false);
            break;

        case whichGain:
            node->gain->setFromFloat (eqOnButtons[b]->getToggleState() ? value : 0.0f);
            break;

        case whichQuality:
            node->qual->setIndex ((int) value);
            qualEditors[b]->setText (paramText (*node->qual), false);
            break;

        default:
            break;
    }
}

void CPeqTab::resetUserEq()
{
    static const int types[numBands] = { typeLs6, typeHs6, typePeq, typePeq };
    static const float frequencies[numBands] = { 100.0f, 10000.0f, 500.0f, 2000.0f };
    constexpr int defaultQualityStep = 9;

    if (! hasTree())
        return;

    for (int b = 0; b < numBands; ++b)
    {
        auto* node = bands[(size_t) b];
        if (node == nullptr)
            continue;

        eqOnButtons[(size_t) b]->setToggleState (true, juce::dontSendNotification);
        node->type->setIndex (types[b]);
        node->freq->setFromFloat (frequencies[b]);
        node->gain->setFromFloat (0.0f);
        node->qual->setIndex (defaultQualityStep);
        changeListenerCallback (node);
        node->sendOsc (node->path);
    }

    repaintGraph();
}

//==============================================================================
void CPeqTab::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    auto* node = dynamic_cast<Cnode*> (source);
    if (node == nullptr || ! hasTree())
        return;

    if (node->kind == groupPeq)
    {
        const int band = node->id / 256 - 1;
        auto* peq = dynamic_cast<Cpeq*> (node);
        if (band < 0 || band >= numBands || peq == nullptr)
            return;

        const auto b = (size_t) band;
        auto& eqOn = *eqOnButtons[b];

        if (! eqOn.getToggleState() && peq->gain->getFloat() != 0.0f)
            eqOn.setToggleState (true, juce::dontSendNotification);

        freqEditors[b]->setText (paramText (*peq->freq), false);
        freqSliders[b]->setValue (peq->freq->getIndex(), juce::dontSendNotification);

        if (eqOn.getToggleState())
            gainSliders[b]->setValue (peq->gain->getFloat(), juce::dontSendNotification);

        qualSliders[b]->setValue (peq->qual->getIndex(), juce::dontSendNotification);
        qualEditors[b]->setText (paramText (*peq->qual), false);

        const int type = peq->type->getIndex();
        if (band == 0 && (type == typeLs6 || type == typeLs12))
            typeToggles[type == typeLs6 ? 0 : 1]->setToggleState (true, juce::dontSendNotification);
        else if (band == 1 && (type == typeHs6 || type == typeHs12))
            typeToggles[type == typeHs6 ? 2 : 3]->setToggleState (true, juce::dontSendNotification);

        designBand (band, *peq);
        repaintGraph();
    }
    else if (node->kind == groupConfig && node->id == idEqmode)
    {
        auto* eqmode = dynamic_cast<Ceqmode*> (node);
        if (eqmode == nullptr)
            return;

        const int mode = eqmode->mode->getIndex();
        const int slot = mode == modeCount ? userSlot : mode;

        if (slot >= 0 && slot <= userSlot)
        {
            modeButtons[(size_t) slot]->setToggleState (true, juce::dontSendNotification);
        }
        else
        {
            // A mode the tab offers no button for: none is shown as selected.
            for (auto& button : modeButtons)
                button->setToggleState (false, juce::dontSendNotification);
        }

        repaint();
    }
}

//==============================================================================
void CPeqTab::textEditorTextChanged (juce::TextEditor&) {}

void CPeqTab::textEditorEscapeKeyPressed (juce::TextEditor&) {}

void CPeqTab::textEditorReturnKeyPressed (juce::TextEditor& editor)
{
    int band = indexOf (freqEditors, &editor);
    const int which = band >= 0 ? whichFrequency : whichQuality;
    if (band < 0)
        band = indexOf (qualEditors, &editor);
    if (band < 0)
        return;

    applyFieldText (band, which, editor);
}

void CPeqTab::applyFieldText (int band, int which, juce::TextEditor& editor)
{
    auto* node = bands[(size_t) band];
    if (node == nullptr || ! hasTree())
        return;

    auto& param = which == whichFrequency ? *node->freq : *node->qual;
    auto& knob = which == whichFrequency ? *freqSliders[(size_t) band] : *qualSliders[(size_t) band];

    // Return on the text shown for the held value keeps it: the text may be rounded ("0.15" for 0.1514).
    if (keepsHeldText (editor, paramText (param)))
        return;

    param.fromText (typedNumberText (editor).toRawUTF8());
    editor.setText (paramText (param), false);
    knob.setValue (param.getIndex(), juce::dontSendNotification);
    sectionChanged (band);
    editor.selectAll();
}

void CPeqTab::textEditorFocusLost (juce::TextEditor& editor)
{
    int band = indexOf (freqEditors, &editor);
    Cparam* Cpeq::*param = &Cpeq::freq;
    if (band < 0)
    {
        band = indexOf (qualEditors, &editor);
        param = &Cpeq::qual;
    }
    if (band < 0)
        return;

    auto* node = bands[(size_t) band];
    if (node == nullptr || ! hasTree())
        return;

    editor.setText (paramText (*(node->*param)), false);
    editor.setCaretPosition (0);
    sectionChanged (band);
}

void CPeqTab::sliderValueChanged (juce::Slider* slider)
{
    int which = whichGain;
    int band = indexOf (gainSliders, slider);
    if (band < 0)
    {
        which = whichFrequency;
        band = indexOf (freqSliders, slider);
    }
    if (band < 0)
    {
        which = whichQuality;
        band = indexOf (qualSliders, slider);
    }
    if (band < 0)
        return;

    setSectionFromSlider (band, which, (float) slider->getValue());
    sectionChanged (band);
}

void CPeqTab::buttonClicked (juce::Button* button)
{
    if (button == resetButton.get())
    {
        if (Dialogs::current().askOkCancel (juce::MessageBoxIconType::QuestionIcon,
                                            juce::translate ("Reset USER EQ..."),
                                            juce::translate ("Do you want to reset all user filters?"),
                                            juce::translate ("Yes"), juce::translate ("Cancel")))
            resetUserEq();
        return;
    }

    if (const int band = indexOf (eqOnButtons, button); band >= 0)
    {
        auto* node = bands[(size_t) band];
        if (node == nullptr || ! hasTree())
            return;

        const bool on = button->getToggleState();
        node->gain->setFromFloat (on ? (float) gainSliders[(size_t) band]->getValue() : 0.0f);
        sectionChanged (band);
        return;
    }

    // A click in a radio group also reports the partner that it switched off: only the button that is
    // now on acts, so each click sends once.
    if (const int toggle = indexOf (typeToggles, button); toggle >= 0)
    {
        if (! button->getToggleState())
            return;

        const int band = toggle < 2 ? 0 : 1;
        auto* node = bands[(size_t) band];
        if (node == nullptr || ! hasTree())
            return;

        if (band == 0)
            node->type->setIndex (typeToggles[0]->getToggleState() ? typeLs6 : typeLs12);
        else
            node->type->setIndex (typeToggles[2]->getToggleState() ? typeHs6 : typeHs12);

        sectionChanged (band);
        return;
    }

    if (const int slot = indexOf (modeButtons, button); slot >= 0 && button->getToggleState())
        modeButtonClicked (slot);
}

void CPeqTab::modeButtonClicked (int slot)
{
    if (eqmodeNode == nullptr || ! hasTree())
        return;

    eqmodeNode->mode->setIndex (slot == userSlot ? modeCount : slot);
    eqmodeNode->sendOsc (eqmodeNode->path);
    repaint();
}

//==============================================================================
juce::Image CPeqTab::modePicture (int mode) const
{
    if (model >= 0 && model <= 22)
    {
        switch (mode)
        {
            case 1: return juce::ImageCache::getFromMemory (BinaryData::icons_LIVE_png, BinaryData::icons_LIVE_pngSize);
            case 2: return juce::ImageCache::getFromMemory (BinaryData::icons_SPEECH_png, BinaryData::icons_SPEECH_pngSize);
            case 3: return juce::ImageCache::getFromMemory (BinaryData::icons_PLAYBACK_png, BinaryData::icons_PLAYBACK_pngSize);
            default: return {};
        }
    }

    if (model >= 23 && model <= 38 && ! subwooferFlag)
    {
        switch (mode)
        {
            case 1: return juce::ImageCache::getFromMemory (BinaryData::icons_ARRAY2_png, BinaryData::icons_ARRAY2_pngSize);
            case 2: return juce::ImageCache::getFromMemory (BinaryData::icons_ARRAY3_png, BinaryData::icons_ARRAY3_pngSize);
            default: return {};
        }
    }

    return {};
}

void CPeqTab::paint (juce::Graphics& g)
{
    g.fillAll (palette::background);

    g.setColour (palette::grey);
    for (int x : { 110, 111, 220, 221 })
        g.fillRect (x, 0, 1, getHeight());

    const int mode = hasTree() && eqmodeNode != nullptr ? eqmodeNode->mode->getIndex() : 0;
    const auto picture = modePicture (mode);
    if (picture.isValid())
    {
        g.setOpacity (1.0f);
        g.drawImageAt (picture, 124, 120);
    }

    repaintGraph();

    const bool remote = hasTree() && rootCell->input->remote->getIndex() != 0
                        && rootCell->input->source->getIndex() != 0 && model < 6;
    remoteLabel->setVisible (remote);
}

void CPeqTab::resized()
{
    for (int b = 0; b < numBands; ++b)
    {
        const auto i = (size_t) b;
        const int x0 = columnX (b);
        bandLabels[i]->setBounds (x0 - 4, 16, 68, 24);
        eqOnButtons[i]->setBounds (x0 + 46, 16, 24, 24);
        gainSliders[i]->setBounds (x0, 52, 48, 60);
        gainUnitLabels[i]->setBounds (x0 + 48, 93, 26, 18);
        freqSliders[i]->setBounds (x0 + 4, 120, 40, 40);
        freqEditors[i]->setBounds (x0, 160, 48, 20);
        freqUnitLabels[i]->setBounds (x0 + 46, 162, 26, 18);
        qualSliders[i]->setBounds (x0 + 4, 184, 40, 40);
        qualEditors[i]->setBounds (x0, 224, 48, 20);
    }

    typeToggles[0]->setBounds (334, 190, 80, 20);
    typeToggles[1]->setBounds (334, 206, 80, 20);
    typeToggles[2]->setBounds (434, 190, 80, 20);
    typeToggles[3]->setBounds (434, 206, 80, 20);

    gainCaption->setBounds (234, 92, 60, 20);
    frequencyCaption->setBounds (234, 160, 77, 20);
    typeCaption->setBounds (234, 190, 56, 20);
    qualityCaption->setBounds (234, 224, 64, 20);

    modeButtons[0]->setBounds (16, 16, 80, 24);
    modeButtons[1]->setBounds (126, 16, 80, 24);
    modeButtons[2]->setBounds (126, 46, 80, 24);
    modeButtons[3]->setBounds (126, 76, 80, 24);
    modeButtons[4]->setBounds (236, 16, 80, 24);

    resetButton->setBounds (236, 58, 80, 24);
    remoteLabel->setBounds (6, 56, 100, 32);
}
