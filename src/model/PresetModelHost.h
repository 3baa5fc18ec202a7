#pragma once
// What the preset file reader needs to know about the editor's connection and model.

#include <juce_core/juce_core.h>

/** The editor's side of the preset file reader: whether it is offline, which model it is set to,
    and how a preset file's model code switches the offline model. The Setup page implements it. */
class PresetModelHost
{
public:
    virtual ~PresetModelHost() = default;

    /** True while the editor is not connected to a speaker. */
    virtual bool isOffline() const = 0;

    /** The current model index as decimal text, the model code a preset file stores. */
    virtual juce::String getModelCode() const = 0;

    /** Makes the model named by a preset file's code the current offline model; false when the code
        names no model of the table (nothing changes then). */
    virtual bool setModelFromCode (const juce::String& code) = 0;
};
