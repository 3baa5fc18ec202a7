#pragma once
// Shared by the Setup page and editor tests: scripted dialogs, widget finders, and a fixture that runs
// the real main component, link and transport against the simulated speaker.

#include "support/MessagePump.h"
#include "link/OscCom.h"
#include "link/UsbHost.h"
#include "model/AppSettings.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "model/OscPacket.h"
#include "sim/MemoryHidHost.h"
#include "sim/SimulatedSpeaker.h"
#include "ui/CSetupPage.h"
#include "ui/Dialogs.h"
#include "ui/RemoteControl.h"
#include "ui/presetDocument.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace editortest
{

/** Records every box and chooser, answers questions and choosers from a script. */
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        std::string kind;   ///< "box", "asyncBox", "question", "save", "open"
        juce::MessageBoxIconType icon;
        juce::String title, message, button;
        juce::File initialFile;
        juce::String pattern;
    };

    std::vector<Shown> shown;
    bool connectAnswer = true;
    std::deque<FileChoice> fileChoices;

    /** A modal box with this title stays open, running the message loop as the real modal loop does,
        until `releaseHeldBox` holds; others close at once. */
    juce::String holdTitle;
    std::function<bool()> releaseHeldBox;

    /** When set, asynchronous boxes stay open until closeAsyncBox; otherwise they close at once. */
    bool keepAsyncBoxesOpen = false;
    std::deque<std::pair<juce::String, std::function<void()>>> openAsyncBoxes;

    /** The most boxes of each title that were open at the same time. */
    std::map<juce::String, int> mostOpen;

    void showMessageBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                         const juce::String& buttonText) override
    {
        shown.push_back ({ "box", icon, title, message, buttonText, {}, {} });
        runModal (title);
    }

    void showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                              const juce::String& buttonText, std::function<void()> onClosed) override
    {
        shown.push_back ({ "asyncBox", icon, title, message, buttonText, {}, {} });
        if (keepAsyncBoxesOpen)
        {
            opened (title);
            openAsyncBoxes.emplace_back (title, std::move (onClosed));
        }
        else if (onClosed)
        {
            onClosed();
        }
    }

    /** The user closes the oldest open asynchronous box. */
    void closeAsyncBox()
    {
        auto box = std::move (openAsyncBoxes.front());
        openAsyncBoxes.pop_front();
        --openNow[box.first];
        if (box.second)
            box.second();
    }

    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                      const juce::String& okText, const juce::String& cancelText) override
    {
        shown.push_back ({ "question", icon, title, message, okText + "|" + cancelText, {}, {} });
        runModal (title);
        return connectAnswer;
    }

    FileChoice chooseFileToSave (const juce::String& title, const juce::File& initialFile,
                                 const juce::String& pattern) override
    {
        shown.push_back ({ "save", juce::MessageBoxIconType::NoIcon, title, {}, {}, initialFile, pattern });
        return nextChoice();
    }

    FileChoice chooseFileToOpen (const juce::String& title, const juce::File& initialFile,
                                 const juce::String& pattern) override
    {
        shown.push_back ({ "open", juce::MessageBoxIconType::NoIcon, title, {}, {}, initialFile, pattern });
        return nextChoice();
    }

    /** The boxes shown with this title. */
    int count (const juce::String& title) const
    {
        int n = 0;
        for (auto& s : shown)
            n += s.title == title ? 1 : 0;
        return n;
    }

    const Shown* last (const juce::String& title) const
    {
        for (auto it = shown.rbegin(); it != shown.rend(); ++it)
            if (it->title == title)
                return &*it;
        return nullptr;
    }

private:
    std::map<juce::String, int> openNow;

    void opened (const juce::String& title)
    {
        mostOpen[title] = std::max (mostOpen[title], ++openNow[title]);
    }

    void runModal (const juce::String& title)
    {
        opened (title);
        if (title == holdTitle && releaseHeldBox)
            testpump::pumpUntil (releaseHeldBox, testpump::threadWaitMs);
        --openNow[title];
    }

    FileChoice nextChoice()
    {
        if (fileChoices.empty())
            return {};
        auto c = fileChoices.front();
        fileChoices.pop_front();
        return c;
    }
};

