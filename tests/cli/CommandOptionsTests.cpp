#include "cli/CommandOptions.h"

#include <gtest/gtest.h>

namespace
{
juce::ArgumentList arguments (const juce::String& line)
{
    return juce::ArgumentList ("musewheeler-sets", juce::StringArray::fromTokens (line, true));
}

// The exit code of the work, and whatever ConsoleApplication::fail reported.
int exitCodeOf (std::function<void()> work)
{
    return juce::ConsoleApplication::invokeCatchingFailures (
        [&work]
        {
            work();
            return 0;
        });
}
} // namespace

TEST (CommandOptionsTest, takesValuesWithASpaceOrAnEqualsSign)
{
    CommandOptions options (arguments ("import list.txt --name \"My set\" --language=fr --force"), "import");
    EXPECT_EQ (options.takeValue ("--name"), juce::String ("My set"));
    EXPECT_EQ (options.takeValue ("--language"), juce::String ("fr"));
    EXPECT_EQ (options.takeValue ("--author"), std::nullopt);
    EXPECT_TRUE (options.takeFlag ("--force"));
    EXPECT_FALSE (options.takeFlag ("--force"));
    EXPECT_EQ (options.takeWords(), juce::StringArray ("list.txt"));
    EXPECT_FALSE (options.wantsHelp());
    EXPECT_TRUE (CommandOptions (arguments ("draw --count 2 -h"), "draw").wantsHelp());
}

TEST (CommandOptionsTest, endsWithExitCodeTwoOnAMistake)
{
    for (const auto* line :
         { "draw --count", "draw --count --plain", "draw --count=", "draw --count 1 --count 2" })
    {
        CommandOptions options (arguments (line), "draw");
        EXPECT_EQ (exitCodeOf ([&] { options.takeValue ("--count"); }), CommandOptions::usageExitCode)
            << line;
    }

    CommandOptions unknown (arguments ("list --colour red"), "list");
    EXPECT_EQ (exitCodeOf ([&] { unknown.takeWords(); }), CommandOptions::usageExitCode);
}

TEST (CommandOptionsTest, takesArgumentsThatStartWithADashAsValuesAndWords)
{
    const auto argumentsOf = [] (juce::StringArray list)
    {
        list.insert (0, "draw");
        return juce::ArgumentList ("musewheeler-sets", list);
    };

    CommandOptions values (argumentsOf ({ "--count", "-1", "--name", "-1 song" }), "draw");
    EXPECT_FALSE (values.wantsHelp());
    EXPECT_EQ (values.takeValue ("--count"), juce::String ("-1"));
    EXPECT_EQ (values.takeValue ("--name"), juce::String ("-1 song"));

    CommandOptions words (argumentsOf ({ "--plain", "--", "-12dB", "--plain", "-h" }), "search");
    EXPECT_FALSE (words.wantsHelp());
    EXPECT_TRUE (words.takeFlag ("--plain"));
    EXPECT_EQ (words.takeWords(), juce::StringArray ("-12dB", "--plain", "-h"));

    for (const auto* notHelp : { "-1", "-h1", "-12", "--helpful" })
        EXPECT_FALSE (CommandOptions (argumentsOf ({ notHelp }), "draw").wantsHelp()) << notHelp;

    CommandOptions unknown (argumentsOf ({ "-12dB" }), "search");
    EXPECT_EQ (exitCodeOf ([&] { unknown.takeWords(); }), CommandOptions::usageExitCode);
    CommandOptions missing (argumentsOf ({ "--name", "--force" }), "import");
    EXPECT_EQ (exitCodeOf ([&] { missing.takeValue ("--name"); }), CommandOptions::usageExitCode);
}
