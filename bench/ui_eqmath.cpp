// Cost of one whole EQ curve: the graph calls the response function once per pixel column.
#include "ui/EqMath.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

static void BM_PeqResponse660 (benchmark::State& state)
{
    constexpr int columns = 660;
    EqMath::designPeqBand (0, EqMath::bandLs12, 120.0f, 6.0f, 0.7f);
    EqMath::designPeqBand (1, EqMath::bandHs6, 8000.0f, -4.0f, 0.7f);
    EqMath::designPeqBand (2, EqMath::bandPeq, 1000.0f, 6.0f, 0.7f);
    EqMath::designPeqBand (3, EqMath::bandPeq, 3150.0f, -9.0f, 4.0f);

    // The graph's frequency axis: 20 Hz at the left edge to 20 kHz at the right.
    std::vector<float> hz (columns);
    for (int x = 0; x < columns; ++x)
        hz[static_cast<std::size_t> (x)] = 20.0f * std::pow (1000.0f, static_cast<float> (x) / columns);

    for (auto _ : state)
        for (float f : hz)
            benchmark::DoNotOptimize (EqMath::peqResponseDb (f));

    state.SetItemsProcessed (state.iterations() * columns);
}
BENCHMARK (BM_PeqResponse660);
