// Draws the tag picker on each of its tabs into PNG files, with the program's look and the shipped sets,
// for the README (`make screenshots`).
// Usage: OptionsGallery OUTPUT_FOLDER
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "widgets/CustomLookAndFeel.h"
#include "widgets/SpecialTagManager.h"
#include "widgets/SyntheticMouse.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

namespace
{
// The set editor's window and the picker's place in it.
constexpr int editorWidth = 500;
constexpr int editorHeight = 350;

// The component as the screen shows it: over the black of what lies beneath it.
bool writePicture (juce::Component& component, const juce::File& file)
{
    juce::Image picture (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);

    {
        juce::Graphics g (picture);
        g.fillAll (juce::Colours::black);
        g.drawImageAt (component.createComponentSnapshot (component.getLocalBounds()), 0, 0);
    }

    file.deleteFile();
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;

    if (!stream.openedOk() || !png.writeImageToStream (picture, stream))
    {
        std::cerr << "Could not write " << file.getFullPathName() << "\n";
        return false;
    }

    std::cout << "Wrote " << file.getFullPathName() << "\n";
    return true;
}

juce::Colour colourOfSet (const LibSetsConseils& library, const juce::String& fileName)
{
    for (const auto* set : library.getSetsConseils())
        if (set->getFileSet().getFileName() == fileName)
            return set->getColourSet();

    return juce::Colours::orange;
}

bool drawTagPicker (DataTags& tags, juce::Colour colour, int tab, int hoveredCell, const juce::File& file)
{
    tags.initDataTagsLibrary (true);

    SpecialTagManager picker (&tags);
    picker.setLanguage (1);
    picker.setBounds (0, 0, editorWidth - 160, editorHeight - 170);
    picker.setHashTags ("1,103,204,211,304,307,402,406,");
    picker.setColour (colour);
    picker.setButtonClicked (tab);

    const auto numTags = DataTags::getNumTagsInCategory (tab);
    const auto cellWidth = (float) (picker.getWidth() - 60) / (float) numTags;
    auto& component = static_cast<juce::Component&> (picker);
    component.mouseMove (
        SyntheticMouse::event (picker, { 30.0f + ((float) hoveredCell + 0.5f) * cellWidth, 80.0f }));

    return writePicture (picker, file);
}
} // namespace

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "Usage: OptionsGallery OUTPUT_FOLDER\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI gui;
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    folder.createDirectory();

    CustomLookAndFeel look;
    juce::LookAndFeel::setDefaultLookAndFeel (&look);
    look.setTypeButton (false);

    bool written = false;

    {
        DataTags tags;
        LibSetsConseils library (&tags);
        library.loadLibSetsConseils();

        if (library.getNumSetsConseils() == 0)
        {
            std::cerr << "No advice set in " << LibSetsConseils::getDirectoryDataLib().getFullPathName()
                      << "\n";
        }
        else
        {
            // Of the shipped colours, the one in which chosen, hovered and plain cells differ most.
            const auto colour = colourOfSet (library, "fr-formes-et-arrangements.mwh");
            const struct
            {
                const char* name;
                int hoveredCell;
            } tabs[] = { { "abstraction", 2 },
                         { "function", 1 },
                         { "instruments", 9 },
                         { "genres", 17 },
                         { "themes", 5 } };

            written = true;

            for (int tab = 0; tab < SpecialTagManager::numTabs && written; ++tab)
                written = drawTagPicker (
                    tags, colour, tab, tabs[tab].hoveredCell,
                    folder.getChildFile (juce::String ("tag-picker-") + tabs[tab].name + ".png"));
        }
    }

    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    return written ? 0 : 1;
}
