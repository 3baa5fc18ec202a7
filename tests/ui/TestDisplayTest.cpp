// The UI test binary keeps off the caller's display, whatever DISPLAY says: it opens no window there.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

TEST (UiTestBinary, HasNoConnectionToTheCallersDisplay)
{
    EXPECT_EQ (juce::XWindowSystem::getInstance()->getDisplay(), nullptr);
}