//==============================================================================
/** Runs the message loop until `done` holds or `timeoutMs` passed; returns whether it held. */
inline bool pumpUntil (const std::function<bool()>& done, int timeoutMs = 5000)
{
    return testpump::pumpUntil (done, timeoutMs);
}

using testpump::pumpFor;
using testpump::pumpPosted;

using testpump::threadWaitMs;

/** The first child of `parent` of type T for which `match` holds. */
template <typename T>
T* findChild (juce::Component& parent, const std::function<bool (T&)>& match)
{
    for (auto* child : parent.getChildren())
        if (auto* c = dynamic_cast<T*> (child))
            if (match (*c))
                return c;
    return nullptr;
}

inline juce::Button* button (juce::Component& page, const juce::String& text)
{
    return findChild<juce::Button> (page, [&] (juce::Button& b) { return b.getButtonText() == text; });
}

inline juce::TextEditor* editorAt (juce::Component& page, int x, int y)
{
    return findChild<juce::TextEditor> (page, [&] (juce::TextEditor& e)
                                        { return e.getX() == x && e.getY() == y; });
}

inline juce::Label* labelAt (juce::Component& page, int x, int y)
{
    return findChild<juce::Label> (page, [&] (juce::Label& l) { return l.getX() == x && l.getY() == y; });
}

inline juce::ComboBox* modelBox (juce::Component& page)
{
    return findChild<juce::ComboBox> (page, [] (juce::ComboBox& b) { return b.getName() == "Offline Model"; });
}

/** The widgets of the Setup page, found as the user sees them. */
struct SetupWidgets
{
    explicit SetupWidgets (CSetupPage& p) : page (p) {}

    CSetupPage& page;
    juce::Button* connect() const { return button (page, "Connect"); }
    juce::Button* search() const { return button (page, "Search"); }
    juce::Button* load() const { return button (page, "Load"); }
    juce::Button* save() const { return button (page, "Save"); }
    juce::Button* store() const { return button (page, "Store"); }
    juce::Button* recall() const { return button (page, "Recall"); }
    juce::Button* lock() const { return button (page, "Lock"); }
    juce::Button* unlock() const { return button (page, "Unlock"); }
    juce::Button* rename() const { return button (page, "Rename Speaker "); }
    juce::Button* lcd() const { return button (page, "LCD Screen"); }
    juce::Button* logo (const char* text) const { return button (page, text); }
    juce::Button* slot (int number) const { return button (page, juce::String (number)); }
    juce::TextEditor* slotName (int slot) const
    {
        return editorAt (page, slot < 10 ? 412 : 572, 202 + 24 * (slot % 10));
    }
    juce::TextEditor* deviceName() const { return editorAt (page, 172, 126); }
    juce::TextEditor* lockCode() const { return editorAt (page, 244, 180); }
    juce::TextEditor* presetName() const { return editorAt (page, 412, 126); }
    juce::TextEditor* fileName() const { return editorAt (page, 412, 30); }
    juce::Label* modelLabel() const { return labelAt (page, 170, 30); }
    juce::ComboBox* offlineModels() const { return modelBox (page); }
};

/** Stands between the tree's nodes and the link while it lives and keeps the address of every message a
    node hands over, before the link can coalesce or resend it. */
class NodeSends : public OscMessageSink
{
public:
    NodeSends() : link (oscMessageSink) { oscMessageSink = this; }
    ~NodeSends() override { oscMessageSink = link; }

    void enqueue (OscPacket* message) override
    {
        if (message != nullptr)
            addresses.push_back (message->address());
        if (link != nullptr)
            link->enqueue (message);
        else
            delete message;
    }

    /** The messages handed over to `address`. */
    int count (const std::string& address) const
    {
        return (int) std::count (addresses.begin(), addresses.end(), address);
    }

    std::vector<std::string> addresses;

private:
    OscMessageSink* link;
};

/** Types `text` into `editor` as the keyboard would and presses Return. */
inline void typeAndReturn (juce::TextEditor& editor, const juce::String& text)
{
    editor.selectAll();
    editor.insertTextAtCaret (text);
    editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
}

//==============================================================================
/** The real main component with its pages, link and transport, a window stand-in that takes the
    title, the preset document and the simulated speaker behind the in-memory HID host. */
class EditorFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::make_unique<Croot>();
        root->buildPaths();
        rootCell = root.get();
        lastAlertText = {};
        AppSettings::getInstance().reload();

        Dialogs::setCurrent (&dialogs);
        speaker = std::make_shared<sim::SimulatedSpeaker>();
        setUsbHost (&host);

        window = std::make_unique<juce::DocumentWindow> ("VARENTO Edit ", juce::Colours::black, 0, false);
        editor = std::make_unique<RemoteControl> (window.get());
        document = std::make_unique<presetDocument>();
        widgets = std::make_unique<SetupWidgets> (*setupPage);
        page = setupPage;
    }

    void TearDown() override
    {
        widgets.reset();
        document.reset();
        editor.reset();
        window.reset();
        setUsbHost (nullptr);
        host.unplugAll();
        pumpFor (5);
        Dialogs::setCurrent (nullptr);
        rootCell = nullptr;
        root.reset();
        lastAlertText = {};
    }

    /** Clicks a button the way the user does and lets the message loop deliver it. */
    static void click (juce::Button* b)
    {
        ASSERT_NE (b, nullptr);
        b->triggerClick();
        pumpFor (5);
    }

    /** Presses Search, plugs the speaker (model `model`, firmware `firmware`) in and waits until the
        handshake has run; when it is accepted, also until every request of going online, each copy the
        link sent again included, has reached the speaker and the link is quiet: a reply that came late
        would put the speaker's values back over a test's own. */
    void connect (int model = 12, const std::string& firmware = "V2.0")
    {
        speaker->setInfo ("SIMSPEAKER", firmware, model);
        // Search first, then plug: the transport greets the speaker once, when it finds it.
        click (widgets->search());
        host.plug (speaker);

        ASSERT_TRUE (pumpUntil ([this] { return dialogs.count ("SIMSPEAKER Speaker connected!") > 0; },
                                threadWaitMs))
            << "no Connect question";
        pumpUntil ([this] { return ! page->offline || dialogs.count ("Incompatible Speaker Firmware!") > 0; },
                   threadWaitMs);

        if (! page->offline)
            settle();
    }

    /** Waits until the link has nothing queued and nothing awaiting its echo. */
    void waitForQuiet()
    {
        ASSERT_TRUE (pumpUntil ([] { return oscCom->queuedCount() == 0 && ! oscCom->isWaitingForAck(); },
                                threadWaitMs))
            << "queue never drained";
        pumpFor (20);
    }

    /** Waits until everything the editor has sent so far has reached the speaker, every copy the link sent
        again included, so that the speaker's log takes nothing more from before: delivers the posted
        messages (clicks, Return), then sends a marker behind them and waits for the speaker to log it.
        The link sends in order, one message at a time; the marker is a "/preset/name" for slot 0, which is
        never coalesced and whose answer names no slot. Needs the editor online. */
    void settle()
    {
        pumpPosted();
        static int markers = 0;
        const auto marker = "settled " + std::to_string (++markers);
        oscCom->sendIndexedString ("/preset/name", 0, marker);
        ASSERT_TRUE (pumpUntil ([&]
        {
            for (auto& m : speaker->receivedWithAddress ("/preset/name"))
                if (m.wellFormed && m.args.size() == 3 && m.stringArg (2) == marker)
                    return true;
            return false;
        }, threadWaitMs)) << "the marker never reached the speaker";
        waitForQuiet();
    }

    /** The arguments of the messages to `address` that the speaker received, from the `from`-th such
        message on, oldest first, with each run of equal ones counted once: the link sends a message again
        when its echo is late, and the copies arrive one after the other. */
    std::vector<sim::OscArgs> valuesReceived (const std::string& address, size_t from = 0) const
    {
        std::vector<sim::OscArgs> values;
        const auto received = speaker->receivedWithAddress (address);
        for (size_t i = from; i < received.size(); ++i)
            if (values.empty() || values.back() != received[i].args)
                values.push_back (received[i].args);
        return values;
    }

    juce::String title() const { return window->getName(); }

    std::unique_ptr<Croot> root;
    ScriptedDialogs dialogs;
    sim::MemoryHidHost host;
    std::shared_ptr<sim::SimulatedSpeaker> speaker;
    std::unique_ptr<juce::DocumentWindow> window;
    std::unique_ptr<RemoteControl> editor;
    std::unique_ptr<presetDocument> document;
    std::unique_ptr<SetupWidgets> widgets;
    CSetupPage* page = nullptr;
};

} // namespace editortest
