// Reading speed of the advice data layer against the bare whole-file load it is built on.
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "advice/SetConseils.h"

#include <benchmark/benchmark.h>

namespace
{
juce::File benchFolder()
{
    return juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("musewheeler-bench");
}

// About 90 characters of words in the manner of real advice, accents included.
juce::String randomAdvice (juce::Random& random)
{
    static const juce::StringArray words = juce::StringArray::fromTokens (
        juce::String::fromUTF8 (
            "Écrire une mélodie sur trois notes puis la renverser Try the chorus first and "
            "record a take with only two chords à l'envers répéter slower quieter bass drums "
            "voice silence rhythm écoute structure ending pont refrain verse pad noise"),
        false);
    juce::String text;

    while (text.length() < 90)
        text << words[random.nextInt (words.size())] << " ";

    return text.trimEnd();
}

// A set as the program writes it: UTF-16 with CR LF, advice texts of a typical length with accents.
void writeGeneratedSet (const juce::File& file, int numAdvice, int seed, DataTags& tags)
{
    juce::Random random (seed);
    SetConseils set (&tags);
    set.setName ("Generated " + juce::String (seed));
    set.setDescription ("Generated for the benchmarks");
    set.setAuthor ("Bench");
    set.setLanguage (seed % 2);
    set.setColourSet (juce::Colour ((juce::uint32) random.nextInt()).withAlpha (1.0f));

    for (int i = 0; i < numAdvice; ++i)
    {
        set.addNewConseil();
        set.setDescriptionItem (i, randomAdvice (random));
        set.setHashTags (i, juce::String (random.nextInt (3)) + "," +
                                juce::String (100 + random.nextInt (6)) + "," +
                                juce::String (400 + random.nextInt (18)) + ",");
        set.setFavoriteItem (i, random.nextInt (10) == 0);
    }

    set.setFileSet (file);
    set.saveData();
}

juce::File generatedSet (int numAdvice)
{
    static DataTags tags;
    const auto file = benchFolder().getChildFile ("set-" + juce::String (numAdvice) + ".mwh");

    if (!file.existsAsFile())
    {
        benchFolder().createDirectory();
        writeGeneratedSet (file, numAdvice, numAdvice, tags);
    }

    return file;
}

void BM_LoadFileAsString (benchmark::State& state)
{
    const auto file = generatedSet ((int) state.range (0));

    for (auto _ : state)
        benchmark::DoNotOptimize (file.loadFileAsString());

    state.SetBytesProcessed ((int64_t) state.iterations() * file.getSize());
}

void BM_LoadDataFull (benchmark::State& state)
{
    DataTags tags;
    SetConseils set (&tags);
    set.setFileSet (generatedSet ((int) state.range (0)));

    for (auto _ : state)
    {
        set.loadData (2);
        benchmark::DoNotOptimize (set.getNumConseils());
    }

    state.SetBytesProcessed ((int64_t) state.iterations() * set.getFileSet().getSize());
}

// The library reads "data" beside the program: 100 sets of 1,000 advice are written there once.
void BM_GenerateFilteredList (benchmark::State& state)
{
    DataTags tags;
    const auto dataFolder =
        juce::File::getSpecialLocation (juce::File::currentApplicationFile).getSiblingFile ("data");
    dataFolder.deleteRecursively();
    dataFolder.createDirectory();

    for (int s = 0; s < 100; ++s)
        writeGeneratedSet (dataFolder.getChildFile ("set-" + juce::String (s) + ".mwh"), 1000, s, tags);

    LibSetsConseils library (&tags);
    library.loadLibSetsConseils();

    for (auto _ : state)
    {
        library.generateFilteredList (1, -1, "", (int) state.range (0), false);
        benchmark::DoNotOptimize (library.getNumConseilsFiltered());
    }

    state.counters["advice"] = library.getNumConseilsFiltered();
    dataFolder.deleteRecursively();
}
} // namespace

BENCHMARK (BM_LoadFileAsString)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_LoadDataFull)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_GenerateFilteredList)->Arg (-1)->Arg (402)->Unit (benchmark::kMillisecond);

int main (int argc, char** argv)
{
    benchmark::Initialize (&argc, argv);

    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchFolder().deleteRecursively();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    benchFolder().deleteRecursively();
    return 0;
}
