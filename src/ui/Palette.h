#pragma once
// The program's recurring colours, shared by the pages, widgets and the look and feel.
#include <juce_graphics/juce_graphics.h>

namespace palette
{
inline const juce::Colour background { 0xff161616 };  ///< page and window ground
inline const juce::Colour grey { 0xff666767 };        ///< frames, tabs, alert grounds
inline const juce::Colour caption { 0xffb8b8b8 };     ///< caption text
inline const juce::Colour lightText { 0xffeaefe3 };   ///< light text
inline const juce::Colour lightBlue { 0xff6ebedd };   ///< meters and band handles
inline const juce::Colour orange { 0xfff37c21 };      ///< the EQ curve in User mode, highlights
inline const juce::Colour red { 0xffef464e };         ///< the feedback-filter curve
inline const juce::Colour blue { 0xff104879 };        ///< title bar and crossover curve
} // namespace palette
