#pragma once
// Objects that exist for the whole run of the program, made before the application starts.

#include <juce_core/juce_core.h>

#include <mutex>

class Croot;

/** The root holder: the one parameter tree of the program. Null until the application stores the root
    it creates; a Croot clears it when destroyed. */
extern Croot* rootCell;

/** Number of entries of the model tables (model indexes 0 to 40). */
constexpr int modelTableSize = 41;

/** Model index of a connected speaker whose model the table does not name. */
constexpr int modelUnknown = 39;

/** Model index while no speaker is connected. */
constexpr int modelNotConnected = 40;

/** Per model index, the text that the window title shows after the product name ("[connected: Ka 8]",
    ..., "[connected: ---]", "[not connected!]"). 41 entries. */
extern juce::StringArray connectedTitles;

/** Per model index, the model code ("Ka8", ..., "---", "-"). 41 entries. */
extern juce::StringArray modelCodes;

/** Guards the link's send queue, its waiting flag and retry count. */
extern std::recursive_mutex sendQueueLock;

/** The text of the speaker alert last shown by the link; empty while none is shown. */
extern juce::String lastAlertText;

/** The lines of the preset text being written or read. */
extern juce::StringArray presetLines;

/** The title line of the current preset. */
extern juce::String presetTitle;

/** Guards the creation of the settings singleton. */
extern std::recursive_mutex appSettingsInstanceLock;
