#pragma once
#include <juce_graphics/juce_graphics.h>
#include <functional>
#include <vector>

/** The list of pictures the program embeds: each has a resource name, a pixel size and a function that
    draws it. Writes every picture as a PNG and the BinaryData.h that declares them. */
class PictureCatalogue
{
public:
    /** Draws one picture into a graphics context the size of the picture. */
    using Painter = std::function<void (juce::Graphics&, int width, int height)>;

    /** One picture: its file stem (the resource name without "_png"), its size and its painter. */
    struct Entry
    {
        juce::String stem;
        int width = 0, height = 0;
        Painter paint;
        juce::String note;   ///< what the picture shows, written into BinaryData.h
    };

    /** Adds a picture; a second picture with the same stem is a programming error and throws. */
    void add (const juce::String& stem, int width, int height, const juce::String& note, Painter paint);

    /** Renders one picture into a new ARGB image. */
    static juce::Image render (const Entry& entry);

    /** Writes every picture as <stem>.png and the header BinaryData.h into a folder; false on a write error. */
    bool writeAll (const juce::File& folder, juce::String& error) const;

    /** The pictures in the order they were added. */
    const std::vector<Entry>& entries() const noexcept { return pictures; }

private:
    bool writeHeader (const juce::File& file) const;

    std::vector<Entry> pictures;
};
