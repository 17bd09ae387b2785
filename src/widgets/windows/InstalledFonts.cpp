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
    // The system's fonts, and those a user installed without administrator rights. A stream, as a string
    // grows by copying itself whole.
    juce::MemoryOutputStream description;
    const auto windowsFolder = absoluteOrNone (environment ("WINDIR"));
    const auto localAppData = absoluteOrNone (environment ("LOCALAPPDATA"));
    description << "WINDIR=" << windowsFolder.getFullPathName() << "\n"
                << "LOCALAPPDATA=" << localAppData.getFullPathName() << "\n";

    if (windowsFolder != juce::File())
        describeFolder (windowsFolder.getChildFile ("Fonts"), description);

    if (localAppData != juce::File())
        describeFolder (localAppData.getChildFile ("Microsoft\\Windows\\Fonts"), description);

    return description.toUTF8();
}
