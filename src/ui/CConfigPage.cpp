#include "CConfigPage.h"

#include "EqMath.h"

CConfigPage* configPage = nullptr;

CConfigPage::CConfigPage()
{
    setSize (720, 470);
}

CConfigPage::~CConfigPage() = default;

bool CConfigPage::isSubwooferModel (int index) noexcept
{
    switch (index)
    {
        case 4: case 5: case 7: case 10: case 15: case 16:
        case 21: case 22: case 29: case 30: case 37: case 38:
            return true;
        default:
            return false;
    }
}

void CConfigPage::setModel (int index)
{
    modelIndex = index;
    subwooferFlag = isSubwooferModel (index);
}

void CConfigPage::setK24Meters (int, const float*)
{
    // The channel meters are not on the page yet.
}
