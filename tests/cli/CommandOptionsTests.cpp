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
