#include "cli/AdviceExporter.h"
#include "cli/AdviceSource.h"

#include <gtest/gtest.h>

namespace
{
AdviceSelection::Advice makeAdvice (const char* fileName, const char* setName, const char* author,
                                    const char* text)
{
    AdviceSelection::Advice made;
    made.fileName = fileName;
    made.setName = setName;
    made.author = author;
    made.text = text;
    return made;
}

const std::vector<AdviceSelection::Advice> advice{
    makeAdvice ("a.mwh", "Set A", "Ann", "First *bold* idea."),
    makeAdvice ("a.mwh", "Set A", "Ann", "Second, with `code` and a_b."),
    makeAdvice ("b.mwh", "Set B", "", "Third."),
};
} // namespace

TEST (AdviceExporterTest, writesTextAndFortuneThatReadBackAsTheSameAdvice)
{
    for (const auto& [format, sourceFormat] : { std::pair ("text", AdviceSource::Format::text),
                                                std::pair ("fortune", AdviceSource::Format::fortune) })
    {
        const auto entries = AdviceSource::parse (AdviceExporter::write (advice, format), sourceFormat);
        ASSERT_EQ (entries.size(), advice.size()) << format;

        for (size_t i = 0; i < advice.size(); ++i)
            EXPECT_EQ (entries[i].text, advice[i].text) << format;
    }

    EXPECT_EQ (AdviceExporter::write (advice, "fortune"),
               "First *bold* idea.\n%\nSecond, with `code` and a_b.\n%\nThird.\n%\n");
}

TEST (AdviceExporterTest, writesMarkdownASectionPerSet)
{
    EXPECT_EQ (AdviceExporter::write (advice, "markdown"),
               "## Set A\n\n*Ann*\n\n- First \\*bold\\* idea.\n- Second, with \\`code\\` and a\\_b.\n"
               "\n## Set B\n\n- Third.\n");
    EXPECT_EQ (AdviceExporter::write ({}, "markdown"), "");
}
