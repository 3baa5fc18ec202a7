// Reading preset files at the size cap: ordinary lines against one line of blanks in either place.
#include "model/Croot.h"
#include "model/Globals.h"
#include "model/PresetText.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace
{
constexpr size_t fileSize = 1024 * 1024;

/** A file of `fileSize` bytes: Arg 0 ordinary node lines, Arg 1 one line with its blanks after the ",",
    Arg 2 one line with its blanks after the type tags. */
std::string presetFile (int shape)
{
    const std::string head = "T\r\nVRMODELCODE 12\r\nBEGIN_OSC_DATA\r\n";
    const std::string tail = "\r\nEND_OSC_DATA";
    const auto room = fileSize - head.size() - tail.size();
    std::string body;

    if (shape == 0)
    {
        const std::string lines = "/peq/01,sfff LS6 100.0  +0.0 1.00\r\n/delay,fi   5.00 0\r\n/input,ifi 0 -30.0 0\r\n";
        while (body.size() + lines.size() <= room)
            body += lines;
        body += std::string (room - body.size(), '#');
    }
    else
    {
        const std::string start = shape == 1 ? "/delay," : "/delay,fi";
        const std::string end = shape == 1 ? "fi 6.00 0" : "7.00 0";
        body = start + std::string (room - start.size() - end.size(), ' ') + end;
    }

    return head + body + tail;
}

void BM_LoadPresetAtTheSizeCap (benchmark::State& state)
{
    auto root = std::make_unique<Croot>();
    root->buildPaths();
    rootCell = root.get();
    const auto bytes = presetFile ((int) state.range (0));

    for (auto _ : state)
    {
        const auto text = PresetText::textFromFileBytes (bytes.data(), bytes.size());
        benchmark::DoNotOptimize (PresetText::parsePresetText (text, nullptr));
    }

    state.SetBytesProcessed ((int64_t) (state.iterations() * bytes.size()));
    rootCell = nullptr;
    presetLines.clear();
}
BENCHMARK (BM_LoadPresetAtTheSizeCap)->Arg (0)->Arg (1)->Arg (2)->Unit (benchmark::kMillisecond);
} // namespace
