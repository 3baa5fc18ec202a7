#include "CRsqTab.h"

#include "CPeqPage.h"
#include "Dialogs.h"
#include "EqMath.h"
#include "PageWidgets.h"
#include "Palette.h"
#include "RsqLearnThread.h"
#include "formatText32.h"
#include "link/OscCom.h"
#include "model/Croot.h"
#include "model/Globals.h"

CRsqTab* rsqTab = nullptr;

namespace
{
constexpr int modeOff = 0;
constexpr int modeAutom = 1;
constexpr int modeSingle = 2;
constexpr int modeLearn = 3;
constexpr int modeResetAll = 4;

constexpr int modeRadioGroup = 9;

/** A mode button with its texts, tooltip and colours. */
std::unique_ptr<juce::TextButton> makeModeButton (const char* text, const char* tooltip,
                                                  juce::Colour off, juce::Colour on)
{
    auto b = std::make_unique<juce::TextButton> ("textButton");
    b->setButtonText (TRANS (text));
    b->setTooltip (TRANS (tooltip));
    b->setColour (juce::TextButton::buttonColourId, off);
    b->setColour (juce::TextButton::buttonOnColourId, on);
    b->setColour (juce::TextButton::textColourOffId, palette::lightText);
    b->setColour (juce::TextButton::textColourOnId, palette::lightText);
    return b;
}

/** Whether the link is there and online. */
bool linkOnline()
{
    return oscCom != nullptr && oscCom->online.load();
}
} // namespace

CRsqTab::CRsqTab()
{
    setName ("RsqTab");

    automButton = makeModeButton ("Autom", "autom", palette::grey, palette::blue);
    singleButton = makeModeButton ("Single", "single", palette::grey, palette::blue);
    learnButton = makeModeButton ("Learn", "learn", palette::grey, palette::orange);
    resetButton = makeModeButton ("Reset All", "reset", palette::red, palette::red);

    for (auto* b : { automButton.get(), singleButton.get(), learnButton.get() })
        b->setRadioGroupId (modeRadioGroup);

    for (auto* b : { automButton.get(), singleButton.get(), learnButton.get(), resetButton.get() })
    {
        addAndMakeVisible (b);
        b->addListener (this);
    }

    for (int i = 0; i < 8; ++i)
    {
        auto label = makePageLabel ("num", juce::String (i + 1), juce::Font (15.0f, juce::Font::bold));
        addAndMakeVisible (*label);
        bandLabels[(size_t) i] = std::move (label);

        // Display only: the indicator follows the filter's gain, a click does nothing.
        auto indicator = std::make_unique<juce::ToggleButton>();
        indicator->setClickingTogglesState (false);
        indicator->setRadioGroupId (i + 1);
        indicator->setColour (juce::ToggleButton::textColourId, palette::caption);
        addAndMakeVisible (*indicator);
        activeIndicators[(size_t) i] = std::move (indicator);
    }

    setSize (720, 260);

    if (rootCell != nullptr)
    {
        listenedRoot = rootCell;
        listenedMode = dynamic_cast<Crsqmode*> (Cnode::findByPath (rootCell, "rsqmode"));

        if (listenedMode != nullptr)
            listenedMode->addChangeListener (this);

        for (int i = 0; i < 8; ++i)
        {
            char path[formatText32Size];
            formatText32 (path, "rsq/%02d", i + 1);

            if (auto* band = dynamic_cast<Crsq*> (Cnode::findByPath (rootCell, path)))
            {
                band->addChangeListener (this);
                bands[(size_t) i] = band;
            }
        }
    }

    for (auto* b : { automButton.get(), singleButton.get(), learnButton.get() })
        b->setClickingTogglesState (true);

    rsqTab = this;
}

CRsqTab::~CRsqTab()
{
    if (rsqTab == this)
        rsqTab = nullptr;

    // The program is closing: a learn run still shown ends here, before the tree and the link go.
    RsqLearnThread::closeCurrent();

    // A tree that is gone has taken its listener lists with it.
    if (hasTree())
    {
        if (listenedMode != nullptr)
            listenedMode->removeChangeListener (this);

        for (auto* band : bands)
            if (band != nullptr)
                band->removeChangeListener (this);
    }
}

bool CRsqTab::hasTree() const noexcept
{
    return listenedRoot != nullptr && rootCell == listenedRoot;
}

Crsqmode* CRsqTab::modeNode() const noexcept
{
    return hasTree() ? rootCell->rsqmode : nullptr;
}

void CRsqTab::setMode (int mode)
{
    if (rootCell == nullptr || rootCell->rsqmode == nullptr)
        return;

    auto* node = rootCell->rsqmode;
    node->mode->setIndex (juce::jlimit (modeOff, modeResetAll, mode));
    node->sendOsc (node->path);
}

void CRsqTab::repaintGraph()
{
    if (peqPage != nullptr)
        peqPage->repaintGraph();
}

