#include "CPeqPage.h"

CPeqPage* peqPage = nullptr;

CPeqPage::CPeqPage()
    : juce::Component ("PeqPage")
{
    setSize (720, 470);
}

CPeqPage::~CPeqPage() = default;

void CPeqPage::setModel (int)
{
    // The sub-tabs are not on the page yet.
}
