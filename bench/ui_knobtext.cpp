// Reading a knob's text box: a typed number against a pasted megabyte of signs or blanks.
#include "ui/NumberField.h"

#include <benchmark/benchmark.h>

namespace
{
void BM_KnobText (benchmark::State& state)
{
    juce::ScopedJuceInitialiser_GUI gui;
    juce::Slider knob;
    knob.setRange (-40.0, 10.0, 0.5);
    keepKnobValueOnTextWithoutNumber (knob);

    const int size = 1024 * 1024;
    const juce::String texts[] = { "-12.5", juce::String::repeatedString ("+", size),
                                   juce::String::repeatedString (" ", size - 1) + "5" };
    const auto& text = texts[state.range (0)];

    for (auto _ : state)
        benchmark::DoNotOptimize (knob.getValueFromText (text));

    state.counters["characters"] = (double) text.length();
}
// Arg 0: "-12.5"; 1: a megabyte of "+"; 2: a megabyte of blanks before "5".
BENCHMARK (BM_KnobText)->Arg (0)->Arg (1)->Arg (2)->Unit (benchmark::kMicrosecond);
} // namespace
