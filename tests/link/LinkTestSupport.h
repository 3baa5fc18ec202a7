#pragma once
// Shared by the link's tests: a user interface that records what the link tells it and answers its
// questions from a script, and a fixture that runs the real link against the simulated speaker.

#include "support/MessagePump.h"
#include "link/LinkPartner.h"
#include "link/OscCom.h"
#include "link/UsbHost.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "sim/MemoryHidHost.h"
#include "sim/OscCodec.h"
#include "sim/SimulatedSpeaker.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace linktest
{

/** Records every call of the link and behaves like the Setup page where the link relies on it. */
struct RecordingPartner : LinkPartner
{
    // Script.
    bool connectAnswer = true;        ///< answer of the Connect question
    bool holdQueueOnline = false;     ///< goOnline disables sending first, so the queue stays as filled
    bool configTabShown = false;

    // The page's own state.
    bool pageOffline = true;
    int detectedModel = 40;

    // Records.
    std::vector<std::string> calls;   ///< names of every call, in order
    std::vector<std::array<float, 3>> meters;
    std::vector<std::array<bool, 3>> peakLimits;
    std::vector<float> gains;
    std::vector<std::pair<int, juce::String>> slotNames;
    std::vector<juce::String> loaded;
    std::vector<std::pair<int, juce::String>> saved;
    std::vector<int32_t> lockStates;
    std::vector<int> models;
    std::vector<std::array<float, 3>> meterLevels;
    std::vector<std::array<bool, 3>> clipLeds;
    std::vector<std::pair<int, std::array<float, 8>>> k24;
    std::vector<juce::String> connectQuestions;
    std::vector<juce::String> alerts;

    int count (const std::string& name) const
    {
        int n = 0;
        for (auto& c : calls)
            n += c == name ? 1 : 0;
        return n;
    }

    void showMeters (float i, float a, float b) override { calls.push_back ("showMeters"); meters.push_back ({ i, a, b }); }
    void showPeakLimit (bool c, bool a, bool b) override { calls.push_back ("showPeakLimit"); peakLimits.push_back ({ c, a, b }); }
    void showGain (float g) override { calls.push_back ("showGain"); gains.push_back (g); }
    void setSlotName (int s, const juce::String& n) override { calls.push_back ("setSlotName"); slotNames.emplace_back (s, n); }
    void presetLoaded (const juce::String& n) override { calls.push_back ("presetLoaded"); loaded.push_back (n); }
    void presetSaved (int s, const juce::String& n) override { calls.push_back ("presetSaved"); saved.emplace_back (s, n); }
    void showLockState (int32_t code) override { calls.push_back ("showLockState"); lockStates.push_back (code); }

    void setModel (int m) override
    {
        calls.push_back ("setModel");
        models.push_back (m);
        detectedModel = m;
    }

    void goOnline() override
    {
        calls.push_back ("goOnline");
        if (! pageOffline || oscCom == nullptr || ! oscCom->isDeviceOpen() || detectedModel >= 39)
            return;

        if (holdQueueOnline)
            oscCom->setSendingEnabled (0);
        oscCom->goOnline();
        if (! holdQueueOnline)
            oscCom->enableSendingIfOpen();
        pageOffline = false;
    }

    void goOffline() override
    {
        calls.push_back ("goOffline");
        if (! pageOffline && oscCom != nullptr)
            oscCom->goOffline();
        pageOffline = true;
    }

    void showOffline() override { calls.push_back ("showOffline"); }
    void setMeterLevels (float i, float a, float b) override { calls.push_back ("setMeterLevels"); meterLevels.push_back ({ i, a, b }); }
    void setClipLeds (bool c, bool a, bool b) override { calls.push_back ("setClipLeds"); clipLeds.push_back ({ c, a, b }); }
    bool isConfigTabShown() override { return configTabShown; }

    void setK24Meters (int bank, const float* levels) override
    {
        calls.push_back ("setK24Meters");
        std::array<float, 8> l {};
        std::copy (levels, levels + 8, l.begin());
        k24.emplace_back (bank, l);
    }

    bool askConnect (const juce::String& name) override
    {
        calls.push_back ("askConnect");
        connectQuestions.push_back (name);
        return connectAnswer;
    }

    void showIncompatibleFirmware() override { calls.push_back ("showIncompatibleFirmware"); }
    void showConnectionError() override { calls.push_back ("showConnectionError"); }
    void showSpeakerAlert (const juce::String& text) override { calls.push_back ("showSpeakerAlert"); alerts.push_back (text); }
};

/** Decoded form of one queued or logged OSC message. */
struct Decoded
{
    std::string address;
    std::string typeTags;
    sim::OscArgs args;
};

inline Decoded decode (const juce::MemoryBlock& block)
{
    Decoded d;
    sim::OscCodec::decodeMessage (static_cast<const uint8_t*> (block.getData()), block.getSize(), d.address,
                                  d.typeTags, d.args);
    return d;
}

using testpump::threadWaitMs;

/** Runs the message loop until `done` holds or `timeoutMs` passed; returns whether it held. */
inline bool pumpUntil (const std::function<bool()>& done, int timeoutMs = threadWaitMs)
{
    return testpump::pumpUntil (done, timeoutMs);
}

using testpump::pumpFor;

/** The real link, its real threads and the simulated speaker behind the in-memory HID host. */
class LinkFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        lastAlertText = {};

        speaker = std::make_shared<sim::SimulatedSpeaker>();
        setUsbHost (&host);
    }

    void TearDown() override
    {
        link.reset();
        setUsbHost (nullptr);
        host.unplugAll();
        pumpFor (5);
        rootCell = nullptr;
        root.reset();
        lastAlertText = {};
    }

    /** Plugs the speaker in and makes the link. */
    void startLink (bool plugSpeaker = true)
    {
        if (plugSpeaker)
            host.plug (speaker);
        link = std::make_unique<osc::OscCom> (partner);
    }

    /** Makes the link, answers the Connect question and waits until the link is online and (unless the
        partner holds the queue) the speaker has answered everything queued on going online. Until then
        only echoes move the queue on: each message of going online reaches the speaker once, however
        slow the machine, and no late echo of a resent copy arrives after this returns. No keep-alive
        comes however long the test takes (the link's own interval is kept in defaultKeepAliveMs). */
    void connect()
    {
        startLink();
        defaultKeepAliveMs = link->keepAliveInterval();
        link->setKeepAliveInterval (patientMs);
        const int echoTimeout = link->acknowledgementTimeout();
        if (! partner.holdQueueOnline)
            link->setAcknowledgementTimeout (patientMs);

        ASSERT_TRUE (pumpUntil ([this] { return link->online.load(); })) << "never went online";

        if (! partner.holdQueueOnline)
        {
            ASSERT_TRUE (pumpUntil ([this] { return link->queuedCount() == 0 && ! link->isWaitingForAck(); }))
                << "queue never drained";
            link->setAcknowledgementTimeout (echoTimeout);
        }
    }

    /** A time no test outlasts. As the echo time-out: only the speaker's echo moves the queue on. As the
        keep-alive interval: no keep-alive comes. */
    static constexpr int patientMs = 60000;

    /** Makes the speaker send `address` with `args` and waits until the link has handled it. */
    void fromSpeaker (const std::string& address, const sim::OscArgs& args)
    {
        const auto peakLimitsSent = speaker->sentCount ("/peaklimit");
        ASSERT_TRUE (speaker->queueMessage (address, args));

        if (link != nullptr && link->online.load())
        {
            // A "/peaklimit" behind it shows when the link has handled everything before it.
            const auto marks = partner.peakLimits.size() + (address == "/peaklimit" ? 1u : 0u);
            ASSERT_TRUE (speaker->queueMessage ("/peaklimit", { int32_t (0), int32_t (0), int32_t (0) }));
            ASSERT_TRUE (pumpUntil ([&] { return partner.peakLimits.size() > marks; }));
            partner.peakLimits.pop_back();
            partner.calls.pop_back();
        }
        else
        {
            // Offline the link shows nothing. The transport reads a "/peaklimit" behind the message only
            // after it has posted the message, and a call posted after that runs after the link's handler.
            const auto marks = peakLimitsSent + (address == "/peaklimit" ? 2u : 1u);
            ASSERT_TRUE (speaker->queueMessage ("/peaklimit", { int32_t (0), int32_t (0), int32_t (0) }));
            ASSERT_TRUE (speaker->waitForSent (marks, threadWaitMs, "/peaklimit"));
            ASSERT_TRUE (testpump::pumpPosted (threadWaitMs));
        }
    }

    /** The queued messages, decoded, oldest first. */
    std::vector<Decoded> queued() const
    {
        std::vector<Decoded> result;
        for (auto& block : link->queuedMessages())
            result.push_back (decode (block));
        return result;
    }

    std::unique_ptr<Croot> root;
    sim::MemoryHidHost host;
    std::shared_ptr<sim::SimulatedSpeaker> speaker;
    RecordingPartner partner;
    std::unique_ptr<osc::OscCom> link;
    int defaultKeepAliveMs = 0;  ///< the link's keep-alive interval before connect() held it back
};

} // namespace linktest
