#include "model/Globals.h"

#include "model/Croot.h"

Croot* rootCell = nullptr;

namespace
{
juce::StringArray translatedTable (const char* const* texts)
{
    juce::StringArray table;

    for (int i = 0; i < modelTableSize; ++i)
        table.add (juce::translate (texts[i]));

    return table;
}

const char* const titleTexts[modelTableSize] = {
    "[connected: Ka 8]", "[connected: Ka 10]", "[connected: Ka 12]", "[connected: Ka 15]",
    "[connected: Ka 15B]", "[connected: Ka 18B]", "[connected: Hox 124]", "[connected: Hox 118B]",
    "[connected: Ptx 122]", "[connected: Ptx 152]", "[connected: Ptx 118B]",
    "[connected: Vel 82]", "[connected: Vel 102]", "[connected: Vel 122]", "[connected: Vel 152]",
    "[connected: Vel 115B]", "[connected: Vel 118B]",
    "[connected: Vel 82-WH]", "[connected: Vel 102-WH]", "[connected: Vel 122-WH]", "[connected: Vel 152-WH]",
    "[connected: Vel 115B-WH]", "[connected: Vel 118B-WH]",
    "[connected: Dmr 122/64]", "[connected: Dmr 122/96]", "[connected: Dmr 122/94]",
    "[connected: Dmr 152/64]", "[connected: Dmr 152/96]", "[connected: Dmr 152/94]",
    "[connected: Dmr 115B]", "[connected: Dmr 218B]",
    "[connected: Dmr 122/64-WH]", "[connected: Dmr 122/96-WH]", "[connected: Dmr 122/94-WH]",
    "[connected: Dmr 152/64-WH]", "[connected: Dmr 152/96-WH]", "[connected: Dmr 152/94-WH]",
    "[connected: Dmr 115B-WH]", "[connected: Dmr 218B-WH]",
    "[connected: ---]", "[not connected!]"
};

const char* const codeTexts[modelTableSize] = {
    "Ka8", "Ka10", "Ka12", "Ka15", "Ka15B", "Ka18B", "[Hox124]", "[Hox118B]",
    "Ptx122-AN", "Ptx152-AN", "Ptx118B-AN",
    "Vel82-AN", "Vel102-AN", "Vel122-AN", "Vel152-AN", "Vel115B-AN", "Vel118B-AN",
    "Vel82-AN-WH", "Vel102-AN-WH", "Vel122-AN-WH", "Vel152-AN-WH", "Vel115B-AN-WH", "Vel118B-AN-WH",
    "Dmr122-64-AN", "Dmr122-96-AN", "Dmr122-94-AN", "Dmr152-64-AN", "Dmr152-96-AN", "Dmr152-94-AN",
    "Dmr115B-AN", "Dmr218B-AN",
    "Dmr122-64-AN-WH", "Dmr122-96-AN-WH", "Dmr122-94-AN-WH", "Dmr152-64-AN-WH", "Dmr152-96-AN-WH",
    "Dmr152-94-AN-WH", "Dmr115B-AN-WH", "Dmr218B-AN-WH",
    "---", "-"
};
} // namespace

// Made in this order at start-up and destroyed in the reverse order at exit.
juce::StringArray connectedTitles = translatedTable (titleTexts);
juce::StringArray modelCodes = translatedTable (codeTexts);
std::recursive_mutex sendQueueLock;
juce::String lastAlertText;
juce::StringArray presetLines;
juce::String presetTitle;
std::recursive_mutex appSettingsInstanceLock;
