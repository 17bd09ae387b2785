#include "base/FileStatus.h"

#include <sys/stat.h>

FileStatus FileStatus::of (const juce::File& file)
{
    struct stat info
    {
    };

    if (file == juce::File() || stat (file.getFullPathName().toRawUTF8(), &info) != 0 ||
        !S_ISREG (info.st_mode))
        return {};

    return { true, (juce::int64) info.st_size,
             (juce::int64) info.st_mtim.tv_sec * 1000000000 + (juce::int64) info.st_mtim.tv_nsec };
}
