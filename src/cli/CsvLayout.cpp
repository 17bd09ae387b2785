#include "cli/CsvLayout.h"

#include "cli/FoldedText.h"

namespace
{
const std::initializer_list<const char*> textNames = {
    "text",    "texte", "advice", "conseil",  "conseils", "prompt",  "prompts",
    "idea",    "ideas", "idee",   "idees",    "quote",    "quotes",  "citation",
    "fortune", "tip",   "tips",   "sentence", "phrase",   "content", "message"
};
const std::initializer_list<const char*> tagNames = { "tags",       "tag",       "hashes",
                                                      "etiquettes", "etiquette", "labels" };
const std::initializer_list<const char*> favoriteNames = { "favorite", "favourite", "favori", "favoris",
                                                           "starred" };

const std::initializer_list<std::pair<const char*, const char*>> setFieldNames = { { "set", "set" },
                                                                                   { "set name", "set" },
                                                                                   { "author", "author" },
                                                                                   { "auteur", "author" },
                                                                                   { "description",
                                                                                     "description" },
                                                                                   { "language", "language" },
                                                                                   { "langue", "language" },
                                                                                   { "colour", "colour" },
                                                                                   { "color", "colour" },
                                                                                   { "couleur", "colour" } };

bool isBlank (const CsvParser::Record& record)
{
    return record.fields.joinIntoString ("").trim().isEmpty();
}

// Whether the fields of the column that are not empty, in the records from first on, are mostly tag lists:
// a typo in one list leaves the column a tag column, and is told at its line.
bool holdsTagLists (const std::vector<const CsvParser::Record*>& records, size_t first, int column)
{
    int numLists = 0, numOthers = 0;

    for (auto r = first; r < records.size(); ++r)
    {
        const auto field = records[r]->fields[column].trim();

        if (field.isNotEmpty())
            ++(CsvLayout::isTagList (field) ? numLists : numOthers);
    }

    return numLists > numOthers;
}
} // namespace

bool CsvLayout::isTagList (const juce::String& field)
{
    const auto trimmed = field.trim();
    return trimmed.isNotEmpty() && trimmed.containsOnly ("0123456789, ") &&
           trimmed.containsAnyOf ("0123456789");
}

bool CsvLayout::isNamed (const juce::String& field, std::initializer_list<const char*> names)
{
    const auto folded = FoldedText::fold (field.trim());
    return std::any_of (names.begin(), names.end(), [&folded] (const char* name) { return folded == name; });
}

