// Reading speed of the advice data layer against the bare whole-file load it is built on, and the cost
// of a favourite mark against the bare write of the same file.
#include "advice/DataTags.h"
#include "advice/LibSetsConseils.h"
#include "advice/SetConseils.h"
#include "advice/SetFileReader.h"
#include "base/ProgramFolder.h"
#include "base/Utf16TextFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>

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
        set.loadData (SetConseils::headerAndAdvice);
        benchmark::DoNotOptimize (set.getNumConseils());
    }

    state.SetBytesProcessed ((int64_t) state.iterations() * set.getFileSet().getSize());
}

// The library reads "data" in the program's folder; the benchmarks give it a folder of their own.
juce::File benchProgramFolder()
{
    return benchFolder().getChildFile ("program");
}

// The library reads "data" beside the program: 100 sets of 1,000 advice are written there once.
void BM_GenerateFilteredList (benchmark::State& state)
{
    DataTags tags;
    const ProgramFolder::ScopedOverride programFolder (benchProgramFolder());
    const auto dataFolder = ProgramFolder::getSibling ("data");
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

// The bare write a mark cannot do without: the set's text encoded and written through a temporary file.
void BM_ReplaceWithText (benchmark::State& state)
{
    DataTags tags;
    SetConseils set (&tags);
    set.setFileSet (generatedSet ((int) state.range (0)));
    set.loadData (SetConseils::headerAndAdvice);
    const auto target = benchFolder().getChildFile ("bare-write.mwh");

    for (auto _ : state)
        benchmark::DoNotOptimize (Utf16TextFile::replaceWithText (target, set.createSetText()));

    state.SetBytesProcessed ((int64_t) state.iterations() * target.getSize());
}

// One favourite mark after another on one set of the data folder, as a user marks advice on screen.
void BM_FavoriteMark (benchmark::State& state)
{
    DataTags tags;
    const ProgramFolder::ScopedOverride programFolder (benchProgramFolder());
    const auto dataFolder = ProgramFolder::getSibling ("data");
    dataFolder.deleteRecursively();
    dataFolder.createDirectory();
    const auto numAdvice = (int) state.range (0);
    generatedSet (numAdvice).copyFileTo (dataFolder.getChildFile ("marked.mwh"));

    LibSetsConseils library (&tags);
    library.loadLibSetsConseils();
    library.generateFilteredList (1, -1, "", -1, false);
    int position = 0;

    for (auto _ : state)
    {
        const auto outcome = library.setFavorite (position, !library.getFavorite (position));

        if (outcome != LibSetsConseils::FavoriteSaving::saved)
            state.SkipWithError ("a mark was not saved");

        position = (position + 7919) % library.getNumConseilsFiltered();
    }

    dataFolder.deleteRecursively();
}

// A set of one advice holding 80,000 distinct tags, in a shuffled order.
juce::String manyTagsSetText()
{
    juce::Array<int> hashes;

    for (int i = 0; i < 80000; ++i)
        hashes.add (i);

    juce::Random random (80000);

    for (int i = hashes.size() - 1; i > 0; --i)
        hashes.swap (i, random.nextInt (i + 1));

    juce::MemoryOutputStream text;
    text << SetConseils::fileHeader
         << "\n\nName=Tags;\nDescription=;\nAuthor=;\nLanguage=1;\nColour=1,2,3;\n\n"
         << "Item=Tagged;\nFavorite=false;\nTags=";

    for (const auto hash : hashes)
        text << hash << ",";

    text << ";\n\n";
    return text.toUTF8();
}

void BM_ReadManyTags (benchmark::State& state)
{
    DataTags tags;
    SetConseils set (&tags);
    const auto text = manyTagsSetText();

    for (auto _ : state)
    {
        SetFileReader::readSetText (set, text, SetConseils::headerAndAdvice);
        benchmark::DoNotOptimize (set.getNumTags (0));
    }
}

void BM_ListManyTags (benchmark::State& state)
{
    DataTags tags;
    SetConseils set (&tags);
    SetFileReader::readSetText (set, manyTagsSetText(), SetConseils::headerAndAdvice);

    for (auto _ : state)
        benchmark::DoNotOptimize (set.getHashTags (0));
}

// The data folder's scan (every set's kind and header) with the eight shipped-size sets beside one large
// file of junk, which is no set but is named like one.
void BM_ScanWithLargeJunkFile (benchmark::State& state)
{
    DataTags tags;
    const ProgramFolder::ScopedOverride programFolder (benchProgramFolder());
    const auto dataFolder = ProgramFolder::getSibling ("data");
    dataFolder.deleteRecursively();
    dataFolder.createDirectory();

    for (int s = 0; s < 8; ++s)
        writeGeneratedSet (dataFolder.getChildFile ("set-" + juce::String (s) + ".mwh"), 60, s, tags);

    {
        juce::Random random (50);
        juce::HeapBlock<char> chunk (1 << 20);
        juce::FileOutputStream junk (dataFolder.getChildFile ("junk.mwh"));

        // Random bytes without a zero byte, which would end every reader's text at once.
        for (int megabyte = 0; megabyte < (int) state.range (0); ++megabyte)
        {
            random.fillBitsRandomly (chunk.get(), 1 << 20);
            std::replace (chunk.get(), chunk.get() + (1 << 20), '\0', ' ');
            junk.write (chunk.get(), 1 << 20);
        }
    }

    LibSetsConseils library (&tags);

    for (auto _ : state)
    {
        library.loadLibSetsConseils();
        benchmark::DoNotOptimize (library.getNumSetsConseils());
    }

    state.counters["sets"] = library.getNumSetsConseils();
    dataFolder.deleteRecursively();
}
} // namespace

BENCHMARK (BM_LoadFileAsString)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_LoadDataFull)->Arg (1000)->Arg (10000)->Arg (100000)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_GenerateFilteredList)->Arg (-1)->Arg (402)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_ReplaceWithText)
    ->Arg (1000)
    ->Arg (10000)
    ->Arg (100000)
    ->Unit (benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK (BM_FavoriteMark)
    ->Arg (1000)
    ->Arg (10000)
    ->Arg (100000)
    ->Unit (benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK (BM_ReadManyTags)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_ListManyTags)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_ScanWithLargeJunkFile)->Arg (50)->Unit (benchmark::kMillisecond)->UseRealTime();

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
