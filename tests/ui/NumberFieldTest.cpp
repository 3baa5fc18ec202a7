// The knobs' text boxes: a pasted text is read in one pass, however long.
#include <gtest/gtest.h>

#include "ui/NumberField.h"

// Runs under the short time-out of the ReadInOnePass tests (tests/CMakeLists.txt).
TEST (ReadInOnePass, KnobTextOfAMillionPlusSigns)
{
    juce::Slider knob;
    knob.setRange (-40.0, 10.0, 0.5);
    knob.setValue (-12.0, juce::dontSendNotification);
    keepKnobValueOnTextWithoutNumber (knob);

    const auto signs = juce::String::repeatedString ("+ ", 512 * 1024);
    EXPECT_EQ (knob.getValueFromText (signs), -12.0);
    EXPECT_EQ (knob.getValueFromText (signs + "5"), 5.0);
}
