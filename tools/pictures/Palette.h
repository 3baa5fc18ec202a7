#pragma once
#include <juce_graphics/juce_graphics.h>

/** The program's colours, shared by every picture so that they match the windows they sit in. */
namespace Palette
{
    const juce::Colour background  { 0xff161616 };  ///< page background
    const juce::Colour grey        { 0xff666767 };  ///< frames, panels, inactive symbols
    const juce::Colour caption     { 0xffb8b8b8 };  ///< caption text
    const juce::Colour lightText   { 0xffeaefe3 };  ///< light text and highlights
    const juce::Colour lightBlue   { 0xff6ebedd };  ///< accents, band discs, active switches
    const juce::Colour orange      { 0xfff37c21 };  ///< curves and warnings
    const juce::Colour red         { 0xffef464e };  ///< alarm accents
    const juce::Colour blue        { 0xff104879 };  ///< tiles and selected states

    const juce::Colour cabinetBlack { 0xff262729 };  ///< painted black cabinets
    const juce::Colour cabinetWhite { 0xffdcdfd8 };  ///< painted white cabinets
}
