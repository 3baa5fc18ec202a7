// The settings object and its list of recently opened preset files.
#include <gtest/gtest.h>

#include "model/AppSettings.h"

#include <thread>
#include <vector>

namespace
{
juce::File presetPath (const juce::String& name)
{
    return juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile (name);
}
} // namespace

TEST (AppSettingsTest, OneObjectWhoeverAsksFirst)
{
    std::vector<AppSettings*> seen (8, nullptr);
    std::vector<std::thread> threads;

    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back ([&seen, i] { seen[i] = &AppSettings::getInstance(); });
    for (auto& t : threads)
        t.join();

    for (auto* s : seen)
        EXPECT_EQ (s, &AppSettings::getInstance());
}

TEST (AppSettingsTest, RecentFilesKeepTheTenMostRecentOnce)
{
    auto& settings = AppSettings::getInstance();
    settings.reload();
    EXPECT_EQ (settings.getNumRecentFiles(), 0);
    EXPECT_EQ (settings.getRecentFile (0), juce::File());

    // The same file twice: once, at the top.
    settings.addRecentFile (presetPath ("a.vrs"));
    settings.addRecentFile (presetPath ("b.vrs"));
    settings.addRecentFile (presetPath ("a.vrs"));
    ASSERT_EQ (settings.getNumRecentFiles(), 2);
    EXPECT_EQ (settings.getRecentFile (0), presetPath ("a.vrs"));
    EXPECT_EQ (settings.getRecentFile (1), presetPath ("b.vrs"));

    // Paths differing in case are different files.
    settings.addRecentFile (presetPath ("A.vrs"));
    EXPECT_EQ (settings.getNumRecentFiles(), 3);

    // Eleven different files: the ten most recent stay, newest first.
    settings.reload();
    for (int i = 0; i < 11; ++i)
        settings.addRecentFile (presetPath ("p" + juce::String (i) + ".vrs"));
    ASSERT_EQ (settings.getNumRecentFiles(), 10);
    EXPECT_EQ (settings.getRecentFile (0), presetPath ("p10.vrs"));
    EXPECT_EQ (settings.getRecentFile (9), presetPath ("p1.vrs"));
    EXPECT_EQ (settings.getRecentFile (10), juce::File());
    EXPECT_EQ (settings.recentFilesToString().upToFirstOccurrenceOf ("\n", false, false),
               presetPath ("p10.vrs").getFullPathName());
}

TEST (AppSettingsTest, NothingIsKeptAcrossARestart)
{
    auto& settings = AppSettings::getInstance();
    settings.addRecentFile (presetPath ("kept.vrs"));

    // Reopening the store (as a new run does) finds no saved list.
    settings.reload();
    EXPECT_EQ (settings.getNumRecentFiles(), 0);
    EXPECT_TRUE (settings.getOptions().applicationName.isEmpty());
    EXPECT_EQ (settings.getOptions().storageFormat, juce::PropertiesFile::storeAsXML);
}
