// The USB transport on its own thread against in-memory HID devices: device search, the "/info" greeting,
// report acceptance and the transmit slot.

#include "LinkTestSupport.h"

#include "link/MyMessage.h"
#include "link/UsbConnection.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

using namespace linktest;

namespace
{

struct RecordingListener : juce::MessageListener
{
    std::vector<int> tags;
    std::vector<juce::MemoryBlock> blocks;

    void handleMessage (const juce::Message& m) override
    {
        if (auto* message = dynamic_cast<const MyMessage*> (&m))
        {
            tags.push_back (message->tag);
            blocks.push_back (message->data);
        }
    }
};

/** A report with length byte `length`, byte 2 `first` and a recognisable fill. */
sim::Report rawReport (int length, uint8_t first = '/', uint8_t fill = 'a')
{
    sim::Report r {};
    r[1] = (uint8_t) length;
    r[2] = first;
    for (size_t i = 3; i < r.size(); ++i)
        r[i] = fill;
    return r;
}

std::vector<uint8_t> message (const std::string& address, const sim::OscArgs& args)
{
    return sim::OscCodec::encode (address, args);
}

class UsbConnectionTest : public ::testing::Test
{
protected:
    void SetUp() override { setUsbHost (&host); }

    void TearDown() override
    {
        transport.reset();
        setUsbHost (nullptr);
        host.unplugAll();
        pumpFor (5);
    }

    void start() { transport = std::make_unique<UsbConnection> (listener, 77); }

    /** Plugs in a speaker and starts the transport; returns once the speaker is greeted and open. */
    std::shared_ptr<sim::VirtualHidDevice> startWithSpeaker()
    {
        auto speaker = std::make_shared<sim::VirtualHidDevice>();
        host.plug (speaker);
        start();
        EXPECT_TRUE (speaker->waitForReceived (1, threadWaitMs, "/info"));
        EXPECT_TRUE (pumpUntil ([&] { return transport->state.load() == 1; }));
        return speaker;
    }

    sim::MemoryHidHost host;
    RecordingListener listener;
    std::unique_ptr<UsbConnection> transport;
};

} // namespace

TEST_F (UsbConnectionTest, PostsOnlyAcceptedReportsWithWholeWordLengths)
{
    auto device = std::make_shared<sim::VirtualHidDevice>();
    host.plug (device);
    start();
    ASSERT_TRUE (device->waitForReceived (1, threadWaitMs, "/info"));

    device->queueReport (rawReport (60));          // posted
    device->queueReport (rawReport (62));          // accepted, but not a multiple of 4
    device->queueReport (rawReport (63));          // ignored
    device->queueReport (rawReport (64));          // ignored
    device->queueReport (rawReport (255));         // ignored
    device->queueReport (rawReport (10));          // not a multiple of 4
    device->queueReport (rawReport (12, 'x'));     // byte 2 is not "/"
    device->queueReport (rawReport (12, '/', 'b')); // posted
    ASSERT_TRUE (device->waitForSent (8, threadWaitMs));
    ASSERT_TRUE (pumpUntil ([&] { return listener.blocks.size() >= 2; }));
    pumpFor (30);

    ASSERT_EQ (listener.blocks.size(), 2u);
    for (auto tag : listener.tags)
        EXPECT_EQ (tag, 77);

    auto* first = static_cast<const uint8_t*> (listener.blocks[0].getData());
    EXPECT_EQ (listener.blocks[0].getSize(), MyMessage::receiveBlockSize);
    EXPECT_EQ (MyMessage::messageLength (first), 60u);
    EXPECT_EQ (first[4], '/');
    EXPECT_EQ (first[63], 'a');

    // The shorter message overwrites the start of the reused block; the earlier tail stays behind it.
    auto* second = static_cast<const uint8_t*> (listener.blocks[1].getData());
    EXPECT_EQ (MyMessage::messageLength (second), 12u);
    EXPECT_EQ (second[15], 'b');
    EXPECT_EQ (second[16], 'a');
}

