#include "CXoverTab.h"

#include "NumberField.h"
#include "PageWidgets.h"

#include "CPeqPage.h"
#include "EqMath.h"
#include "Palette.h"
#include "model/Croot.h"
#include "model/Globals.h"

#include <BinaryData.h>

CXoverTab* xoverTab = nullptr;

namespace
{
    const juce::Colour buttonOn { 0xff104879 };
    const juce::Colour sliderThumb { 0xff9f2f2f };
    const juce::Colour sliderOutline { 0x66000000 };

    constexpr int tabWidth = 720;
    constexpr int tabHeight = 260;
    constexpr int buttonWidth = 80;
    constexpr int buttonHeight = 24;

    /** Slider range of the user frequency: subwoofers reach 50 to 150 Hz, tops 75 to 399.98 Hz. */
    constexpr int subwooferTopStep = 317;
    constexpr int topBottomStep = 117;
    constexpr int topStep = 600;

    bool isAnyOf (int model, std::initializer_list<int> models) noexcept
    {
        for (int m : models)
            if (m == model)
                return true;
        return false;
    }

    /** The preset texts of a model, buttons 0 onwards; the rest keep their earlier text. */
    juce::StringArray presetTexts (int model, bool subwoofer)
    {
        const juce::StringArray hpTop { "None", "HP 120 Hz", "HP 100 Hz" };

        if (model >= 0 && model <= 5)
            return subwoofer ? juce::StringArray { model == 4 ? "LP 130 Hz" : "LP 100 Hz", "Ka8 ", "Ka10", "Ka12", "Ka15" }
                             : juce::StringArray { "None", "Ka15B", "Ka18B" };
        if (model == 6 || model == 7)
            return subwoofer ? juce::StringArray { "None", "8\" Top", "10\"Top", "12\"Top", "15\"Top" } : hpTop;
        if (model >= 8 && model <= 10)
            return subwoofer ? juce::StringArray { "LP 120 Hz", "LP 100 Hz", "Ptx112", "Ptx152" }
                             : juce::StringArray { "None", "HP 120 Hz", "HP 100 Hz", "Ptx118" };
        if (model >= 11 && model <= 22)
            return subwoofer ? juce::StringArray { "LP 120 Hz", "LP 100 Hz", "Vel82 ", "Vel102", "Vel122", "Vel152" }
                             : juce::StringArray { "None", "HP 120 Hz", "HP 100 Hz", "Vel115", "Vel118" };
        return subwoofer ? juce::StringArray { "LP 100 Hz", "LP 120 Hz" } : hpTop;
    }

    /** Corner frequency of a top's preset k (1 to 4). */
    float topCorner (int model, int k) noexcept
    {
        static const float table[][4] = {
            { 115.0f, 100.0f, 120.0f, 100.0f },  // 0, 1
            { 120.0f, 100.0f, 120.0f, 100.0f },  // 2
            { 120.0f, 105.0f, 120.0f, 100.0f },  // 3
            { 120.0f, 100.0f, 100.0f, 100.0f },  // 8, 9
            { 130.0f, 100.0f, 130.0f, 100.0f },  // 11, 17
            { 120.0f, 100.0f, 120.0f, 105.0f },  // 12, 18
            { 130.0f, 110.0f, 120.0f, 100.0f },  // 26 to 28, 34 to 36
            { 120.0f, 100.0f, 120.0f, 100.0f },  // every other model
        };

        int row = 7;
        if (model == 0 || model == 1)                      row = 0;
        else if (model == 2)                               row = 1;
        else if (model == 3)                               row = 2;
        else if (model == 8 || model == 9)                 row = 3;
        else if (model == 11 || model == 17)               row = 4;
        else if (model == 12 || model == 18)               row = 5;
        else if (isAnyOf (model, { 26, 27, 28, 34, 35, 36 })) row = 6;

        return k >= 1 && k <= 4 ? table[row][k - 1] : 0.0f;
    }

    /** Corner frequency of a subwoofer's preset k. */
    float subwooferCorner (int model, int k) noexcept
    {
        if (model >= 29 && k == 1)
            return 120.0f;
        if (isAnyOf (model, { 10, 15, 16, 21, 22 }))
            return k == 1 ? 100.0f : 120.0f;
        return model == 4 ? 130.0f : 100.0f;
    }

