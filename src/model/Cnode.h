#pragma once
// A node of the parameter tree that mirrors the speaker's settings.

#include <juce_events/juce_events.h>
#include <osc/OscReceivedElements.h>

#include <functional>
#include <memory>

/** Node kinds: the group number of a group node, or a parameter kind (bit paramFlag set). */
constexpr int groupRoot = 0;
constexpr int groupPeq = 2;
constexpr int groupRsq = 3;
constexpr int groupDelay = 4;
constexpr int groupLimiter = 5;
constexpr int groupXover = 6;
constexpr int groupConfig = 7;

constexpr int paramFlag = 0x40;
constexpr int paramInt = 0x40;
constexpr int paramEnum = 0x41;
constexpr int paramLinear = 0x42;
constexpr int paramLog = 0x43;
constexpr int paramString = 0x44;

/** Ids of the configuration groups (all of kind groupConfig); 2 is not used. */
constexpr int idInput = 0;
constexpr int idPosition = 1;
constexpr int idEqmode = 3;
constexpr int idModel = 4;
constexpr int idRsqmode = 5;
constexpr int idSetup = 6;
constexpr int idDevname = 7;

/**
    A node of the parameter tree: one OSC address component, its full address, its place in the tree and
    a change broadcaster that the pages listen to.

    The children form a circular singly linked list: firstChild leads to the first child, each child's
    next to the following one and the last child's next back to the parent; a node without children has
    firstChild pointing to itself. The node owns its children.

    A node whose children are parameters (Cparam) is a message node: it travels as one OSC message whose
    arguments are its parameters in child order, and as one line of text in a preset file.
*/
class Cnode : public juce::ChangeBroadcaster
{
public:
    /** Makes a node with a static name. */
    Cnode (const char* name, int kind, int id);

    /** Makes a node named after a number (formatValue of `format` with `index`, e.g. "%02d" gives "01"). */
    Cnode (int index, const char* format, int kind, int id);

    /** Destroys all children, then the node. */
    ~Cnode() override;

    Cnode (const Cnode&) = delete;
    Cnode& operator= (const Cnode&) = delete;

    /** Takes the values of a received OSC message addressed to this node. Does nothing here; the group
        nodes read all arguments first and change nothing when an oscpack exception is raised. */
    virtual void fromOsc (osc::ReceivedMessageArgumentStream& args);

    /** Sends this node's values as one OSC message to `address` (normally `path`). Does nothing here. */
    virtual void sendOsc (const char* address);

    /** Reads the values of all parameter children from one line of text (values separated by blanks).
        Returns 0 on success (also when the line ends early) and -1 when a value cannot be read; values
        read before the failure stay applied. Broadcasts a change when something was read. */
    virtual int fromText (const char* text);

    /** Writes the values of all parameter children, each preceded by one blank, and a terminator.
        `out` must hold textBufferSize bytes. Returns 0. */
    virtual int toText (char* out);

    /** Bytes a buffer given to toText needs for any node of the tree. */
    static constexpr int textBufferSize = 64;

    /** Appends `child` (which this node then owns) at the end of the child list. */
    void addChild (Cnode* child);

    /** Computes the full OSC address of every node below this one (parent's path + "/" + name). Called
        once on the root, whose own path stays empty. */
    void buildPaths();

    /** Finds a node below `from` by an OSC address without its leading "/" (`length` characters of it).
        Each address component only has to be a prefix of a child's name; the first child in order
        that matches is taken. Any character other than "/" after a component ends the search there.
        Returns null when nothing matches. */
    static Cnode* findByPath (Cnode* from, const char* path, int length);

    /** findByPath with a NUL-terminated path. */
    static Cnode* findByPath (Cnode* from, const char* path);

    /** Calls `fn` for every message node below this one, in tree order. */
    void forEachMessageNode (const std::function<void (Cnode*)>& fn);

    /** This node's OSC type tags, one character per parameter child, without the leading ",". The text
        lives in one static buffer that the next call overwrites. */
    const char* oscTypeTags() const;

    /** True when this node is a parameter (Cparam). */
    bool isParameter() const noexcept { return (kind & paramFlag) != 0; }

    Cnode* next;        ///< next sibling; the last child's next is its parent
    Cnode* firstChild;  ///< first child; the node itself when it has no children
    Cnode* parent;      ///< parent; null for the root
    int kind;           ///< group number, or parameter kind (paramFlag set)
    int id;             ///< band: 256 x band number; configuration group: its id; parameter: its group's kind
    const char* name;   ///< one OSC address component
    char* path;         ///< full OSC address; empty until buildPaths ran
    int pathLength;     ///< length of path

protected:
    /** Sends the parameter children as one OSC message to `address`. A message that does not fit the
        packet buffer is dropped. */
    void sendParameters (const char* address);

    /** Reads one argument per parameter child, checks that no argument is left, then applies them all
        and broadcasts a change. Raises oscpack's exception before anything changes when the arguments
        do not match the type tags. */
    void receiveParameters (osc::ReceivedMessageArgumentStream& args);

private:
    std::unique_ptr<char[]> nameBuffer;
    std::unique_ptr<char[]> pathBuffer;
};