TEST_F (UsbConnectionTest, WritesTheTransmitSlotAndDropsWhatOneReportCannotCarry)
{
    auto device = startWithSpeaker();

    uint8_t full[64];
    std::memset (full, 0, sizeof (full));
    std::memcpy (full, "/big", 4);
    ASSERT_TRUE (pumpUntil ([&] { return transport->offerTransmit (full, 64); }));

    // 60 bytes: "/sixty" padded to 8, ",s" to 4, then a 48-byte string argument.
    const auto sixty = message ("/sixty", { std::string (47, 'x') });
    ASSERT_EQ (sixty.size(), 60u);
    ASSERT_TRUE (pumpUntil ([&] { return transport->offerTransmit (sixty.data(), (int) sixty.size()); }));
    ASSERT_TRUE (device->waitForReceived (1, threadWaitMs, "/sixty"));
    pumpFor (20);

    const auto written = device->received();
    ASSERT_EQ (written.size(), 2u);  // "/info" and "/sixty"; the 64-byte message was never written
    EXPECT_EQ (written[1].report[0], 0);
    EXPECT_EQ (written[1].report[1], 60);
    EXPECT_EQ (std::vector<uint8_t> (written[1].report.begin() + 2, written[1].report.begin() + 62), sixty);
    EXPECT_TRUE (written[1].wellFormed);
}

TEST_F (UsbConnectionTest, RefusesTheSlotWhileClosed)
{
    start();  // nothing plugged in
    pumpFor (20);
    const uint8_t bytes[8] = { '/', 'x', 0, 0, ',', 0, 0, 0 };
    EXPECT_EQ (transport->state.load(), -1);
    EXPECT_FALSE (transport->offerTransmit (bytes, 8));
    EXPECT_FALSE (transport->isTransmitPending());
}

TEST_F (UsbConnectionTest, SkipsDevicesThatAreNotTheSpeaker)
{
    sim::HidIdentity otherString;
    otherString.string4 = "XP Keyboard";
    sim::HidIdentity noAttributes;
    noAttributes.attributesReadable = false;
    sim::HidIdentity otherIds;
    otherIds.productId = (uint16_t) (otherIds.productId + 1);

    auto keyboard = std::make_shared<sim::VirtualHidDevice> (otherString);
    auto odd = std::make_shared<sim::VirtualHidDevice> (noAttributes);
    auto mouse = std::make_shared<sim::VirtualHidDevice> (otherIds);
    auto speaker = std::make_shared<sim::VirtualHidDevice>();
    host.plug (keyboard);
    host.plug (odd);
    host.plug (mouse);
    host.plug (speaker);
    start();

    ASSERT_TRUE (speaker->waitForReceived (1, threadWaitMs, "/info"));
    pumpFor (50);

    // Only an interface with the speaker's ids is looked at (and closed again); other HID devices are
    // never opened.
    EXPECT_GE (keyboard->openCount(), 1);
    EXPECT_EQ (odd->openAttemptCount(), 0);
    EXPECT_EQ (mouse->openAttemptCount(), 0);
    for (auto* other : { keyboard.get(), odd.get(), mouse.get() })
    {
        EXPECT_EQ (other->openHandleCount(), 0);
        EXPECT_EQ (other->receivedCount(), 0u);
    }
    EXPECT_EQ (speaker->openHandleCount(), 1);
    EXPECT_EQ (speaker->receivedCount ("/info"), 1u);

    uint8_t serial[32];
    transport->getSerialNumber (serial);
    EXPECT_EQ (serial[0], 'S');
    EXPECT_EQ (serial[2], 'I');
}

TEST_F (UsbConnectionTest, GreetsASpeakerPluggedInLaterOnce)
{
    start();
    pumpFor (300);
    EXPECT_EQ (transport->state.load(), -1);

    auto speaker = std::make_shared<sim::VirtualHidDevice>();
    host.plug (speaker);
    ASSERT_TRUE (speaker->waitForReceived (1, threadWaitMs, "/info"));
    pumpFor (400);

    EXPECT_EQ (speaker->receivedCount ("/info"), 1u);
    EXPECT_EQ (speaker->receivedCount(), 1u);
    EXPECT_EQ (transport->state.load(), 1);
}

