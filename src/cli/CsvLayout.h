#pragma once

#include "cli/CsvParser.h"

#include <map>

// Which columns of a table of advice hold what, as spreadsheets export them: whether the first record is a
// header (a column name the import knows, or a column of tag lists whose first field is none), the
// text's column (by its name, else the longest) and the tags' column (by its name, else the one whose
// fields are all tag lists).
class CsvLayout final
{
public:
    bool header = false;
    int textColumn = 0;
    int tagColumn = -1;      // -1: the source gives no tags
    bool tagsSpread = false; // unquoted hash lists spread over the tag column and those after it
    int favoriteColumn = -1;
    juce::StringArray passedOver; // the columns read for nothing, by their names or numbers
    // The set's own fields, by the names the CSV export gives them ("set", "author", "description",
    // "language", "colour"), to their columns.
    std::map<juce::String, int> setColumns;

    static CsvLayout detect (const std::vector<CsvParser::Record>& records);

    // A hash list as set files and spreadsheets hold it: whole numbers separated by commas ("0,104,", "2").
    static bool isTagList (const juce::String& field);

    juce::String getText (const CsvParser::Record& record) const;
    juce::String getTags (const CsvParser::Record& record) const;
    bool isFavorite (const CsvParser::Record& record) const;
    // The set's fields a record gives, by their names.
    std::map<juce::String, juce::String> getSetFields (const CsvParser::Record& record) const;

private:
    static bool isNamed (const juce::String& field, std::initializer_list<const char*> names);
};
