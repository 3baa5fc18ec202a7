// Painting the response graph alone (660 x 150, four EQ handles) per mode: grid, one curve built afresh
// from 659 response-function calls, its fill, and in the EQ mode the handles' dotted lines.
#include "ui/EQGraph.h"
#include "ui/EqMath.h"

#include <benchmark/benchmark.h>
#include <juce_gui_basics/juce_gui_basics.h>

static void BM_EQGraphPaint (benchmark::State& state)
{
    juce::ScopedJuceInitialiser_GUI gui;
    EqMath::designPeqBand (0, EqMath::bandLs12, 120.0f, 6.0f, 0.7f);
    EqMath::designPeqBand (1, EqMath::bandHs6, 8000.0f, -4.0f, 0.7f);
    EqMath::designPeqBand (2, EqMath::bandPeq, 1000.0f, 6.0f, 0.7f);
    EqMath::designPeqBand (3, EqMath::bandPeq, 3150.0f, -9.0f, 4.0f);
    EqMath::designCrossover (90.0f, 0.0f);
    EqMath::designRsqBand (0, 2500.0f, -12.0f, 30.0f);

    const int mode = (int) state.range (0);
    static constexpr EQGraph::ResponseFunction functions[] { EqMath::peqResponseDb, EqMath::crossoverResponseDb,
                                                             EqMath::rsqResponseDb };
    {
        EQGraph graph (nullptr);
        graph.setBounds (0, 0, 660, 150);
        graph.setCurveColour (juce::Colour (0xfff37c21));
        graph.setFillColour (juce::Colour (0x80f37c21));
        graph.resetHandles();
        juce::Image handle (juce::Image::ARGB, 16, 16, true);
        for (int i = 0; i < 4; ++i)
        {
            graph.addHandle (i, handle);
            graph.setSectionFrequency (i, peqFrequencies[i]);
        }
        graph.setMode (mode);
        graph.setResponseFunction (functions[mode]);

        juce::Image image (juce::Image::RGB, 660, 150, true);
        for (auto _ : state)
        {
            juce::Graphics g (image);
            graph.paintEntireComponent (g, false);
            benchmark::DoNotOptimize (image.getPixelAt (300, 75));
        }
    }
}
BENCHMARK (BM_EQGraphPaint)->Arg (0)->Arg (1)->Arg (2)->Unit (benchmark::kMicrosecond);
