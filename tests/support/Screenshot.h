#pragma once
// Keeps a rendered image as a PNG screenshot of the test run, for people to look at.
#include <juce_gui_basics/juce_gui_basics.h>

namespace testshot
{
/** The build folder's screenshots folder (the test binaries live in <build>/tests), or with
    `besideTests` the one in <build>/tests. */
inline juce::File folder (bool besideTests = false)
{
    auto dir = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
    return (besideTests ? dir : dir.getParentDirectory()).getChildFile ("screenshots");
}

/** Writes `image` as `name` into `dir`, replacing an earlier one; false when it could not be written. */
inline bool keep (const juce::Image& image, const juce::String& name, const juce::File& dir = folder())
{
    if (! dir.createDirectory().wasOk())
        return false;
    auto file = dir.getChildFile (name);
    file.deleteFile();
    juce::FileOutputStream out (file);
    return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out);
}
} // namespace testshot
