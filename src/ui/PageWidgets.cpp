#include "PageWidgets.h"

std::unique_ptr<juce::Label> makePageLabel (const juce::String& name, const juce::String& text, const juce::Font& font,
                                            juce::Justification justification, juce::Colour colour)
{
    auto label = std::make_unique<juce::Label> (name, text);
    label->setFont (font);
    label->setJustificationType (justification);
    label->setEditable (false, false, false);
    label->setColour (juce::Label::textColourId, colour);
    return label;
}

juce::Image embeddedPicture (const char* data, int size)
{
    if (data == nullptr)
        return {};
    return juce::ImageCache::getFromMemory (data, size);
}
