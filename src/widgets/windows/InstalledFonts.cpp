#include "widgets/InstalledFonts.h"

namespace
{
juce::File absoluteOrNone (const juce::String& path)
{
    return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
}
} // namespace

juce::String InstalledFonts::describe (const UserFolder::Environment& environment)
{
    // The system's fonts, and those a user installed without administrator rights.
    juce::String description;
    const auto windowsFolder = absoluteOrNone (environment ("WINDIR"));
    const auto localAppData = absoluteOrNone (environment ("LOCALAPPDATA"));
    description << "WINDIR=" << windowsFolder.getFullPathName() << "\n"
                << "LOCALAPPDATA=" << localAppData.getFullPathName() << "\n";

    if (windowsFolder != juce::File())
        description << describeFolder (windowsFolder.getChildFile ("Fonts"));

    if (localAppData != juce::File())
        description << describeFolder (localAppData.getChildFile ("Microsoft\\Windows\\Fonts"));

    return description;
}