CsvLayout CsvLayout::detect (const std::vector<CsvParser::Record>& records)
{
    CsvLayout layout;
    std::vector<const CsvParser::Record*> rows;

    for (const auto& record : records)
        if (!isBlank (record))
            rows.push_back (&record);

    if (rows.empty())
        return layout;

    const auto& first = rows.front()->fields;
    int numColumns = 0;

    for (const auto* row : rows)
        numColumns = juce::jmax (numColumns, row->fields.size());

    const auto namesAColumn = [&] (int column)
    {
        return isNamed (first[column], textNames) || isNamed (first[column], tagNames) ||
               isNamed (first[column], favoriteNames);
    };

    for (int column = 0; column < first.size() && !layout.header; ++column)
        layout.header =
            namesAColumn (column) || (first[column].trim().isNotEmpty() && !isTagList (first[column]) &&
                                      holdsTagLists (rows, 1, column));

    const size_t firstData = layout.header ? 1 : 0;

    if (layout.header)
    {
        for (int column = first.size(); --column >= 0;)
        {
            if (isNamed (first[column], textNames))
                layout.textColumn = column;
            else if (isNamed (first[column], tagNames))
                layout.tagColumn = column;
            else if (isNamed (first[column], favoriteNames))
                layout.favoriteColumn = column;

            for (const auto& [name, field] : setFieldNames)
                if (FoldedText::fold (first[column].trim()) == name)
                    layout.setColumns[field] = column;
        }
    }

    if (layout.tagColumn < 0)
        for (int column = 0; column < numColumns && layout.tagColumn < 0; ++column)
            if (holdsTagLists (rows, firstData, column))
                layout.tagColumn = column;

    const auto textByName = layout.header && isNamed (first[layout.textColumn], textNames);

    if (!textByName)
    {
        // The text is the longest column: titles, categories and numbers are shorter.
        std::vector<juce::int64> lengths ((size_t) numColumns, 0);

        for (auto r = firstData; r < rows.size(); ++r)
            for (int column = 0; column < rows[r]->fields.size(); ++column)
                lengths[(size_t) column] += rows[r]->fields[column].length();

        const auto isSetColumn = [&layout] (int column)
        {
            return std::any_of (layout.setColumns.begin(), layout.setColumns.end(),
                                [column] (const auto& entry) { return entry.second == column; });
        };

        for (int column = 0; column < numColumns; ++column)
            if (column != layout.tagColumn && column != layout.favoriteColumn && !isSetColumn (column) &&
                lengths[(size_t) column] > lengths[(size_t) layout.textColumn])
                layout.textColumn = column;

        if (layout.textColumn == layout.tagColumn)
            layout.tagColumn = -1;
    }

    // "text,0,104," without quotes: the list runs to the end of the record, past the last column named.
    const auto isEmptyColumn = [&] (int column)
    {
        for (auto r = firstData; r < rows.size(); ++r)
            if (rows[r]->fields[column].trim().isNotEmpty())
                return false;

        return true;
    };

    if (layout.tagColumn > layout.textColumn && layout.favoriteColumn < 0 && layout.setColumns.empty())
    {
        layout.tagsSpread = true;

        if (layout.header)
            layout.tagsSpread = layout.tagColumn == first.size() - 1;
        else
            for (int column = layout.tagColumn + 1; column < numColumns; ++column)
                layout.tagsSpread =
                    layout.tagsSpread && (isEmptyColumn (column) || holdsTagLists (rows, 0, column));
    }

    const auto isUsed = [&layout] (int column)
    {
        return column == layout.textColumn || column == layout.favoriteColumn || column == layout.tagColumn ||
               (layout.tagsSpread && column > layout.tagColumn) ||
               std::any_of (layout.setColumns.begin(), layout.setColumns.end(),
                            [column] (const auto& entry) { return entry.second == column; });
    };

    for (int column = 0; column < (layout.header ? first.size() : numColumns); ++column)
        if (!isUsed (column) && !(layout.header ? first[column].trim().isEmpty() : isEmptyColumn (column)))
            layout.passedOver.add (layout.header ? "\"" + first[column].trim() + "\""
                                                 : juce::String (column + 1));

    return layout;
}

juce::String CsvLayout::getText (const CsvParser::Record& record) const
{
    return record.fields[textColumn];
}

juce::String CsvLayout::getTags (const CsvParser::Record& record) const
{
    if (tagColumn < 0)
        return {};

    if (!tagsSpread)
        return record.fields[tagColumn].trim();

    juce::StringArray spread;

    for (int column = tagColumn; column < record.fields.size(); ++column)
        spread.add (record.fields[column]);

    return spread.joinIntoString (",").trim();
}

bool CsvLayout::isFavorite (const CsvParser::Record& record) const
{
    if (favoriteColumn < 0)
        return false;

    const auto field = FoldedText::fold (record.fields[favoriteColumn].trim());

    for (const auto* yes : { "1", "yes", "true", "oui", "vrai", "x", "*" })
        if (field == yes)
            return true;

    return false;
}

std::map<juce::String, juce::String> CsvLayout::getSetFields (const CsvParser::Record& record) const
{
    std::map<juce::String, juce::String> fields;

    for (const auto& [name, column] : setColumns)
        fields[name] = record.fields[column];

    return fields;
}
