#include "widgets/InstalledFonts.h"

#include "base/FileStatus.h"

void InstalledFonts::describeFolder (const juce::File& folder, juce::OutputStream& description)
{
    description << "folder " << folder.getFullPathName() << "\n";

    // The toolkit's own walk through the folder, links to folders followed as it follows them.
    for (const auto& entry : juce::RangedDirectoryIterator (folder, true))
    {
        const auto status = FileStatus::of (entry.getFile());
        description << entry.getFile().getFullPathName() << " " << status.size << " "
                    << status.modificationTime << "\n";
    }
}
