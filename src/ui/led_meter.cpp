#include "led_meter.h"

#include <cmath>

led_meter::led_meter (const juce::String& componentName)
    : juce::Component (componentName)
{
}

led_meter::~led_meter() = default;

void led_meter::setRange (int numSegments, float minimumDb, float maximumDb)
{
    // Fewer than two segments would divide by zero when the thresholds are spaced.
    segments = juce::jmax (2, numSegments);
    minDb = (double) minimumDb;
    maxDb = (double) maximumDb;
}

int led_meter::dbFromLinear (float v) noexcept
{
    if (! (v > 0.0f)) // zero, negative or not a number
        return -60;

    const float db = 20.0f * std::log10 (v) + 1.2f;
    // An infinite level has no whole number; it shows as the top of any meter.
    const int whole = db < 1000.0f ? (int) db : 1000;
    return whole <= -60 ? -60 : whole;
}

void led_meter::setLevel (float db)
{
    level = (double) db;
    repaint();
}

void led_meter::paint (juce::Graphics& g)
{
    const int pitch = getHeight() / segments;
    const float step = (float) ((maxDb - minDb) / (double) (segments - 1));
    const int barHeight = pitch > 5 ? 4 : 3;
    const int topGroup = pitch > 5 ? 3 : 1;

    for (int i = 0; i < segments; ++i)
    {
        const float threshold = (float) (maxDb - (double) i * (double) step);
        const bool lit = (double) threshold < level; // false for a level that is not a number
        const bool top = i < topGroup;

        g.setColour (top ? (lit ? topLitColour : topDimColour)
                         : (lit ? litColour : dimColour));
        g.fillRect (0, i * pitch, getWidth(), barHeight);
    }
}
