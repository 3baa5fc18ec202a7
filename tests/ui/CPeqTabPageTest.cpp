// The EQ tab inside the real Equaliser page: its edits move the graph's handles, the page hands it the
// model, and the page's end takes the tab's program-wide pointer with it.
#include "support/MessagePump.h"

#include "model/Croot.h"
#include "model/Globals.h"
#include "ui/CPeqPage.h"
#include "ui/CPeqTab.h"
#include "ui/Dialogs.h"
#include "ui/EqMath.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
/** Says "Yes" to every question. */
class YesDialogs : public Dialogs
{
public:
    bool askOkCancel (juce::MessageBoxIconType, const juce::String&, const juce::String&, const juce::String&,
                      const juce::String&) override
    {
        return true;
    }
};

class CPeqTabPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        Dialogs::setCurrent (&dialogs);
        subwooferFlag = false;

        page = std::make_unique<CPeqPage>();
        peqPage = page.get();
    }

    void TearDown() override
    {
        peqPage = nullptr;
        page.reset();
        Dialogs::setCurrent (nullptr);
        rootCell = nullptr;
        root.reset();
    }

    /** The tab's child of type T at (x, y). */
    template <typename T>
    T* child (int x, int y)
    {
        for (auto* c : peqTab->getChildren())
            if (auto* t = dynamic_cast<T*> (c))
                if (t->getX() == x && t->getY() == y)
                    return t;
        return nullptr;
    }

    YesDialogs dialogs;
    std::unique_ptr<Croot> root;
    std::unique_ptr<CPeqPage> page;
};
} // namespace

TEST_F (CPeqTabPageTest, EditsMoveTheGraphHandlesAndThePageHandsOnTheModel)
{
    ASSERT_NE (peqTab, nullptr);
    ASSERT_NE (page->graph, nullptr);

    // The frequency knob of "PEQ 2" at step 400: 2 kHz.
    auto* knob = child<juce::Slider> (334 + 300 + 4, 120);
    ASSERT_NE (knob, nullptr);
    knob->setValue (400.0);
    testpump::pumpFor (20);
    EXPECT_NEAR (page->graph->sectionFrequency[3], 2000.0f, 1.0f);
    EXPECT_EQ (selectedSection, 3);

    auto* reset = child<juce::Button> (236, 58);
    ASSERT_NE (reset, nullptr);
    reset->triggerClick();
    testpump::pumpFor (20);

    const float expected[4] = { 100.0f, 10000.0f, 500.0f, 2000.0f };
    for (int b = 0; b < 4; ++b)
        EXPECT_NEAR (page->graph->sectionFrequency[b], expected[b], expected[b] * 0.006f) << b;

    page->setModel (25);
    EXPECT_EQ (peqTab->modeCount, 3);

    page.reset();
    peqPage = nullptr;
    EXPECT_EQ (peqTab, nullptr);
}
