// Timings of the speaker link against the simulated speaker (1 ms USB frames each way): going online,
// one edit to the wire, and the CPU the link's threads use while idle.

#include "link/LinkPartner.h"
#include "link/OscCom.h"
#include "link/UsbHost.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "sim/MemoryHidHost.h"
#include "sim/SimulatedSpeaker.h"

#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <pthread.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

/** Answers Connect and takes the link online the way the Setup page does. */
struct BenchPartner : LinkPartner
{
    bool pageOffline = true;
    int detected = 40;

    void showMeters (float, float, float) override {}
    void showPeakLimit (bool, bool, bool) override {}
    void showGain (float) override {}
    void setSlotName (int, const juce::String&) override {}
    void presetLoaded (const juce::String&) override {}
    void presetSaved (int, const juce::String&) override {}
    void showLockState (int32_t) override {}
    void setModel (int m) override { detected = m; }

    void goOnline() override
    {
        if (! pageOffline || ! oscCom->isDeviceOpen() || detected >= 39)
            return;
        oscCom->goOnline();
        oscCom->enableSendingIfOpen();
        pageOffline = false;
    }

    void goOffline() override
    {
        if (! pageOffline)
            oscCom->goOffline();
        pageOffline = true;
    }

    void showOffline() override {}
    void setMeterLevels (float, float, float) override {}
    void setClipLeds (bool, bool, bool) override {}
    bool isConfigTabShown() override { return false; }
    void setK24Meters (int, const float*) override {}
    bool askConnect (const juce::String&) override { return true; }
    void showIncompatibleFirmware() override {}
    void showConnectionError() override {}
    void showSpeakerAlert (const juce::String&) override {}
};

bool pumpUntil (const std::function<bool()>& done, int timeoutMs = 5000)
{
    auto* mm = juce::MessageManager::getInstance();
    const auto end = Clock::now() + std::chrono::milliseconds (timeoutMs);
    while (! done())
    {
        if (Clock::now() > end)
            return false;
        mm->runDispatchLoopUntil (1);
    }
    return true;
}

/** The tree, the simulated speaker and the link, set up and torn down around one benchmark. */
struct LinkRig
{
    explicit LinkRig (bool plugSpeaker)
    {
        juce::MessageManager::getInstance();
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        speaker = std::make_shared<sim::SimulatedSpeaker>();
        if (plugSpeaker)
            host.plug (speaker);
        setUsbHost (&host);
        link = std::make_unique<osc::OscCom> (partner);
    }

    ~LinkRig()
    {
        link.reset();
        setUsbHost (nullptr);
        host.unplugAll();
        rootCell = nullptr;
    }

    bool drained() const { return link->queuedCount() == 0 && ! link->isWaitingForAck(); }

    bool connect()
    {
        return pumpUntil ([this] { return link->online.load(); }) && pumpUntil ([this] { return drained(); });
    }

    std::unique_ptr<Croot> root;
    sim::MemoryHidHost host;
    std::shared_ptr<sim::SimulatedSpeaker> speaker;
    BenchPartner partner;
    std::unique_ptr<osc::OscCom> link;
};

double cpuSeconds (const juce::Thread& thread)
{
    clockid_t clock;
    if (pthread_getcpuclockid ((pthread_t) thread.getThreadId(), &clock) != 0)
        return 0.0;
    timespec t {};
    clock_gettime (clock, &t);
    return (double) t.tv_sec + (double) t.tv_nsec * 1e-9;
}

void addDistribution (benchmark::State& state, std::vector<double> ms)
{
    if (ms.empty())
        return;
    std::sort (ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p90_ms"] = ms[(ms.size() * 9) / 10];
    state.counters["max_ms"] = ms.back();
}

} // namespace

/** From OscCom::goOnline until the speaker has answered the 43 messages it queues. */
static void BM_GoOnlineSync (benchmark::State& state)
{
    LinkRig rig (true);
    if (! rig.connect())
    {
        state.SkipWithError ("the link did not go online");
        return;
    }

    std::vector<double> samples;
    for (auto _ : state)
    {
        rig.partner.goOffline();
        pumpUntil ([] { return false; }, 20);  // let late echoes of the last round pass

        const auto start = Clock::now();
        rig.link->goOnline();
        rig.link->enableSendingIfOpen();
        rig.partner.pageOffline = false;
        if (! pumpUntil ([&rig] { return rig.drained(); }))
        {
            state.SkipWithError ("the queue did not drain");
            return;
        }
        const double seconds = std::chrono::duration<double> (Clock::now() - start).count();
        state.SetIterationTime (seconds);
        samples.push_back (seconds * 1000.0);
    }
    addDistribution (state, samples);
}
BENCHMARK (BM_GoOnlineSync)->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (20);

/** From Cnode::sendOsc of one EQ band to its report being written to the speaker; the argument is the
    pause in milliseconds before each edit (a short one, and one long enough for the transport to idle). */
static void BM_EditToWire (benchmark::State& state)
{
    LinkRig rig (true);
    if (! rig.connect())
    {
        state.SkipWithError ("the link did not go online");
        return;
    }

    auto* band = rig.root->peq->bands[1];
    std::vector<double> samples;
    int step = 0;

    for (auto _ : state)
    {
        const auto before = rig.speaker->receivedCount ("/peq/02");
        band->gain->setIndex (step++ % 300);

        const auto start = Clock::now();
        band->sendOsc (band->path);
        if (! rig.speaker->waitForReceived (before + 1, 2000, "/peq/02"))
        {
            state.SkipWithError ("the report was not written");
            return;
        }
        const double seconds = std::chrono::duration<double> (rig.speaker->receivedWithAddress ("/peq/02").back().time
                                                               - start).count();
        state.SetIterationTime (seconds);
        samples.push_back (seconds * 1000.0);

        state.PauseTiming();
        pumpUntil ([&rig] { return rig.drained(); });
        pumpUntil ([] { return false; }, (int) state.range (0));  // not right after an echo
        state.ResumeTiming();
    }
    addDistribution (state, samples);
}
BENCHMARK (BM_EditToWire)->Arg (3)->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (200);
BENCHMARK (BM_EditToWire)->Arg (150)->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (40);

/** CPU time of the "OSC connection" and "USB connection" threads over 10 s with nothing to send: online
    with the speaker (arg 1) and with no device present (arg 0), in percent of one core. */
static void BM_IdleCpu (benchmark::State& state)
{
    const bool withSpeaker = state.range (0) != 0;
    LinkRig rig (withSpeaker);

    if (withSpeaker && ! rig.connect())
    {
        state.SkipWithError ("the link did not go online");
        return;
    }
    pumpUntil ([] { return false; }, 300);  // settle

    for (auto _ : state)
    {
        const double sendBefore = cpuSeconds (*rig.link);
        const double usbBefore = cpuSeconds (rig.link->transport());
        const auto start = Clock::now();

        juce::MessageManager::getInstance()->runDispatchLoopUntil (10000);

        const double wall = std::chrono::duration<double> (Clock::now() - start).count();
        const double send = cpuSeconds (*rig.link) - sendBefore;
        const double usb = cpuSeconds (rig.link->transport()) - usbBefore;
        state.SetIterationTime (wall);
        state.counters["link_cpu_pct"] = 100.0 * (send + usb) / wall;
        state.counters["send_loop_pct"] = 100.0 * send / wall;
        state.counters["usb_thread_pct"] = 100.0 * usb / wall;
    }
}
BENCHMARK (BM_IdleCpu)->Arg (1)->Arg (0)->UseManualTime()->Unit (benchmark::kMillisecond)->Iterations (1);