    /** Level offset (dB) of a subwoofer's preset k. */
    float subwooferOffset (int model, int k) noexcept
    {
        static const float models45[] = { 0, -7, -4, 0, 0, 0 };
        static const float model10[] = { 0, 0, -5, -5, 0, 0 };
        static const float models1521[] = { 0, 0, -9, -8, -3, -1 };
        static const float models1622[] = { 0, 0, -7, -6, -2, 0 };

        if (k < 0 || k > 5)
            return 0.0f;
        if (model == 4 || model == 5)    return models45[k];
        if (model == 10)                 return model10[k];
        if (model == 15 || model == 21)  return models1521[k];
        if (model == 16 || model == 22)  return models1622[k];
        return 0.0f;
    }

    void styleTextButton (juce::TextButton& b)
    {
        b.setColour (juce::TextButton::buttonColourId, palette::grey);
        b.setColour (juce::TextButton::buttonOnColourId, buttonOn);
        b.setColour (juce::TextButton::textColourOnId, palette::lightText);
        b.setColour (juce::TextButton::textColourOffId, palette::lightText);
    }
}

//==============================================================================
CXoverTab::CXoverTab()
{
    setName ("XoverTab");

    frequencyLabel = makePageLabel ("user frequency", "Frequency", juce::Font (15.0f));
    addAndMakeVisible (frequencyLabel.get());
    frequencyLabel->setBounds (306, 138, 77, 20);

    typeLabel = makePageLabel ("user type", "Filtertype       Butterworth 24 dB", juce::Font (15.0f));
    addAndMakeVisible (typeLabel.get());
    typeLabel->setBounds (306, 170, 250, 20);

    frequencySlider = std::make_unique<juce::Slider> ("sine wave frequency");
    addAndMakeVisible (frequencySlider.get());
    frequencySlider->setRange (0.0, (double) topStep, 1.0);
    frequencySlider->setSliderStyle (juce::Slider::Rotary);
    frequencySlider->setTextBoxStyle (juce::Slider::NoTextBox, false, 80, 20);
    frequencySlider->setColour (juce::Slider::thumbColourId, sliderThumb);
    frequencySlider->setColour (juce::Slider::rotarySliderFillColourId, palette::lightBlue);
    frequencySlider->setColour (juce::Slider::rotarySliderOutlineColourId, sliderOutline);
    frequencySlider->setColour (juce::Slider::textBoxTextColourId, juce::Colour (0xffffff00));
    frequencySlider->setColour (juce::Slider::textBoxBackgroundColourId, palette::background);
    frequencySlider->addListener (this);
    frequencySlider->setBounds (408, 100, 40, 40);

    frequencyEditor = makeNumberField ("freq text editor");
    addAndMakeVisible (frequencyEditor.get());
    frequencyEditor->setText (juce::String());
    frequencyEditor->addListener (this);
    frequencyEditor->setBounds (404, 140, 48, 20);

    phase0Button = std::make_unique<juce::ToggleButton> ("phase0");
    addAndMakeVisible (phase0Button.get());
    phase0Button->setButtonText ("0 deg");
    phase0Button->setRadioGroupId (2);
    phase0Button->setColour (juce::ToggleButton::textColourId, palette::caption);
    phase0Button->addListener (this);
    phase0Button->setToggleState (true, juce::dontSendNotification);
    phase0Button->setBounds (410, 60, 60, 24);

    phase180Button = std::make_unique<juce::ToggleButton> ("phase180");
    addAndMakeVisible (phase180Button.get());
    phase180Button->setButtonText ("180 deg");
    phase180Button->setRadioGroupId (2);
    phase180Button->setColour (juce::ToggleButton::textColourId, palette::caption);
    phase180Button->addListener (this);
    phase180Button->setBounds (470, 60, 80, 24);

    phaseButton = std::make_unique<juce::TextButton> ("phase");
    addAndMakeVisible (phaseButton.get());
    phaseButton->setButtonText ("Phase");
    phaseButton->setClickingTogglesState (true);
    styleTextButton (*phaseButton);
    phaseButton->addListener (this);
    phaseButton->setBounds (306, 60, buttonWidth, buttonHeight);

    const char* const initialTexts[] = { "None", "-", "-", "-", "-", "-", "User" };
    for (int slot = 0; slot <= userSlot; ++slot)
    {
        auto& b = presetButtons[(size_t) slot];
        b = std::make_unique<juce::TextButton> ("xover Button");
        b->setButtonText (initialTexts[slot]);
        b->setRadioGroupId (3);
        b->setClickingTogglesState (true);
        styleTextButton (*b);
        b->addListener (this);

        // Until a model names them, only "User" is offered.
        if (slot == userSlot)
            addAndMakeVisible (b.get());
        else
            addChildComponent (b.get());
    }
    presetButtons[userSlot]->setBounds (306, 16, buttonWidth, buttonHeight);

    setSize (tabWidth, tabHeight);

    if (rootCell != nullptr)
    {
        if (auto* found = dynamic_cast<Cxover*> (Cnode::findByPath (rootCell, "xover")))
        {
            listenedRoot = rootCell;
            xover = found;
            xover->addChangeListener (this);

            const int k = juce::jlimit (0, userSlot, xover->type->getIndex());
            presetButtons[(size_t) k]->setToggleState (true, juce::dontSendNotification);
        }
    }

    xoverTab = this;
}

