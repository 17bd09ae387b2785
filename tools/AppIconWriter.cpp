// Writes the program's icon (AppIcon) as a PNG file, for the desktop entry that `make install` puts in place.
// Usage: MusewheelerAppIcon OUTPUT.png [SIZE]
#include "app/AppIcon.h"

#include <iostream>

int main (int argc, char** argv)
{
    if (argc < 2)
    {
        std::cerr << "Usage: MusewheelerAppIcon OUTPUT.png [SIZE]\n";
        return 2;
    }

    // Drawing creates the toolkit's font cache, which only its shutdown frees; without it the cache and its
    // locks are reported as leaked at exit.
    const juce::ScopedJuceInitialiser_GUI toolkit;
    const auto size = argc > 2 ? juce::jlimit (16, 1024, juce::String (argv[2]).getIntValue()) : 256;
    const auto file =
        juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (argv[1]));

    juce::MemoryOutputStream png;

    if (!juce::PNGImageFormat().writeImageToStream (AppIcon::createImage (size), png) ||
        !file.replaceWithData (png.getData(), png.getDataSize()))
    {
        std::cerr << "Could not write " << file.getFullPathName() << "\n";
        return 1;
    }

    return 0;
}
