#pragma once
// A draggable handle on the response graph for one EQ band.

#include <juce_gui_basics/juce_gui_basics.h>

class CPeqPage;

/** The handle of one EQ band on the response graph: a small picture that edits the band's frequency
    when dragged sideways, its gain when dragged up or down and its Q when the mouse wheel turns.
    Edits act only while the Equaliser page shows its "EQ" sub-tab, and go through the EQ tab, which
    sends the band and redesigns it. */
class filter_drag : public juce::Component
{
public:
    /** Makes a handle for `band` (0..3) showing `image` at its own size. `mode` is the graph's mode at
        creation: a handle made while it is not 0 never edits anything. `owner` is the Equaliser page. */
    filter_drag (int mode, juce::Component* owner, int band, const juce::Image& image);
    ~filter_drag() override;

    /** Draws the picture at (0, 0), unscaled. */
    void paint (juce::Graphics& g) override;
    /** Remembers the local bounds, whose half width is the handle's centre. */
    void resized() override;
    /** Remembers where the press started. */
    void mouseDown (const juce::MouseEvent& e) override;
    /** Forgets the last position. */
    void mouseUp (const juce::MouseEvent& e) override;
    /** Sideways: the band's frequency moves by one step per pixel between the pointer and the centre
        of the handle where the graph will place it (its steps may not be painted yet); up and down:
        the band's gain moves by 0.5 dB per 2 pixels. */
    void mouseDrag (const juce::MouseEvent& e) override;
    /** One step of the band's Q per wheel event (up raises it). */
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;

    int lastX = 0;                        ///< last mouse x in the handle's own coordinates
    int lastY = 0;                        ///< last mouse y in the handle's own coordinates
    int mouseDownX = 0;                   ///< mouse-down x, whole pixels
    int mouseDownY = 0;                   ///< mouse-down y, whole pixels
    juce::Rectangle<int> localBounds;     ///< own bounds as of the last resize (x always 0)
    juce::Image image;                    ///< the band picture (shared)
    int band = 0;                         ///< the EQ band edited, 0..3
    int inertMode = 0;                    ///< the graph's mode when the handle was made

private:
    bool editsAllowed() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (filter_drag)
};

/** The Equaliser page whose sub-tab the handles obey; stored by every handle's constructor. */
extern CPeqPage* dragOwnerPage;
