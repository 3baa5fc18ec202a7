// Fuzzes the whole receive path: arbitrary 64-byte input reports go through the transport's acceptance
// rule and OscCom::handleMessage, online, with the parameter tree attached. Nothing may crash, and no
// parameter, slot number or level may leave its range.

#include "link/LinkPartner.h"
#include "link/MyMessage.h"
#include "link/OscCom.h"
#include "link/UsbConnection.h"
#include "link/UsbHost.h"
#include "link/hid/SpeakerIds.h"
#include "model/Cparam.h"
#include "model/Croot.h"
#include "model/Globals.h"

#include <juce_events/juce_events.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace
{

void fail (const char* what)
{
    std::fprintf (stderr, "range violated: %s\n", what);
    std::abort();
}

void check (bool ok, const char* what)
{
    if (! ok)
        fail (what);
}

bool levelOk (float v) { return std::isfinite (v) && v >= 0.0f; }

/** A speaker that opens, takes every write and never sends anything: the reports come from the fuzzer. */
class QuietDevice : public hid::Device
{
public:
    bool getAttributes (uint16_t& v, uint16_t& p) override
    {
        v = hid::speakerVendorId;
        p = hid::speakerProductId;
        return true;
    }

    bool getIndexedString (int, void* buffer, size_t bytes) override
    {
        const uint8_t text[] = { 'A', 0, 'P', 0, 0, 0 };
        std::memset (buffer, 0, bytes);
        std::memcpy (buffer, text, std::min (bytes, sizeof (text)));
        return true;
    }

    bool getSerialNumberString (void* buffer, size_t bytes) override
    {
        std::memset (buffer, 0, bytes);
        return true;
    }

    bool startWrite (const uint8_t*) override { return true; }
    bool startRead (uint8_t*) override { return true; }
    hid::WaitResult waitWrite (int) override { return hid::WaitResult::completed; }

    hid::WaitResult waitRead (int timeoutMs) override
    {
        std::unique_lock<std::mutex> lock (mutex);
        if (! woken)
            wakeUp.wait_for (lock, std::chrono::milliseconds (timeoutMs), [this] { return woken; });
        const bool wasWoken = woken;
        woken = false;
        return wasWoken ? hid::WaitResult::interrupted : hid::WaitResult::timedOut;
    }

    void cancelIo() override {}

    void wake() override
    {
        const std::lock_guard<std::mutex> lock (mutex);
        woken = true;
        wakeUp.notify_all();
    }

private:
    std::mutex mutex;
    std::condition_variable wakeUp;
    bool woken = false;
};

class QuietHost : public hid::Host
{
public:
    bool interfacePath (int index, std::string& path) override
    {
        path = "quiet";
        return index == 0;
    }

    std::unique_ptr<hid::Device> open (const std::string&) override { return std::make_unique<QuietDevice>(); }
};

/** Checks every value the link hands to the user interface, and keeps the link online. */
struct CheckingPartner : LinkPartner
{
    void showMeters (float i, float a, float b) override { check (levelOk (i) && levelOk (a) && levelOk (b), "meters"); }
    void showPeakLimit (bool, bool, bool) override {}
    void showGain (float g) override { check (std::isfinite (g), "gain"); }
    void setSlotName (int slot, const juce::String&) override { check (slot >= 0 && slot < 20, "slot name"); }
    void presetLoaded (const juce::String&) override {}
    void presetSaved (int slot, const juce::String&) override { check (slot >= 0 && slot <= 20, "saved slot"); }
    void showLockState (int32_t) override {}
    void setModel (int) override {}

    void goOnline() override
    {
        if (oscCom != nullptr && oscCom->isDeviceOpen() && ! oscCom->online)
            oscCom->goOnline();
        if (oscCom != nullptr)
            oscCom->setSendingEnabled (0);
    }

    void goOffline() override
    {
        if (oscCom != nullptr && oscCom->online)
            oscCom->goOffline();
    }

    void showOffline() override {}
    void setMeterLevels (float i, float a, float b) override { check (levelOk (i) && levelOk (a) && levelOk (b), "meter levels"); }
    void setClipLeds (bool, bool, bool) override {}
    bool isConfigTabShown() override { return true; }

    void setK24Meters (int, const float* levels) override
    {
        for (int i = 0; i < 8; ++i)
            check (levelOk (levels[i]), "network meter");
    }

    bool askConnect (const juce::String&) override { return true; }
    void showIncompatibleFirmware() override {}
    void showConnectionError() override {}
    void showSpeakerAlert (const juce::String&) override { osc::OscCom::alertClosed(); }
};

void checkTree (Cnode* node)
{
    for (Cnode* child = node->firstChild; child != node; child = child->next)
    {
        if (child->isParameter())
        {
            auto* p = static_cast<Cparam*> (child);
            check (p->index >= p->minIndex && p->index <= p->maxIndex, p->path);
            if (p->kind == paramString)
                check (std::memchr (p->text, 0, sizeof (p->text)) != nullptr, "string parameter");
            if (p->kind == paramLinear || p->kind == paramLog)
                check (std::isfinite (p->getFloat()), "float parameter");
        }
        else
        {
            checkTree (child);
        }
    }
}

struct Rig
{
    Rig()
    {
        juce::MessageManager::getInstance();
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        setUsbHost (&host);
        link = std::make_unique<osc::OscCom> (partner);

        for (int i = 0; i < 2000 && ! link->isDeviceOpen(); ++i)
            juce::Thread::sleep (1);
        if (! link->isDeviceOpen())
            fail ("the quiet device never opened");
    }

    QuietHost host;
    CheckingPartner partner;
    std::unique_ptr<Croot> root;
    std::unique_ptr<osc::OscCom> link;
    uint8_t block[MyMessage::receiveBlockSize] = {};
};

Rig* rig = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    rig = new Rig();  // lives until the process ends, like the program's own link
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;

    if (! rig->link->online && rig->link->isDeviceOpen())
    {
        rig->link->goOnline();
        rig->link->setSendingEnabled (0);
    }

    // Every 64 bytes of input are one report, as the transport reads it into its reused block.
    for (size_t offset = 0; offset < size; offset += (size_t) hid::reportSize)
    {
        uint8_t report[hid::reportSize] = {};
        std::memcpy (report, data + offset, std::min (size - offset, (size_t) hid::reportSize));

        const int n = UsbConnection::acceptReport (report, rig->block);
        if (n > 0 && n % 4 == 0)
            rig->link->handleMessage (MyMessage (osc::usbMessageTag,
                                                 juce::MemoryBlock (rig->block, sizeof (rig->block))));
    }

    checkTree (rig->root.get());
    check (rig->link->queuedCount() < 512, "queue");
    return 0;
}
