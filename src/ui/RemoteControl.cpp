#include "RemoteControl.h"

#include "CConfigPage.h"
#include "CPeqPage.h"
#include "CSetupPage.h"
#include "Cscale.h"
#include "DefaultLookAndFeel.h"
#include "PageWidgets.h"
#include "led_clip.h"
#include "led_meter.h"
#include "link/OscCom.h"
#include "model/Globals.h"

#include "ui/Palette.h"

#include <BinaryData.h>

RemoteControl* remoteControl = nullptr;

RemoteControl::RemoteControl (juce::DocumentWindow* window)
    : juce::Component ("Dovseries"), ownerWindow (window)
{
    remoteControl = this;

    auto* lookAndFeel = lookAndFeels.add (new DefaultLookAndFeel());
    initColours (*lookAndFeel);
    juce::LookAndFeel::setDefaultLookAndFeel (lookAndFeel);
    juce::Typeface::clearTypefaceCache(); // fonts looked up before now resolve through it again

    const auto centred = juce::Justification::centred;
    clipLabel = makePageLabel ("clip", juce::translate ("Clip"), juce::Font (14.0f, juce::Font::bold), centred);
    limitLabel = makePageLabel ("limit", juce::translate ("Limit"), juce::Font (14.0f, juce::Font::bold), centred);
    inLabel = makePageLabel ("in", juce::translate ("IN"), juce::Font (15.0f, juce::Font::bold), centred);
    outLabel = makePageLabel ("out", juce::translate ("OUT"), juce::Font (15.0f, juce::Font::bold), centred);
    for (auto* label : { clipLabel.get(), limitLabel.get(), inLabel.get(), outLabel.get() })
        addAndMakeVisible (label);

    tabs = std::make_unique<juce::TabbedComponent> (juce::TabbedButtonBar::TabsAtTop);
    tabs->setTabBarDepth (30);
    addAndMakeVisible (tabs.get());

    setupPage = new CSetupPage (this);
    tabs->addTab (juce::translate ("  Setup  "), palette::grey, setupPage, true);
    configPage = new CConfigPage();
    tabs->addTab (juce::translate ("  Configuration  "), palette::grey, configPage, true);
    peqPage = new CPeqPage();
    tabs->addTab (juce::translate ("  Equaliser  "), palette::grey, peqPage, true);
    tabs->setCurrentTabIndex (0, true);

    versionLabel = makePageLabel ("version", juce::translate ("V1.0"), juce::Font (15.0f), centred);
    addAndMakeVisible (versionLabel.get());

    setSize (912, 516);

    // The link takes the Setup page as its partner, so it comes after the pages; its threads start at once.
    oscCom = new osc::OscCom (*setupPage);

    inputMeter = std::make_unique<led_meter> ("input meter");
    outputMeter = std::make_unique<led_meter> ("output meter A");
    meterScale = std::make_unique<Cscale> (0);
    clipLed = std::make_unique<led_clip> ("input clip led A");
    limitLed = std::make_unique<led_clip> ("output limit led A");
    for (juce::Component* c : { (juce::Component*) inputMeter.get(), (juce::Component*) outputMeter.get(),
                                (juce::Component*) meterScale.get(), (juce::Component*) clipLed.get(),
                                (juce::Component*) limitLed.get() })
        addAndMakeVisible (c);

    clipLed->setBounds (776, 86, 20, 4);
    limitLed->setBounds (848, 86, 20, 4);
    inputMeter->setBounds (776, 100, 20, 147);
    outputMeter->setBounds (848, 100, 20, 147);
    meterScale->setBounds (801, 96, 42, 150);
    inputMeter->setRange (21, -60.0f, 0.0f);
    outputMeter->setRange (21, -60.0f, 0.0f);

    watermark = juce::ImageCache::getFromMemory (BinaryData::watermark_png, BinaryData::watermark_pngSize);

    setModel (40);

    if (ownerWindow != nullptr)
        ownerWindow->setIcon (juce::ImageCache::getFromMemory (BinaryData::logo_header_trans_png,
                                                               BinaryData::logo_header_trans_pngSize));
}

RemoteControl::~RemoteControl()
{
    clipLabel.reset();
    limitLabel.reset();
    inLabel.reset();
    outLabel.reset();
    versionLabel.reset();

    // The link goes first: it stops its threads while the pages it reports to still exist.
    delete oscCom;
    oscCom = nullptr;

    tabs.reset();
    setupPage = nullptr;
    configPage = nullptr;
    peqPage = nullptr;

    meterScale.reset();
    inputMeter.reset();
    outputMeter.reset();
    clipLed.reset();
    limitLed.reset();

    // Every component that drew with the look and feel is gone; stop using it before deleting it.
    if (ownerWindow != nullptr)
        ownerWindow->setIcon (juce::Image());
    for (auto* lookAndFeel : lookAndFeels)
        if (&juce::LookAndFeel::getDefaultLookAndFeel() == lookAndFeel)
            juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    lookAndFeels.clear();

    if (remoteControl == this)
        remoteControl = nullptr;
}

//==============================================================================
juce::String RemoteControl::titleForModel (int index, bool offline)
{
    juce::String title ("VARENTO Edit ");
    if (index >= 0 && index < modelTableSize)
        title << connectedTitles[index];

    if (offline && index >= 0 && index < modelUnknown)
        title = title.replace ("connected", "offline");

    return title;
}

