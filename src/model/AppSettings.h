#pragma once
// The program's settings object: the list of recently opened preset files for this run.

#include <juce_data_structures/juce_data_structures.h>

#include <atomic>
#include <memory>

/** The one settings object, created on first use and kept for the rest of the run. It holds the
    recently opened preset files (full paths, most recent first, at most 10) in the framework's
    recent-files form. Nothing is ever saved, so each run starts with an empty list. */
class AppSettings
{
public:
    /** The settings object, created under the settings lock on first use (from any thread). */
    static AppSettings& getInstance();

    /** Most files the list keeps. */
    static constexpr int maxRecentFiles = 10;

    /** Puts `file` first in the list, removing any earlier entry for the same path (compared
        case-sensitively), and keeps the 10 most recent. Nothing is saved. */
    void addRecentFile (const juce::File& file);
    /** Entry `index` of the list, or juce::File() when there is none. */
    juce::File getRecentFile (int index) const;
    /** Number of entries in the list. */
    int getNumRecentFiles() const noexcept { return recentFiles.size(); }
    /** The list as the framework's recent-files text (one path a line). */
    juce::String recentFilesToString() const;

    /** Opens the settings store anew and restores the list from its "recentFiles" value, dropping
        files that no longer exist. Called by the construction. */
    void reload();

    /** The options the settings store is opened with. */
    const juce::PropertiesFile::Options& getOptions() const noexcept { return options; }

private:
    AppSettings();
    void restoreRecentFiles (const juce::String& text);

    juce::StringArray recentFiles;
    juce::PropertiesFile::Options options;
    std::unique_ptr<juce::PropertiesFile> properties;

    static std::atomic<AppSettings*> instance;

    JUCE_DECLARE_NON_COPYABLE (AppSettings)
};
