#include "widgets/InstalledFonts.h"

#include "base/FileStatus.h"

namespace
{
// Where the toolkit looks for the fontconfig file whose <dir> elements name the font folders.
const char* const fontsConfPaths[] = { "/etc/fonts/fonts.conf", "/usr/share/fonts/fonts.conf",
                                       "/usr/local/etc/fonts/fonts.conf",
                                       "/usr/share/defaults/fonts/fonts.conf" };

// The font folders as the toolkit lists them (juce_linux_Fonts.cpp): JUCE_FONT_PATH, else the <dir>
// elements of the first fonts.conf that reads as XML, else the X11 folder.
juce::StringArray findFontFolders (const UserFolder::Environment& environment)
{
    juce::StringArray folders;
    folders.addTokens (environment ("JUCE_FONT_PATH"), ";,", "");
    folders.removeEmptyStrings (true);

    if (folders.isEmpty())
    {
        for (const auto* path : fontsConfPaths)
        {
            const auto xml = juce::parseXML (juce::File (path));

            if (xml == nullptr)
                continue;

            for (const auto* element : xml->getChildWithTagNameIterator ("dir"))
            {
                auto folder = element->getAllSubText().trim();

                if (folder.isEmpty())
                    continue;

                if (element->getStringAttribute ("prefix") == "xdg")
                {
                    auto dataHome = environment ("XDG_DATA_HOME");

                    if (dataHome.trimStart().isEmpty())
                        dataHome = "~/.local/share";

                    folder = juce::File (dataHome).getChildFile (folder).getFullPathName();
                }

                folders.add (folder);
            }

            break;
        }
    }

    if (folders.isEmpty())
        folders.add ("/usr/X11R6/lib/X11/fonts");

    folders.removeDuplicates (false);
    return folders;
}
} // namespace

juce::String InstalledFonts::describe (const UserFolder::Environment& environment)
{
    // A stream, as a string grows by copying itself whole.
    juce::MemoryOutputStream description;
    description << "JUCE_FONT_PATH=" << environment ("JUCE_FONT_PATH") << "\n";

    // Every fonts.conf the toolkit might read: another one made or removed can change the folders.
    for (const auto* path : fontsConfPaths)
    {
        const auto status = FileStatus::of (juce::File (path));
        description << "conf " << path << " " << status.size << " " << status.modificationTime << "\n";
    }

    for (const auto& folder : findFontFolders (environment))
        describeFolder (juce::File::getCurrentWorkingDirectory().getChildFile (folder), description);

    return description.toUTF8();
}
