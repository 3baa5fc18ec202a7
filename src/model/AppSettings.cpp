#include "model/AppSettings.h"

#include "model/Globals.h"

std::atomic<AppSettings*> AppSettings::instance { nullptr };

AppSettings& AppSettings::getInstance()
{
    if (auto* existing = instance.load())
        return *existing;

    const std::lock_guard<std::recursive_mutex> lock (appSettingsInstanceLock);

    if (instance.load() == nullptr)
        instance.store (new AppSettings()); // kept for the rest of the run

    return *instance.load();
}

AppSettings::AppSettings()
{
    // No application, folder or file is named and nothing is ever written.
    options.applicationName = {};
    options.filenameSuffix = {};
    options.folderName = {};
    options.osxLibrarySubFolder = {};
    options.commonToAllUsers = false;
    options.ignoreCaseOfKeyNames = false;
    options.doNotSave = false;
    options.millisecondsBeforeSaving = 3000;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    options.processLock = nullptr;

    reload();
}

void AppSettings::reload()
{
    properties.reset();

    // The unnamed options point at no settings file of their own; only a regular file is opened.
    auto file = options.getDefaultFile();
    if (! file.existsAsFile())
        file = juce::File();

    properties = std::make_unique<juce::PropertiesFile> (file, options);
    restoreRecentFiles (properties->getValue ("recentFiles"));
}

void AppSettings::restoreRecentFiles (const juce::String& text)
{
    recentFiles.clear();
    recentFiles.addLines (text);
    recentFiles.removeEmptyStrings();
    recentFiles.removeRange (maxRecentFiles, recentFiles.size());

    for (int i = recentFiles.size(); --i >= 0;)
        if (! juce::File::isAbsolutePath (recentFiles[i]) || ! juce::File (recentFiles[i]).exists())
            recentFiles.remove (i);
}

void AppSettings::addRecentFile (const juce::File& file)
{
    const auto path = file.getFullPathName();
    recentFiles.removeString (path, false);
    recentFiles.insert (0, path);
    recentFiles.removeRange (maxRecentFiles, recentFiles.size());
}

juce::File AppSettings::getRecentFile (int index) const
{
    if (index < 0 || index >= recentFiles.size())
        return {};

    return juce::File (recentFiles[index]);
}

juce::String AppSettings::recentFilesToString() const
{
    return recentFiles.joinIntoString ("\n");
}
