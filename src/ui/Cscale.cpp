#include "Cscale.h"

namespace
{
    const char* const meterLabels[] = { "0 dB", "12", "24", "36", "48", "60" };
    const char* const eqLabels[] = { "+15", "+10", " +5", "0 dB", " -5", "-10", "-15" };
    const char* const rsqLabels[] = { "0 dB", " -5", "-10", "-15", "-20", "-25", "-30" };
}

Cscale::Cscale (int scaleMode)
{
    setMode (scaleMode);
}

Cscale::~Cscale() = default;

void Cscale::setMode (int scaleMode)
{
    // Only three label sets exist; any other number would read past them.
    mode = juce::jlimit (0, 2, scaleMode);
    divisions = mode != 0 ? 6 : 5;
    updateSpacing();
    repaint();
}

void Cscale::updateSpacing()
{
    spacing = (float) (getHeight() - 10) / (float) divisions;
}

void Cscale::resized()
{
    updateSpacing();
}

void Cscale::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xffb8b8b8));

    if (mode == 0)
    {
        g.setFont (juce::Font ("Arial", 14.0f, juce::Font::bold));
        const int width = getWidth();
        g.drawText (juce::translate (meterLabels[0]), 0, 0, width, 12, juce::Justification::centred, true);

        for (int i = 1; i <= divisions; ++i)
        {
            const int tickY = (int) ((float) i * spacing + 5.0f);
            g.fillRect (0, tickY, 8, 1);
            g.fillRect (width - 8, tickY, 8, 1);
            g.drawText (juce::translate (meterLabels[i]), 0, (int) ((float) i * spacing), width, 12,
                        juce::Justification::centred, true);
        }
        return;
    }

    g.setFont (juce::Font ("Arial", 12.0f, juce::Font::plain));
    const char* const* labels = mode == 1 ? eqLabels : rsqLabels;

    for (int i = 0; i <= divisions; ++i)
        g.drawText (juce::translate (labels[i]), 0, (int) ((float) i * spacing), 30, 12,
                    juce::Justification::centredRight, true);
}
