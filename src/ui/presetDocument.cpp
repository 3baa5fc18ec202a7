#include "ui/presetDocument.h"

#include "model/AppSettings.h"
#include "model/Globals.h"
#include "model/PresetText.h"
#include "ui/CSetupPage.h"

presetDocument* presetDoc = nullptr;

presetDocument::presetDocument (PresetModelHost* host)
    : juce::FileBasedDocument (".vrs", "*.vrs", TRANS ("Open a preset file..."), TRANS ("Save as preset file...")),
      modelHost (host)
{
    presetDoc = this;

    // The built-in preset gives the tree its start-up values; it names no model, so only its node
    // lines are applied.
    PresetText::parsePresetText (PresetText::initDataText, this->host());
}

presetDocument::~presetDocument()
{
    if (presetDoc == this)
        presetDoc = nullptr;
}

PresetModelHost* presetDocument::host() const
{
    return modelHost != nullptr ? modelHost : static_cast<PresetModelHost*> (setupPage);
}

void presetDocument::changed()
{
    juce::FileBasedDocument::changed();
}

juce::String presetDocument::getDocumentTitle()
{
    return presetTitle;
}

void presetDocument::setTitle (const juce::String& title)
{
    presetTitle = title;
}

juce::Result presetDocument::loadDocument (const juce::File& file)
{
    return PresetText::loadFile (file, host());
}

juce::Result presetDocument::saveDocument (const juce::File& file)
{
    auto* h = host();
    return PresetText::saveFile (file, h != nullptr ? h->getModelCode() : juce::String (modelNotConnected));
}

juce::File presetDocument::getLastDocumentOpened()
{
    return AppSettings::getInstance().getRecentFile (0);
}

void presetDocument::setLastDocumentOpened (const juce::File& file)
{
    AppSettings::getInstance().addRecentFile (file);
}
