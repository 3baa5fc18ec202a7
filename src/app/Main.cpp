// The program's entry point: JUCE creates the application object and runs its message loop.
#include "ui/VarentoEditApplication.h"

START_JUCE_APPLICATION (VarentoEditApplication)
