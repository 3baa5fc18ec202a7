// Painting the whole main component (pages, meters, scale, LEDs, pictures) into an image.
#include "link/UsbHost.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "sim/MemoryHidHost.h"
#include "ui/RemoteControl.h"

#include <benchmark/benchmark.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

static void BM_MainComponentPaint (benchmark::State& state)
{
    juce::ScopedJuceInitialiser_GUI gui;
    sim::MemoryHidHost host; // no speaker: the link idles
    setUsbHost (&host);

    auto root = std::make_unique<Croot>();
    rootCell = root.get();
    root->buildPaths();

    {
        juce::DocumentWindow window ("VARENTO Edit ", juce::Colour (0xff104879),
                                     juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, false);
        auto* main = new RemoteControl (&window);
        window.setContentOwned (main, true);
        main->setModel (12);
        RemoteControl::setMeterLevels (0.5f, 0.25f, 0.7f);
        RemoteControl::setClipLeds (true, false, true);

        juce::Image image (juce::Image::RGB, main->getWidth(), main->getHeight(), true);
        for (auto _ : state)
        {
            juce::Graphics g (image);
            main->paintEntireComponent (g, false);
            benchmark::DoNotOptimize (image.getPixelAt (800, 200));
        }
        state.counters["pixels"] = (double) (main->getWidth() * main->getHeight());

        window.clearContentComponent();
    }

    setUsbHost (nullptr);
    rootCell = nullptr;
    root.reset();
}
BENCHMARK (BM_MainComponentPaint)->Unit (benchmark::kMicrosecond);