CXoverTab::~CXoverTab()
{
    if (auto* n = node())
        n->removeChangeListener (this);
    xover = nullptr;

    if (xoverTab == this)
        xoverTab = nullptr;
}

Cxover* CXoverTab::node() const noexcept
{
    return listenedRoot != nullptr && rootCell == listenedRoot ? xover : nullptr;
}

void CXoverTab::sendNode()
{
    if (auto* n = node())
        n->sendOsc (n->path);
}

void CXoverTab::repaintGraph()
{
    if (peqPage != nullptr)
        peqPage->repaintGraph();
}

//==============================================================================
int CXoverTab::presetCountFor (int modelIndex, bool subwoofer) noexcept
{
    if (modelIndex < 0 || modelIndex > 38)
        return -1;
    if (modelIndex <= 3)   return 3;
    if (modelIndex <= 5)   return 5;
    if (modelIndex == 6)   return 3;
    if (modelIndex == 7)   return 5;
    if (modelIndex <= 10)  return 4;
    if (modelIndex <= 22)  return subwoofer ? 6 : 5;
    return subwoofer ? 2 : 3;
}

void CXoverTab::displayCorner (int modelIndex, bool subwoofer, int k, int count, float userHz,
                               float& frequencyHz, float& offsetDb) noexcept
{
    frequencyHz = 0.0f;
    offsetDb = 0.0f;

    if (k >= count)
    {
        frequencyHz = userHz;
        return;
    }

    if (subwoofer)
    {
        frequencyHz = subwooferCorner (modelIndex, k);
        offsetDb = subwooferOffset (modelIndex, k);
    }
    else if (k > 0)
    {
        frequencyHz = topCorner (modelIndex, k);
    }
}

const char* CXoverTab::pairedPictureData (int modelIndex, bool subwoofer, int k, int& dataSize) noexcept
{
    struct Picture { const char* data; int size; };
    Picture p { nullptr, 0 };

    if (modelIndex >= 0 && modelIndex <= 3 && ! subwoofer)
    {
        if (k == 1)      p = { BinaryData::Ka15B_trans_png, BinaryData::Ka15B_trans_pngSize };
        else if (k == 2) p = { BinaryData::Ka18B_trans_png, BinaryData::Ka18B_trans_pngSize };
    }
    else if ((modelIndex == 4 || modelIndex == 5) && subwoofer)
    {
        if (k == 1)      p = { BinaryData::Ka8_trans_png, BinaryData::Ka8_trans_pngSize };
        else if (k == 2) p = { BinaryData::Ka10_trans_png, BinaryData::Ka10_trans_pngSize };
        else if (k == 3) p = { BinaryData::Ka12_trans_png, BinaryData::Ka12_trans_pngSize };
        else if (k == 4) p = { BinaryData::Ka15_trans_png, BinaryData::Ka15_trans_pngSize };
    }
    else if (modelIndex >= 8 && modelIndex <= 10)
    {
        if (subwoofer)
        {
            if (k == 2)      p = { BinaryData::Ptx122_trans_png, BinaryData::Ptx122_trans_pngSize };
            else if (k == 3) p = { BinaryData::Ptx152_trans_png, BinaryData::Ptx152_trans_pngSize };
        }
        else if (k == 3)
        {
            p = { BinaryData::Ptx118BAN_trans_png, BinaryData::Ptx118BAN_trans_pngSize };
        }
    }
    else if (modelIndex >= 11 && modelIndex <= 22)
    {
        if (subwoofer)
        {
            if (k == 2)      p = { BinaryData::Vel82AN_trans_png, BinaryData::Vel82AN_trans_pngSize };
            else if (k == 3) p = { BinaryData::Vel102AN_trans_png, BinaryData::Vel102AN_trans_pngSize };
            else if (k == 4) p = { BinaryData::Vel122AN_trans_png, BinaryData::Vel122AN_trans_pngSize };
            else if (k == 5) p = { BinaryData::Vel152AN_trans_png, BinaryData::Vel152AN_trans_pngSize };
        }
        else
        {
            if (k == 3)      p = { BinaryData::Vel115BAN_trans_png, BinaryData::Vel115BAN_trans_pngSize };
            else if (k == 4) p = { BinaryData::Vel118BAN_trans_png, BinaryData::Vel118BAN_trans_pngSize };
        }
    }

    dataSize = p.size;
    return p.data;
}

