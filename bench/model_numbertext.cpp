// Cost of the program's own number text, which every displayed value and preset line goes through.
#include "model/NumberText.h"

#include <benchmark/benchmark.h>

namespace
{
void BM_FormatValue (benchmark::State& state)
{
    // The formats of the tree with values typical of each.
    const char* const formats[] = { "%5.1f", "%+5.1f", "%4.2f", "%4.1f", "%6.2f", "%5.1f" };
    const double values[] = { 1234.5, -7.5, 0.71, 18.333334, 123.45, 20000.0 };
    char buffer[32];
    size_t i = 0;

    for (auto _ : state)
    {
        benchmark::DoNotOptimize (formatValue (buffer, formats[i], values[i]));
        benchmark::ClobberMemory();
        i = (i + 1) % 6;
    }

    state.SetItemsProcessed (state.iterations());
}
BENCHMARK (BM_FormatValue);

void BM_ParseFloat (benchmark::State& state)
{
    const char* const texts[] = { " 1000", "-12.5", "0.71", "1k25", "300.00", "20000" };
    size_t i = 0;
    float value = 0.0f;

    for (auto _ : state)
    {
        const char* text = texts[i];
        benchmark::DoNotOptimize (text);
        benchmark::DoNotOptimize (parseFloat (text + (text[0] == ' ' ? 1 : 0), &value));
        benchmark::DoNotOptimize (value);
        i = (i + 1) % 6;
    }

    state.SetItemsProcessed (state.iterations());
}
BENCHMARK (BM_ParseFloat);
} // namespace
