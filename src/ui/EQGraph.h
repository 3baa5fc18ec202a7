#pragma once
// The response graph of the Equaliser page.

#include "filter_drag.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

/** Draws one response curve over a logarithmic frequency axis from 20 Hz to 20 kHz, with a grid, a
    zero line and, in mode 0 (parametric EQ), one draggable handle per EQ band with a dotted line at
    the band's frequency. Modes: 0 parametric EQ, 1 crossover, 2 feedback filters. */
class EQGraph : public juce::Component
{
public:
    /** A curve: the value to draw at a frequency in Hz. */
    using ResponseFunction = float (*) (float hz);

    /** Makes the graph; `owner` (the Equaliser page) is handed to the handles. Selects band 0. */
    explicit EQGraph (juce::Component* owner);
    ~EQGraph() override;

    /** Puts four handle slots in use (showing hidden ones, hiding any beyond four) and turns the
        dotted lines grey. */
    void resetHandles();
    /** Makes the handle of band `index` (0..7) with `image`, replacing one already there. */
    void addHandle (int index, const juce::Image& image);
    /** Switches the mode: handles are visible only in mode 0, and mode 2 moves the zero line up. */
    void setMode (int newMode);
    /** Moves handle `index` (0..7) and its dotted line to `hz`. */
    void setSectionFrequency (int index, float hz);
    /** Stroke colour of the curve. */
    void setCurveColour (juce::Colour colour);
    /** Fill colour of the curve. */
    void setFillColour (juce::Colour colour);
    /** The function whose values are drawn. */
    void setResponseFunction (ResponseFunction function);
    /** Makes band `index` the highlighted one. */
    void setSelectedSection (int index);
    /** Repaints the whole graph. */
    void update();

    /** Fills, draws the grid, the curve and, in mode 0, places the handles and their dotted lines. */
    void paint (juce::Graphics& g) override;
    /** Repaints the whole graph. */
    void resized() override;

    /** Frequency in Hz at proportion `p` of the width: 20 * 1000^min(p, 1). */
    static float proportionToFrequency (float p) noexcept;
    /** Proportion of the width at which `hz` lies: ln(max(hz, 0.00001) / 20) / ln(1000). */
    static float frequencyToProportion (float hz) noexcept;
    /** Y of curve value `v` at the current height and zero line. */
    float valueToY (float v) const noexcept;

    /** The x at which the next paint places handle `index` (0..7): centred on its section frequency. */
    int handleLeft (int index) const noexcept;

    /** The handle in slot `index`, or null. */
    filter_drag* getHandle (int index) const noexcept;

    /** Number of slots the page uses for handles, and of curves. */
    static constexpr int maxHandles = 8;
    static constexpr int maxCurves = 6;

    ResponseFunction responseFunction = nullptr;              ///< the curve's values
    int mode = 0;                                             ///< 0 EQ, 1 crossover, 2 feedback filters
    int valueRange = 40;                                      ///< value that reaches the edge above the zero line
    float zeroLineFactor = 0.5f;                              ///< zero line at (1 - k) of the height from the top
    unsigned int curveCount = 1;                              ///< curves drawn
    unsigned int handleCount = 0;                             ///< handle slots in use
    unsigned int handleRadius = 0;                            ///< half a handle picture's width
    float sectionFrequency[maxHandles] = {};                  ///< Hz of each handle and dotted line
    juce::Component* owner = nullptr;                         ///< the Equaliser page
    juce::Colour backgroundColour { 0xff161616 };             ///< ground
    juce::Colour gridColour { 0xff555555 };                   ///< grid lines and zero line
    juce::Colour curveColours[maxCurves];                     ///< stroke per curve (transparent at first)
    juce::Colour fillColours[maxCurves];                      ///< fill per curve (transparent at first)
    juce::Colour sectionLineColour;                           ///< dotted lines (transparent until resetHandles)
    std::array<std::unique_ptr<filter_drag>, maxHandles> handles; ///< the handles, child components
    float strokeThickness = 1.5f;                             ///< curve line width

private:
    void drawGrid (juce::Graphics& g) const;
    void drawDottedLine (juce::Graphics& g, int x, juce::Colour colour) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EQGraph)
};