//==============================================================================
void CXoverTab::setModel (int modelIndex)
{
    auto* tab = xoverTab;
    if (tab == nullptr)
        return;

    tab->model = modelIndex;

    const int count = presetCountFor (modelIndex, subwooferFlag);
    if (count >= 0)
        tab->presetCount = count;

    for (int slot = 0; slot < userSlot; ++slot)
        tab->presetButtons[(size_t) slot]->setVisible (slot < tab->presetCount);

    // The stored type may name another preset, or "User", under the new model's count.
    tab->showStoredType();
    tab->setPresetTexts();

    // The stored user frequency stays; only the knob's reach follows the model.
    if (subwooferFlag)
        tab->frequencySlider->setRange (0.0, (double) subwooferTopStep, 1.0);
    else
        tab->frequencySlider->setRange ((double) topBottomStep, (double) topStep, 1.0);

    tab->resized();
    tab->updateGraph();
}

void CXoverTab::setPresetTexts()
{
    const auto texts = presetTexts (model, subwooferFlag);
    for (int slot = 0; slot < texts.size() && slot < userSlot; ++slot)
        presetButtons[(size_t) slot]->setButtonText (texts[slot]);
}

void CXoverTab::updateGraph()
{
    float frequencyHz = 0.0f;
    float offsetDb = 0.0f;

    if (auto* n = node())
        displayCorner (model, subwooferFlag, n->type->getIndex(), presetCount, n->freq->getFloat(),
                       frequencyHz, offsetDb);

    EqMath::designCrossover (frequencyHz, offsetDb);
    repaintGraph();
}

void CXoverTab::showStoredType()
{
    auto* n = node();
    if (n == nullptr)
        return;

    const int k = n->type->getIndex();
    const int slot = k == presetCount ? userSlot : juce::jlimit (0, userSlot, k);
    presetButtons[(size_t) slot]->setToggleState (true, juce::dontSendNotification);
    setUserButtonsEnabled (k == presetCount);
}

void CXoverTab::setUserButtonsEnabled (bool userSelected)
{
    frequencySlider->setEnabled (userSelected);
    frequencyEditor->setEnabled (userSelected);
    phaseButton->setEnabled (userSelected);
    phase0Button->setEnabled (userSelected);
    phase180Button->setEnabled (userSelected);
}

void CXoverTab::togglePhase (int degrees)
{
    if (auto* n = node())
        n->pol->setIndex (degrees);

    phase0Button->setToggleState (degrees == 0, juce::dontSendNotification);
    phase180Button->setToggleState (degrees != 0, juce::dontSendNotification);
    updateGraph();
    sendNode();
}

//==============================================================================
void CXoverTab::paint (juce::Graphics& g)
{
    g.fillAll (palette::background);

    const int k = node() != nullptr ? node()->type->getIndex() : 0;
    if (k > 0)
    {
        int size = 0;
        if (const char* data = pairedPictureData (model, subwooferFlag, k, size))
        {
            g.drawImageAt (juce::ImageCache::getFromMemory (BinaryData::Lighting_png, BinaryData::Lighting_pngSize),
                           131, getHeight() - 180);
            g.drawImageAt (embeddedPicture (data, size), 149, getHeight() - 130);
        }
    }

    g.setColour (palette::grey);
    g.fillRect (110, 0, 2, getHeight());
    g.fillRect (290, 0, 2, getHeight());

    repaintGraph();
}

