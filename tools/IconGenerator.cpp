// Draws the three pictograms of the set editor's advice buttons and writes them as 32 x 32 PNG files
// (white on transparent) into the folder given on the command line, where the build embeds them.
#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <iostream>

namespace
{
constexpr int iconSize = 32;
constexpr float sheetStroke = 2.0f;
constexpr float signStroke = 2.0f;

// Every pictogram stays inside the circle inscribed in the image, since buttons scale the image to their
// circle.
juce::Path makeSheet (float left, float top, float right, float bottom, float fold)
{
    juce::Path sheet;
    sheet.startNewSubPath (left, top);
    sheet.lineTo (right - fold, top);
    sheet.lineTo (right, top + fold);
    sheet.lineTo (right, bottom);
    sheet.lineTo (left, bottom);
    sheet.closeSubPath();

    sheet.startNewSubPath (right - fold, top);
    sheet.lineTo (right - fold, top + fold);
    sheet.lineTo (right, top + fold);
    return sheet;
}

void strokeWhite (juce::Graphics& g, const juce::Path& path, float thickness)
{
    g.setColour (juce::Colours::white);
    g.strokePath (
        path, juce::PathStrokeType (thickness, juce::PathStrokeType::mitered, juce::PathStrokeType::square));
}

void drawNewItem (juce::Graphics& g)
{
    strokeWhite (g, makeSheet (9.0f, 6.0f, 23.0f, 26.0f, 5.0f), sheetStroke);

    juce::Path plus;
    plus.startNewSubPath (12.5f, 18.0f);
    plus.lineTo (19.5f, 18.0f);
    plus.startNewSubPath (16.0f, 14.5f);
    plus.lineTo (16.0f, 21.5f);
    strokeWhite (g, plus, signStroke);
}

void drawDuplicateItem (juce::Graphics& g)
{
    // Only the edges of the back sheet that the front sheet leaves visible.
    juce::Path backSheet;
    backSheet.startNewSubPath (12.0f, 10.0f);
    backSheet.lineTo (12.0f, 5.0f);
    backSheet.lineTo (24.0f, 5.0f);
    backSheet.lineTo (24.0f, 21.0f);
    backSheet.lineTo (20.0f, 21.0f);
    strokeWhite (g, backSheet, sheetStroke);

    juce::Path frontSheet;
    frontSheet.addRectangle (8.0f, 10.0f, 12.0f, 17.0f);
    strokeWhite (g, frontSheet, sheetStroke);
}

void drawDeleteItem (juce::Graphics& g)
{
    strokeWhite (g, makeSheet (9.0f, 6.0f, 23.0f, 26.0f, 5.0f), sheetStroke);

    juce::Path cross;
    cross.startNewSubPath (13.0f, 15.0f);
    cross.lineTo (19.0f, 21.0f);
    cross.startNewSubPath (19.0f, 15.0f);
    cross.lineTo (13.0f, 21.0f);
    strokeWhite (g, cross, signStroke);
}

bool writeIcon (const juce::File& file, const std::function<void (juce::Graphics&)>& draw)
{
    juce::Image image (juce::Image::ARGB, iconSize, iconSize, true);

    {
        juce::Graphics g (image);
        draw (g);
    }

    file.deleteFile();
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;

    return stream.openedOk() && png.writeImageToStream (image, stream);
}
} // namespace

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: IconGenerator OUTPUT_FOLDER\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI toolkit;
    const juce::File folder (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    folder.createDirectory();

    const bool written = writeIcon (folder.getChildFile ("newitem.png"), drawNewItem) &&
                         writeIcon (folder.getChildFile ("duplicateitem.png"), drawDuplicateItem) &&
                         writeIcon (folder.getChildFile ("deleteitem.png"), drawDeleteItem);

    if (!written)
    {
        std::cerr << "could not write the icons into " << folder.getFullPathName() << "\n";
        return 1;
    }

    return 0;
}