juce::Image RemoteControl::seriesPicture (int index)
{
    if (index >= 0 && index <= 5)
        return juce::ImageCache::getFromMemory (BinaryData::series_Ka_png, BinaryData::series_Ka_pngSize);
    if (index >= 8 && index <= 10)
        return juce::ImageCache::getFromMemory (BinaryData::series_Ptx_png, BinaryData::series_Ptx_pngSize);
    if (index >= 11 && index <= 22)
        return juce::ImageCache::getFromMemory (BinaryData::series_Vel_png, BinaryData::series_Vel_pngSize);
    if (index >= 23 && index <= 38)
        return juce::ImageCache::getFromMemory (BinaryData::series_Dmr_png, BinaryData::series_Dmr_pngSize);
    return {};
}

void RemoteControl::setModel (int index)
{
    modelIndex = index;

    // The Configuration page sets subwooferFlag, which the Equaliser page's tabs read.
    if (configPage != nullptr)
        configPage->setModel (index);
    if (peqPage != nullptr)
        peqPage->setModel (index);

    const bool offline = setupPage == nullptr || setupPage->offline;
    if (ownerWindow != nullptr)
        ownerWindow->setName (titleForModel (index, offline));

    repaint();
}

//==============================================================================
void RemoteControl::setMeterLevels (float in, float outA, float outB)
{
    if (remoteControl == nullptr)
        return;

    remoteControl->inputMeter->setLevel ((float) led_meter::dbFromLinear (in));
    remoteControl->outputMeter->setLevel ((float) led_meter::dbFromLinear (outB < outA ? outA : outB));
}

void RemoteControl::setClipLeds (bool clip, bool limitA, bool limitB)
{
    if (remoteControl == nullptr)
        return;

    remoteControl->clipLed->setState (clip);
    remoteControl->limitLed->setState (limitA || limitB);
}

bool RemoteControl::isConfigTabShown()
{
    return remoteControl != nullptr && remoteControl->tabs->getCurrentTabIndex() == 1;
}

void RemoteControl::forwardK24Meter (int bank, const float* levels)
{
    if (isConfigTabShown())
        CConfigPage::setK24Meters (bank, levels);
}

void RemoteControl::initColours (juce::LookAndFeel& lf)
{
    // Grey level 0.95 is 0xfff3f3f3 here; JUCE 7 would round greyLevel (0.95f) down to 0xfff2f2f2.
    lf.setColour (juce::Slider::thumbColourId, juce::Colour (0xfff3f3f3));
    lf.setColour (juce::Slider::textBoxOutlineColourId, juce::Colour (0x00ffffff));
    lf.setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (0xff00b5f6));
    lf.setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colour (0xffffffff));
    lf.setColour (juce::TextButton::buttonColourId, juce::Colour (0xffffffff));
    lf.setColour (juce::TextButton::textColourOffId, juce::Colour (0xff00b5f6));
    // An "on" text button shows the off colours swapped.
    lf.setColour (juce::TextButton::buttonOnColourId, lf.findColour (juce::TextButton::textColourOffId));
    lf.setColour (juce::TextButton::textColourOnId, lf.findColour (juce::TextButton::buttonColourId));
}

//==============================================================================
void RemoteControl::resized()
{
    tabs->setBounds (8, 8, 720, 500);
    versionLabel->setBounds (860, 40, 46, 16);
    clipLabel->setBounds (766, 62, 40, 20);
    limitLabel->setBounds (838, 62, 40, 20);
    inLabel->setBounds (766, 248, 40, 20);
    outLabel->setBounds (838, 248, 40, 20);

    framePath.clear();
    framePath.startNewSubPath (12.0f, 4.0f);
    framePath.lineTo (724.0f, 4.0f);
    framePath.cubicTo (728.0f, 4.0f, 732.0f, 9.0f, 732.0f, 15.0f);
    framePath.lineTo (732.0f, 501.0f);
    framePath.cubicTo (732.0f, 507.0f, 728.0f, 512.0f, 724.0f, 512.0f);
    framePath.lineTo (12.0f, 512.0f);
    framePath.cubicTo (8.0f, 512.0f, 4.0f, 507.0f, 4.0f, 501.0f);
    framePath.lineTo (4.0f, 15.0f);
    framePath.cubicTo (4.0f, 9.0f, 8.0f, 4.0f, 12.0f, 4.0f);
    framePath.closeSubPath();
}

void RemoteControl::paint (juce::Graphics& g)
{
    g.fillAll (palette::background);

    g.setColour (palette::grey);
    g.fillRoundedRectangle (735.0f, 4.0f, 174.0f, 508.0f, 10.0f);

    g.setColour (palette::background);
    g.fillRect (740, 37, 164, 470);

    g.setColour (palette::grey.withMultipliedAlpha (0.5f));
    g.drawRect (740, 37, 164, 470, 1);

    g.setColour (palette::grey);
    g.fillPath (framePath);
    g.fillRoundedRectangle (760.0f, 60.0f, 124.0f, 210.0f, 5.0f);

    g.setColour (palette::background);
    g.fillRoundedRectangle (772.0f, 82.0f, 28.0f, 12.0f, 3.0f);
    g.fillRoundedRectangle (844.0f, 82.0f, 28.0f, 12.0f, 3.0f);
    g.fillRoundedRectangle (772.0f, 96.0f, 28.0f, 152.0f, 3.0f);
    g.fillRoundedRectangle (844.0f, 96.0f, 28.0f, 152.0f, 3.0f);

    g.drawImageAt (watermark, 771, 330);

    const juce::Image series = seriesPicture (modelIndex);
    if (series.isValid())
        g.drawImageAt (series, 746, 450);
}
