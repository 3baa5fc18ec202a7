#include "PictureCatalogue.h"
#include <stdexcept>

void PictureCatalogue::add (const juce::String& stem, int width, int height, const juce::String& note, Painter paint)
{
    for (const auto& e : pictures)
        if (e.stem == stem)
            throw std::logic_error (("picture added twice: " + stem).toStdString());

    pictures.push_back ({ stem, width, height, std::move (paint), note });
}

juce::Image PictureCatalogue::render (const Entry& entry)
{
    juce::Image image (juce::Image::ARGB, entry.width, entry.height, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    entry.paint (g, entry.width, entry.height);
    return image;
}

bool PictureCatalogue::writeAll (const juce::File& folder, juce::String& error) const
{
    if (! folder.isDirectory() && ! folder.createDirectory())
    {
        error = "cannot create " + folder.getFullPathName();
        return false;
    }

    juce::PNGImageFormat png;

    for (const auto& e : pictures)
    {
        const auto file = folder.getChildFile (e.stem + ".png");
        const auto image = render (e);
        juce::MemoryOutputStream out;

        if (! png.writeImageToStream (image, out))
        {
            error = "cannot encode " + e.stem;
            return false;
        }

        // Leave an identical file alone so that its embedded copy is not rebuilt.
        if (file.existsAsFile() && file.getSize() == (juce::int64) out.getDataSize())
        {
            juce::MemoryBlock old;
            if (file.loadFileAsData (old) && old == out.getMemoryBlock())
                continue;
        }

        if (! file.replaceWithData (out.getData(), out.getDataSize()))
        {
            error = "cannot write " + file.getFullPathName();
            return false;
        }
    }

    if (! writeHeader (folder.getChildFile ("BinaryData.h")))
    {
        error = "cannot write BinaryData.h";
        return false;
    }

    return true;
}

bool PictureCatalogue::writeHeader (const juce::File& file) const
{
    juce::String text;
    text << "// The program's pictures, compiled in as byte blocks by resources/CMakeLists.txt.\n"
         << "// Written by tools/pictures (varento_pictures) together with the PNGs; do not edit by hand.\n"
         << "#pragma once\n\n"
         << "namespace BinaryData\n{\n";

    for (const auto& e : pictures)
    {
        const auto name = e.stem + "_png";
        text << "    // " << e.stem << ".png, " << e.width << " x " << e.height << ": " << e.note << "\n"
             << "    extern const char* " << name << ";\n"
             << "    extern const int " << name << "Size;\n\n";
    }

    text << "    /** The resource names of every embedded picture, followed by a null pointer. */\n"
         << "    extern const char* namedResourceList[];\n\n"
         << "    /** The number of embedded pictures. */\n"
         << "    extern const int namedResourceListSize;\n\n"
         << "    /** Looks a picture up by its resource name (such as \"watermark_png\"); returns its bytes and size,\n"
         << "        or nullptr with a size of 0 for an unknown name. For tests and tools: the program uses the symbols. */\n"
         << "    const char* getNamedResource (const char* resourceNameUTF8, int& dataSizeInBytes);\n"
         << "}\n";

    if (file.existsAsFile() && file.loadFileAsString() == text)
        return true;

    return file.replaceWithText (text, false, false, "\n");
}