TEST_F (UsbConnectionTest, AnOpenWithoutSearchRequestClosesAgainSilently)
{
    auto speaker = startWithSpeaker();
    const int opensBefore = speaker->openCount();

    transport->markClosed();
    ASSERT_TRUE (pumpUntil ([&] { return speaker->openCount() > opensBefore && speaker->openHandleCount() == 0; }));
    pumpFor (300);

    EXPECT_EQ (speaker->receivedCount(), 1u);
    EXPECT_EQ (transport->state.load(), -1);
    EXPECT_EQ (speaker->openHandleCount(), 0);

    // Asking for a search opens it for good and greets it again.
    transport->requestSearch();
    ASSERT_TRUE (speaker->waitForReceived (2, threadWaitMs, "/info"));
    EXPECT_TRUE (pumpUntil ([&] { return transport->state.load() == 1; }));

    // Closed again (a Cancel or a connection error), then unplugged: the failed open re-arms the search,
    // so the speaker plugged in again is greeted.
    transport->markClosed();
    host.unplug (speaker);
    ASSERT_TRUE (pumpUntil ([&] { return transport->searchRequested.load(); }));
    host.plug (speaker);
    EXPECT_TRUE (speaker->waitForReceived (3, threadWaitMs, "/info"));
}

TEST_F (UsbConnectionTest, TriesAStalledWriteFiveTimesThenDropsIt)
{
    auto speaker = startWithSpeaker();

    const auto stuck = message ("/stuck", {});
    const int startsBefore = speaker->writeStartCount();
    speaker->setWritesStalled (true);
    ASSERT_TRUE (transport->offerTransmit (stuck.data(), (int) stuck.size()));
    ASSERT_TRUE (pumpUntil ([&] { return ! transport->isTransmitPending(); }));
    speaker->setWritesStalled (false);

    EXPECT_EQ (speaker->writeStartCount() - startsBefore, 5);

    // Dropped: the next message goes out, the stalled one never does.
    const auto next = message ("/next", {});
    ASSERT_TRUE (transport->offerTransmit (next.data(), (int) next.size()));
    ASSERT_TRUE (speaker->waitForReceived (1, threadWaitMs, "/next"));
    EXPECT_EQ (speaker->receivedCount ("/stuck"), 0u);
}

TEST_F (UsbConnectionTest, NamesASpeakerOutOfReachOnStandardErrorOnce)
{
    sim::HidIdentity denied;
    denied.accessDenied = true;
    auto speaker = std::make_shared<sim::VirtualHidDevice> (denied);
    host.plug (speaker);

    testing::internal::CaptureStderr();
    start();
    const bool searchedOften = pumpUntil ([&] { return speaker->openAttemptCount() >= 3; });
    transport.reset();
    const std::string errors = testing::internal::GetCapturedStderr();

    ASSERT_TRUE (searchedOften);
    std::string path;
    ASSERT_TRUE (host.interfacePath (0, path));
    EXPECT_EQ (std::count (errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE (errors.find (path + " cannot be opened"), std::string::npos) << errors;
    EXPECT_NE (errors.find ("\"Speaker access on Linux\""), std::string::npos) << errors;
}

TEST_F (UsbConnectionTest, TwoProducersNeverTearTheTransmitSlot)
{
    auto speaker = startWithSpeaker();

    const auto a = message ("/aaaa", { std::string (40, 'a') });
    const auto b = message ("/bbbbbbbb", { int32_t (1), int32_t (2) });
    constexpr int each = 40;

    auto produce = [this] (const std::vector<uint8_t>& m)
    {
        for (int sent = 0; sent < each;)
            if (transport->offerTransmit (m.data(), (int) m.size()))
                ++sent;
            else
                std::this_thread::yield();
    };

    std::thread first (produce, a);
    std::thread second (produce, b);
    first.join();
    second.join();

    ASSERT_TRUE (speaker->waitForReceived (1 + 2 * each, threadWaitMs));
    for (auto& m : speaker->received())
    {
        if (m.address == "/info")
            continue;
        EXPECT_TRUE (m.bytes == a || m.bytes == b) << "torn message " << m.address;
    }
    EXPECT_EQ (speaker->receivedCount ("/aaaa"), (size_t) each);
    EXPECT_EQ (speaker->receivedCount ("/bbbbbbbb"), (size_t) each);
}
