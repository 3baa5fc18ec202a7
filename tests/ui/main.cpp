// Test entry point: components, fonts and images need JUCE's GUI initialised on this thread.
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // The tests render components into images and never open a window. Without this they would open
    // windows on the caller's screen, and on an X server without a window manager (xvfb-run, a remote
    // shell) JUCE's X code fails and ends the program, as its X error handlers exist only in a
    // standalone application. Unsetting DISPLAY is not enough: JUCE then tries ":0.0". A name without a
    // display number is no address at all, so Xlib refuses it without connecting anywhere. Before JUCE
    // starts: it connects to the display when it initialises.
    ::setenv ("DISPLAY", "none", 1);

    testing::InitGoogleTest(&argc, argv);
    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI gui;
        result = RUN_ALL_TESTS();
    }
    return result;
}
