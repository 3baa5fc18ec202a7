#pragma once
// The preset file document: saves the parameter tree as a ".vrs" preset file and loads one back.

#include <juce_gui_extra/juce_gui_extra.h>

class PresetModelHost;

/** The editor's one preset document (in `presetDoc`). Created with the main window after the pages;
    its construction applies the built-in initial preset text to the tree. Saving writes the title,
    the model code and every message node; loading applies a file's node lines, refusing a file made
    for another model while online and switching the model to the file's while offline. */
class presetDocument : public juce::FileBasedDocument
{
public:
    /** `host` answers the offline flag and the model code; when null, the Setup page in `setupPage`
        is asked at the time of each load or save. */
    explicit presetDocument (PresetModelHost* host = nullptr);
    ~presetDocument() override;

    /** Marks the document changed and broadcasts a change message. */
    void changed() override;
    /** The preset's title (the first line of the file last read, or the one set for saving). */
    juce::String getDocumentTitle() override;
    /** Sets the title written as the first line of the next saved file. */
    void setTitle (const juce::String& title);

    /** Reads the ".vrs" file of `file`'s name into the tree. */
    juce::Result loadDocument (const juce::File& file) override;
    /** Writes the tree into the ".vrs" file of `file`'s name; the previous file stays intact on failure. */
    juce::Result saveDocument (const juce::File& file) override;

    /** The most recently opened preset file, or juce::File() when none was opened yet. */
    juce::File getLastDocumentOpened() override;
    /** Puts `file` first in the recently opened files list. */
    void setLastDocumentOpened (const juce::File& file) override;

private:
    PresetModelHost* host() const;

    PresetModelHost* modelHost = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (presetDocument)
};

/** The one preset document while it exists (set by its constructor, cleared by its destructor). */
extern presetDocument* presetDoc;
