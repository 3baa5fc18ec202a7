#pragma once
// The ".vrs" preset file text: writing the parameter tree as text and reading such text back into it.

#include <juce_core/juce_core.h>

class Cnode;
class PresetModelHost;

/**
    Reader and writer of preset text. The text is: a title line, a "VRMODELCODE " line with the model
    index, "BEGIN_OSC_DATA", one line per message node of the tree (address, ",", type tags, then each
    value after a blank) and "END_OSC_DATA". Files are written with CR LF and no line break at the end.

    The reader and the writer work on the program-wide `presetLines` and `presetTitle` and on the tree
    in `rootCell`; everything runs on the message thread.
*/
class PresetText
{
public:
    /** The built-in initial preset that gives the tree its start-up values (843 characters). */
    static const char* const initDataText;

    /** The text a preset file of the current tree holds, for the model code `modelCode`; fills
        `presetLines` with its lines. */
    static juce::String buildPresetText (const juce::String& modelCode);

    /** The bytes a preset file of the current tree holds, as saveFile writes them: the text of
        buildPresetText in UTF-8 with CR LF line ends (after a byte-order mark when the text begins
        with U+FEFF, which the reading would otherwise take for the mark). */
    static juce::MemoryBlock buildFileBytes (const juce::String& modelCode);

    /** Appends "BEGIN_OSC_DATA", one line per message node and "END_OSC_DATA" to `presetLines`, and
        returns all of `presetLines` joined with line feeds. */
    static juce::String buildOscDataText();

    /** Appends the preset line of one message node to `presetLines`. */
    static void addNodeLine (Cnode* node);

    /** Reads preset text into the tree. `host` (may be null: then the model code is ignored) tells
        whether the editor is offline and which model it is set to. Returns 1 when the file was made for
        another model while online (nothing applied), -1 when a node line named no node or had a value
        that could not be read (lines before it stay applied), 0 otherwise. */
    static int parsePresetText (const juce::String& text, PresetModelHost* host);

    /** Applies one node line: 0 when applied or skipped (no "," or type tags or values, or a group
        node's address, which holds no values), -1 when no node or a parameter has the address or a value
        cannot be read. */
    static int applyPresetLine (const juce::String& line);

    /** Index of the first line of `presetLines` that begins with `keyword` after its leading white
        space (letters in any case), or -1. The title line (index 0) is only taken when no later line
        matches, so that a title cannot hide the keyword lines that follow it. */
    static int findLineStartingWith (const juce::String& keyword);

    /** The ".vrs" file that `file` names (its extension replaced). */
    static juce::File presetFileFor (const juce::File& file);

    /** Writes the current tree into the ".vrs" file of `file`'s name, through a temporary file that then
        replaces the target, so a failed write leaves the previous file intact. Links are followed to the
        file they reach; a target that exists but is not a regular file is refused and left as it is. */
    static juce::Result saveFile (const juce::File& file, const juce::String& modelCode);

    /** Reads the ".vrs" file of `file`'s name into the tree (see parsePresetText). */
    static juce::Result loadFile (const juce::File& file, PresetModelHost* host);

    /** The text of a preset file's bytes: UTF-8 (with or without its byte-order mark) when it is
        well-formed, UTF-16 in either byte order after its byte-order mark (a surrogate pair is one
        character, an unpaired surrogate U+FFFD, an odd last byte dropped), otherwise 8-bit text in the
        Windows code page. The text ends at its first zero character. Every character of the text can be
        written as UTF-8, so a saved file reads back to the same text. */
    static juce::String textFromFileBytes (const void* data, size_t numBytes);

    /** The failure texts of saveFile and loadFile. */
    static const char* const writeFailedText;
    static const char* const notValidText;
    static const char* const modelMismatchText;
};
