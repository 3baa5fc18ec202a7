// varento_pictures: draws the editor's pictures and writes them, with BinaryData.h, into a folder.
#include "InterfacePictures.h"
#include "EqModePictures.h"
#include "PlacementPictures.h"
#include "SpeakerPictures.h"
#include "DrawKit.h"
#include <juce_gui_basics/juce_gui_basics.h>
#include <iostream>

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: varento_pictures <output folder>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI gui;

    PictureCatalogue catalogue;
    InterfacePictures::addTo (catalogue);
    EqModePictures::addTo (catalogue);
    PlacementPictures::addTo (catalogue);
    SpeakerPictures::addTo (catalogue);

    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (juce::String (argv[1]));
    juce::String error;
    if (! catalogue.writeAll (folder, error))
    {
        std::cerr << "varento_pictures: " << error << "\n";
        return 1;
    }

    std::cout << "wrote " << catalogue.entries().size() << " pictures to " << folder.getFullPathName()
              << " (text in " << DrawKit::typefaceName() << ")\n";
    return 0;
}
