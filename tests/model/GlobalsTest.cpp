#include "model/Croot.h"
#include "model/Globals.h"

#include <gtest/gtest.h>

TEST (ModelTables, FortyOneEntriesEndingWithUnknownAndNotConnected)
{
    ASSERT_EQ (connectedTitles.size(), modelTableSize);
    ASSERT_EQ (modelCodes.size(), modelTableSize);
    EXPECT_EQ (connectedTitles[modelNotConnected], "[not connected!]");
    EXPECT_EQ (modelCodes[modelNotConnected], "-");
    EXPECT_EQ (connectedTitles[modelUnknown], "[connected: ---]");
    EXPECT_EQ (modelCodes[modelUnknown], "---");
    EXPECT_EQ (connectedTitles[0], "[connected: Ka 8]");
    EXPECT_EQ (modelCodes[0], "Ka8");
    EXPECT_EQ (connectedTitles[38], "[connected: Dmr 218B-WH]");
    EXPECT_EQ (modelCodes[38], "Dmr218B-AN-WH");
    EXPECT_EQ (modelCodes[41], ""); // no row past the table
}

TEST (ModelTables, BothTablesNameTheSameModelInTheSameRow)
{
    // "[connected: Dmr 122/64-WH]" and "Dmr122-64-AN-WH" name the same model: compare letters and
    // digits of the title with the code less its "-AN" network suffix.
    auto essence = [] (juce::String s) {
        s = s.replace ("[connected: ", "").replace ("-AN", "");
        return s.retainCharacters ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    };

    for (int i = 0; i < 39; ++i)
        EXPECT_EQ (essence (connectedTitles[i]), essence (modelCodes[i])) << "row " << i;
}

TEST (RootCell, ClearedWhenItsRootIsDestroyed)
{
    rootCell = nullptr;
    {
        Croot root;
        rootCell = &root;
        Croot other; // another tree does not touch the cell
        EXPECT_EQ (rootCell, &root);
    }
    EXPECT_EQ (rootCell, nullptr);
}