void CXoverTab::resized()
{
    // Column 1 holds preset 0 and, for subwoofers from model 8 and tops from model 6 on, one or two
    // more; the rest follow in column 2.
    int firstColumn = 1;
    if (subwooferFlag && model >= 8)
        firstColumn = 2;
    else if (! subwooferFlag && model >= 6)
        firstColumn = 3;

    for (int slot = 0; slot < userSlot; ++slot)
    {
        if (slot < firstColumn)
            presetButtons[(size_t) slot]->setBounds (16, 16 + 30 * slot, buttonWidth, buttonHeight);
        else
            presetButtons[(size_t) slot]->setBounds (126, 16 + 30 * (slot - firstColumn), buttonWidth, buttonHeight);
    }
}

//==============================================================================
void CXoverTab::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    auto* changed = dynamic_cast<Cnode*> (source);
    auto* n = node();
    if (changed == nullptr || changed->kind != groupXover || n == nullptr)
        return;

    showStoredType();

    const int degrees = n->pol->getIndex();
    phaseButton->setToggleState (degrees == 180, juce::dontSendNotification);
    phase0Button->setToggleState (degrees == 0, juce::dontSendNotification);
    phase180Button->setToggleState (degrees != 0, juce::dontSendNotification);

    char text[Cnode::textBufferSize];
    n->freq->toText (text);
    frequencySlider->setValue ((double) n->freq->getIndex(), juce::dontSendNotification);
    frequencyEditor->setText (text, true);

    updateGraph();
    repaint();
}

void CXoverTab::textEditorTextChanged (juce::TextEditor&) {}

void CXoverTab::textEditorReturnKeyPressed (juce::TextEditor& editor)
{
    auto* n = node();
    if (&editor != frequencyEditor.get() || n == nullptr)
        return;

    char text[Cnode::textBufferSize];
    n->freq->toText (text);

    // Return on the text shown for the held value keeps it: the text may be rounded.
    if (keepsHeldText (editor, text))
        return;

    n->freq->fromText (typedNumberText (editor).toRawUTF8());
    n->freq->toText (text);
    editor.setText (text, false);
    frequencySlider->setValue ((double) n->freq->getIndex(), juce::dontSendNotification);
    updateGraph();
    sendNode();
    editor.selectAll();
}

void CXoverTab::textEditorEscapeKeyPressed (juce::TextEditor&) {}

void CXoverTab::textEditorFocusLost (juce::TextEditor& editor)
{
    auto* n = node();
    if (&editor != frequencyEditor.get() || n == nullptr)
        return;

    char text[Cnode::textBufferSize];
    n->freq->toText (text);
    editor.setText (text, false);
    editor.setCaretPosition (0);
    updateGraph();
    sendNode();
}

void CXoverTab::sliderValueChanged (juce::Slider* slider)
{
    auto* n = node();
    if (slider != frequencySlider.get() || n == nullptr)
        return;

    n->freq->setIndex ((int) slider->getValue());

    char text[Cnode::textBufferSize];
    n->freq->toText (text);
    frequencyEditor->setText (text, true);
    updateGraph();
    sendNode();
}

void CXoverTab::buttonClicked (juce::Button* button)
{
    auto* n = node();
    if (n == nullptr)
        return;

    // Switching a radio button on also reports the one it switched off: only the one now on counts,
    // so each click sends the node once and with the new value.
    if (button == phase0Button.get() || button == phase180Button.get())
    {
        if (! button->getToggleState())
            return;

        const bool is180 = button == phase180Button.get();
        n->pol->setIndex (is180 ? 180 : 0);
        phase0Button->setToggleState (! is180, juce::dontSendNotification);
        phase180Button->setToggleState (is180, juce::dontSendNotification);
        updateGraph();
        sendNode();
        phaseButton->setToggleState (is180, juce::dontSendNotification);
        return;
    }

    if (button == phaseButton.get())
    {
        togglePhase (phaseButton->getToggleState() ? 180 : 0);
        return;
    }

    for (int slot = 0; slot <= userSlot; ++slot)
    {
        if (button != presetButtons[(size_t) slot].get())
            continue;
        if (! button->getToggleState())
            return;

        n->type->setIndex (slot < userSlot ? slot : presetCount);
        setUserButtonsEnabled (slot == userSlot);
        updateGraph();
        sendNode();
        repaint();
        return;
    }
}
