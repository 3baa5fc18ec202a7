#include "led_clip.h"

led_clip::led_clip (const juce::String& componentName)
    : juce::Component (componentName)
{
}

led_clip::~led_clip() = default;

void led_clip::setState (bool on)
{
    state = on;
    repaint();
}

void led_clip::paint (juce::Graphics& g)
{
    g.fillAll (state ? onColour : offColour);
}
