#include "EQGraph.h"

#include "EqMath.h"

#include <cmath>

namespace
{
    const juce::Colour white { 0xffffffff };
}

EQGraph::EQGraph (juce::Component* ownerPage)
    : owner (ownerPage)
{
    for (auto& c : curveColours)
        c = juce::Colours::transparentBlack;
    for (auto& c : fillColours)
        c = juce::Colours::transparentBlack;
    sectionLineColour = juce::Colours::transparentBlack;

    // The graph fills every pixel it owns, so its repaints need not redraw the page behind it.
    setOpaque (true);
    selectedSection = 0;
}

EQGraph::~EQGraph() = default;

void EQGraph::resetHandles()
{
    if (handleCount == 0)
    {
        handleCount = 4;
    }
    else if (handleCount > 4)
    {
        while (handleCount > 4)
        {
            --handleCount;
            if (handleCount < (unsigned int) maxHandles && handles[handleCount] != nullptr)
                handles[handleCount]->setVisible (false);
        }
    }
    else
    {
        for (; handleCount < 4; ++handleCount)
            if (handles[handleCount] != nullptr)
                handles[handleCount]->setVisible (true);
    }

    sectionLineColour = juce::Colour (0xff808080);
}

void EQGraph::addHandle (int index, const juce::Image& image)
{
    if (index < 0 || index >= maxHandles)
        return;

    handles[(size_t) index] = std::make_unique<filter_drag> (mode, owner, index, image);
    addAndMakeVisible (handles[(size_t) index].get());
    handleRadius = (unsigned int) (image.getWidth() / 2);
}

void EQGraph::setMode (int newMode)
{
    mode = newMode;

    for (unsigned int i = 0; i < handleCount && i < (unsigned int) maxHandles; ++i)
        if (handles[i] != nullptr)
            handles[i]->setVisible (mode == 0 && i < 4);

    if (mode == 0 || mode == 1)
        zeroLineFactor = 0.5f;
    else if (mode == 2)
        zeroLineFactor = 0.875f;
}

void EQGraph::setSectionFrequency (int index, float hz)
{
    if (index >= 0 && index < maxHandles)
        sectionFrequency[index] = hz;
}

void EQGraph::setCurveColour (juce::Colour colour)
{
    curveColours[0] = colour;
}

void EQGraph::setFillColour (juce::Colour colour)
{
    fillColours[0] = colour;
}

void EQGraph::setResponseFunction (ResponseFunction function)
{
    responseFunction = function;
}

void EQGraph::setSelectedSection (int index)
{
    selectedSection = index;
}

void EQGraph::update()
{
    repaint();
}

void EQGraph::resized()
{
    repaint();
}

int EQGraph::handleLeft (int index) const noexcept
{
    if (index < 0 || index >= maxHandles)
        return 0;
    const auto x = frequencyToProportion (sectionFrequency[index]) * (float) getWidth();
    return (int) (x - (float) handleRadius);
}

filter_drag* EQGraph::getHandle (int index) const noexcept
{
    return index >= 0 && index < maxHandles ? handles[(size_t) index].get() : nullptr;
}

float EQGraph::proportionToFrequency (float p) noexcept
{
    return 20.0f * std::pow (1000.0f, juce::jmin (p, 1.0f));
}

float EQGraph::frequencyToProportion (float hz) noexcept
{
    return std::log (juce::jmax (hz, 0.00001f) / 20.0f) / std::log (1000.0f);
}

float EQGraph::valueToY (float v) const noexcept
{
    const auto h = (float) getHeight();
    // A range of zero or less would divide by zero; the smallest meaningful range stands in for it.
    const auto range = (float) juce::jmax (1, valueRange);
    return h - zeroLineFactor * h * (1.0f + v / range);
}

void EQGraph::drawGrid (juce::Graphics& g) const
{
    const int w = getWidth();
    const int h = getHeight();
    g.setColour (gridColour);

    auto verticalLine = [&] (float hz)
    {
        const auto p = frequencyToProportion (hz);
        if (p >= 0.0f && p <= 1.0f)
            g.drawVerticalLine ((int) (p * (float) w), 0.0f, (float) h);
    };

    for (float decade : { 10.0f, 100.0f, 1000.0f })
        for (int i = 1; i <= 9; ++i)
            verticalLine (decade * (float) i);
    verticalLine (10000.0f);
    verticalLine (20000.0f);

    const auto zeroY = (1.0f - zeroLineFactor) * (float) h;
    g.drawLine (2.0f, zeroY, (float) (w - 2), zeroY, 2.0f);

    const int n = valueRange < 100 ? valueRange / 5 : valueRange / 10;
    if (n <= 0 || h < 3 * n)
        return;

    for (int i = 1; i < n; ++i)
        g.drawHorizontalLine ((int) ((float) i * (float) h / (float) n), 2.0f, (float) (w - 2));
}

void EQGraph::drawDottedLine (juce::Graphics& g, int x, juce::Colour colour) const
{
    g.setColour (colour);
    for (int y = 17; y < getHeight() - 2; y += 2)
        g.fillRect (x, y, 1, 1);
}

void EQGraph::paint (juce::Graphics& g)
{
    const int w = getWidth();
    const int h = getHeight();

    g.fillAll (backgroundColour);
    if (gridColour != backgroundColour)
        drawGrid (g);

    if (responseFunction != nullptr)
    {
        for (unsigned int n = 0; n < curveCount && n < (unsigned int) maxCurves; ++n)
        {
            juce::Path curve;
            curve.startNewSubPath (0.0f, valueToY (responseFunction (20.0f)));

            for (int x = 2; x < w; ++x)
            {
                const auto hz = proportionToFrequency ((float) x / (float) w);
                if (hz > 48000.0f)
                    break;

                const auto y = valueToY (responseFunction (hz));
                if (std::isfinite (y)) // a broken value would spoil the whole path
                    curve.lineTo ((float) x, y);
            }

            if (mode == 0 || mode == 1)
            {
                const auto baseY = mode == 0 ? 0.5f * (float) h : (float) h;
                juce::Path area (curve);
                area.lineTo ((float) w, baseY);
                area.lineTo (0.0f, baseY);
                area.closeSubPath();
                g.setColour (fillColours[n]);
                g.fillPath (area);
            }

            g.setColour (curveColours[n]);
            g.strokePath (curve, juce::PathStrokeType (strokeThickness));
        }
    }

    if (mode != 0)
        return;

    for (unsigned int i = 0; i < handleCount && i < (unsigned int) maxHandles; ++i)
    {
        const auto x = frequencyToProportion (sectionFrequency[i]) * (float) w;
        if (auto* handle = handles[i].get())
            handle->setBounds (handleLeft ((int) i), 3, handle->getWidth(), handle->getHeight());
        drawDottedLine (g, (int) x, sectionLineColour);
    }

    if (selectedSection >= 0 && (unsigned int) selectedSection < handleCount && selectedSection < maxHandles)
    {
        if (auto* handle = handles[(size_t) selectedSection].get())
            handle->toFront (false);
        const auto x = frequencyToProportion (sectionFrequency[selectedSection]) * (float) w;
        drawDottedLine (g, (int) x, white);
    }
}
