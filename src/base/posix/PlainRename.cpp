#include "base/PlainRename.h"

#include <filesystem>

bool PlainRename::move (const juce::File& from, const juce::File& to)
{
    std::error_code error;
    std::filesystem::rename (std::filesystem::u8path (from.getFullPathName().toStdString()),
                             std::filesystem::u8path (to.getFullPathName().toStdString()), error);
    return !error;
}