//==================================================================================================
void CRsqTab::buttonClicked (juce::Button* button)
{
    auto* node = modeNode();

    if (node == nullptr)
        return;

    // A click always leaves a mode button on; when the click switches another one off, the radio group
    // reports that one as clicked too, and that report is no click of the user's.
    const bool modeButton = button == automButton.get() || button == singleButton.get()
                            || button == learnButton.get();

    if (modeButton && ! button->getToggleState())
        return;

    const int mode = node->mode->getIndex();

    if (button == automButton.get())
    {
        setMode (mode == modeAutom ? modeOff : modeAutom);
    }
    else if (button == singleButton.get())
    {
        setMode (mode == modeSingle ? modeOff : modeSingle);
    }
    else if (button == learnButton.get())
    {
        learnClicked (mode);
    }
    else if (button == resetButton.get())
    {
        if (Dialogs::current().askOkCancel (juce::MessageBoxIconType::QuestionIcon, TRANS ("Reset RSQ"),
                                            TRANS ("Do you want to reset all filters?"), TRANS ("Yes"),
                                            TRANS ("Cancel")))
            setMode (modeResetAll);
    }
}

void CRsqTab::learnClicked (int mode)
{
    if (mode == modeLearn)
    {
        setMode (modeOff);
        return;
    }

    // Learning needs a speaker; a refused click also shows the mode the speaker is in, which the radio
    // group switched off when Learn lit up. The speaker may report a new mode while the question is
    // open, so the mode is read again after it.
    if (! linkOnline()
        || ! Dialogs::current().askOkCancel (juce::MessageBoxIconType::QuestionIcon, TRANS ("RSQ Learn Function"),
                                             TRANS ("Will be triggering loud feedback.") + "\n"
                                                 + TRANS (" Protect your hearing!"),
                                             TRANS ("Start"), TRANS ("Cancel")))
    {
        learnButton->setToggleState (false, juce::dontSendNotification);
        if (auto* node = modeNode())
            showMode (node->mode->getIndex());
        return;
    }

    setMode (modeLearn);
    RsqLearnThread::start();
}

//==================================================================================================
void CRsqTab::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (! hasTree())
        return;

    auto* node = dynamic_cast<Cnode*> (source);

    if (node == nullptr)
        return;

    if (node->kind == groupRsq)
    {
        const int b = node->id / 256;

        if (b < 1 || b > 8 || bands[(size_t) (b - 1)] != node)
            return;

        auto* band = bands[(size_t) (b - 1)];
        const float gain = band->gain->getFloat();

        activeIndicators[(size_t) (b - 1)]->setToggleState (gain < 0.0f, juce::dontSendNotification);
        EqMath::designRsqBand (b - 1, band->freq->getFloat(), gain, band->qual->getFloat());
        repaintGraph();
    }
    else if (node->kind == groupConfig && node == listenedMode)
    {
        showMode (listenedMode->mode->getIndex());
    }
}

void CRsqTab::showMode (int mode)
{
    switch (mode)
    {
        case modeOff:
            for (auto* b : { automButton.get(), singleButton.get(), learnButton.get() })
                b->setToggleState (false, juce::dontSendNotification);
            break;
        case modeAutom:  automButton->setToggleState (true, juce::dontSendNotification); break;
        case modeSingle: singleButton->setToggleState (true, juce::dontSendNotification); break;
        case modeLearn:  learnButton->setToggleState (true, juce::dontSendNotification); break;
        default: break;  // reset all, or a value out of range: the buttons stay as they are
    }
}

//==================================================================================================
void CRsqTab::paint (juce::Graphics& g)
{
    g.fillAll (palette::background);

    struct Caption
    {
        const char* text;
        float height;
        bool bold;
        juce::Colour colour;
        int x, y, w, h;
    };

    static const Caption captions[] = {
        { "Filter", 15.0f, true, palette::caption, 132, 16, 60, 20 },
        { "Active", 14.0f, false, palette::grey, 132, 35, 60, 22 },
        { "RSQ Learn Function generates short impulses for triggering acoustic feedback and automatically",
          14.0f, false, palette::grey, 132, 76, 550, 15 },
        { "sets up to 8 single-shot filters on resonating frequencies.", 14.0f, false, palette::grey, 132, 94,
          550, 15 },
        { "Emerging feedbacks can cause excessive volume levels before they are attenuated by the RSQ.", 14.0f,
          false, palette::grey, 132, 132, 550, 15 },
        { "Caution: Protect your hearing!", 14.0f, true, palette::grey, 132, 150, 550, 15 },
    };

    for (const auto& c : captions)
    {
        g.setFont (juce::Font ("Arial", c.height, c.bold ? juce::Font::bold : juce::Font::plain));
        g.setColour (c.colour);
        g.drawText (TRANS (c.text), c.x, c.y, c.w, c.h, juce::Justification::centredLeft, true);
    }

    repaintGraph();
}

void CRsqTab::resized()
{
    automButton->setBounds (16, 16, 80, 24);
    singleButton->setBounds (16, 46, 80, 24);
    learnButton->setBounds (16, 76, 80, 24);
    resetButton->setBounds (16, 136, 80, 24);

    for (int i = 0; i < 8; ++i)
    {
        bandLabels[(size_t) i]->setBounds (187 + 50 * i, 16, 40, 20);
        activeIndicators[(size_t) i]->setBounds (190 + 50 * i, 34, 24, 24);
    }
}
