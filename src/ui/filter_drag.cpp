#include "filter_drag.h"

#include "CPeqPage.h"
#include "CPeqTab.h"
#include "EQGraph.h"
#include "EqMath.h"
#include "model/Cpeq.h"

CPeqPage* dragOwnerPage = nullptr;

filter_drag::filter_drag (int mode, juce::Component* owner, int bandIndex, const juce::Image& picture)
    : image (picture), band (bandIndex), inertMode (mode)
{
    setBounds (0, 0, image.getWidth(), image.getHeight());
    dragOwnerPage = dynamic_cast<CPeqPage*> (owner);
}

filter_drag::~filter_drag() = default;

void filter_drag::paint (juce::Graphics& g)
{
    g.drawImageAt (image, 0, 0);
}

void filter_drag::resized()
{
    localBounds = getLocalBounds();
}

void filter_drag::mouseDown (const juce::MouseEvent& e)
{
    lastX = e.x;
    lastY = e.y;
    mouseDownX = e.getMouseDownX();
    mouseDownY = e.getMouseDownY();
}

void filter_drag::mouseUp (const juce::MouseEvent&)
{
    lastX = 0;
    lastY = 0;
}

bool filter_drag::editsAllowed() const
{
    return dragOwnerPage != nullptr && dragOwnerPage->getCurrentSubTab() == 0;
}

namespace
{
    /** The band node the handle edits through the EQ tab, or null while there is none. */
    Cpeq* bandNode (int band)
    {
        if (peqTab == nullptr || band < 0 || band >= (int) peqTab->bands.size())
            return nullptr;
        return peqTab->bands[(size_t) band];
    }

    /** Lets the EQ tab show, send and redesign the band after a handle changed it. */
    void bandEdited (Cpeq* node, int band)
    {
        peqTab->changeListenerCallback (node);
        peqTab->sectionChanged (band);
    }
}

void filter_drag::mouseDrag (const juce::MouseEvent& e)
{
    if (inertMode != 0)
    {
        lastX = e.x;
        lastY = e.y;
        return;
    }

    // The graph moves the handle to the band's new frequency only when it next paints, and the mouse
    // may report several moves before that: the pointer is measured from where the handle will stand,
    // so that steps already taken are not taken again.
    const auto* graph = dynamic_cast<const EQGraph*> (getParentComponent());
    const int unpaintedShift = graph != nullptr ? graph->handleLeft (band) - getX() : 0;
    const int dx = e.x - unpaintedShift - localBounds.getWidth() / 2;
    const int dy = e.y - lastY;

    if (dx != 0)
    {
        if (editsAllowed())
        {
            if (auto* node = bandNode (band))
            {
                node->freq->setIndex (node->freq->getIndex() + dx);
                bandEdited (node, band);
                selectedSection = band;
            }
        }
        lastX = e.x;
    }

    if (dy >= 2 || dy <= -2)
    {
        const int half = dy / 2;
        if (editsAllowed())
        {
            if (auto* node = bandNode (band))
            {
                if (node->type->getIndex() != EqMath::bandOff)
                {
                    node->gain->setFromFloat (node->gain->getFloat() - (float) half * 0.5f);
                    bandEdited (node, band);
                }
                selectedSection = band;
            }
        }
        lastY = e.y;
    }
}

void filter_drag::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (inertMode != 0 || ! editsAllowed())
        return;

    auto* node = bandNode (band);
    if (node == nullptr)
        return;

    const int step = wheel.deltaY >= 0.0f ? 1 : -1;
    if (node->type->getIndex() != EqMath::bandOff)
    {
        node->qual->setIndex (node->qual->getIndex() + step);
        bandEdited (node, band);
    }
    selectedSection = band;
}
