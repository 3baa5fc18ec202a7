#include "model/Cnode.h"

#include "model/Cparam.h"
#include "model/NumberText.h"
#include "model/OscPacket.h"

#include <cstring>

namespace
{
/** The one buffer that oscTypeTags writes into. */
char typeTagBuffer[16];

bool isComponentChar (char c) noexcept
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char typeTagOf (int kind) noexcept
{
    switch (kind)
    {
        case paramInt: return 'i';
        case paramLinear:
        case paramLog: return 'f';
        default: return 's';
    }
}

char* makeEmptyPath (std::unique_ptr<char[]>& buffer)
{
    buffer.reset (new char[1]());
    return buffer.get();
}
} // namespace

Cnode::Cnode (const char* nodeName, int nodeKind, int nodeId)
    : next (this), firstChild (this), parent (nullptr), kind (nodeKind), id (nodeId), name (nodeName),
      path (nullptr), pathLength (0)
{
    path = makeEmptyPath (pathBuffer);
}

Cnode::Cnode (int index, const char* format, int nodeKind, int nodeId)
    : Cnode ("", nodeKind, nodeId)
{
    // Large enough for any "%02d" of an int.
    nameBuffer.reset (new char[16]());
    formatValue (nameBuffer.get(), format, index);
    name = nameBuffer.get();
}

Cnode::~Cnode()
{
    Cnode* child = firstChild;

    while (child != this)
    {
        Cnode* following = child->next;
        delete child;
        child = following;
    }
}

void Cnode::fromOsc (osc::ReceivedMessageArgumentStream&)
{
}

void Cnode::sendOsc (const char*)
{
}

int Cnode::fromText (const char* text)
{
    const char* p = text;

    for (Cnode* child = firstChild; child != this; child = child->next)
    {
        if (! child->isParameter())
            continue;

        while (*p == ' ')
            ++p;

        const int taken = child->fromText (p);

        if (taken <= 0)
            return -1;

        p += taken;
        sendChangeMessage(); // asynchronous and coalesced: listeners hear once per line

        if (*p != ' ')
            return 0;

        ++p;
    }

    return 0;
}

int Cnode::toText (char* out)
{
    char* o = out;

    for (Cnode* child = firstChild; child != this; child = child->next)
    {
        if (! child->isParameter())
            continue;

        *o++ = ' ';
        const int written = child->toText (o);

        if (written <= 0)
            break;

        o += written;
    }

    *o = 0;
    return 0;
}

void Cnode::addChild (Cnode* child)
{
    child->parent = this;
    child->next = this;

    if (firstChild == this)
    {
        firstChild = child;
        return;
    }

    Cnode* last = firstChild;

    while (last->next != this)
        last = last->next;

    last->next = child;
}

void Cnode::buildPaths()
{
    for (Cnode* child = firstChild; child != this; child = child->next)
    {
        const int nameLength = (int) std::strlen (child->name);
        const int length = pathLength + 1 + nameLength;

        child->pathBuffer.reset (new char[(size_t) length + 1]);
        std::memcpy (child->pathBuffer.get(), path, (size_t) pathLength);
        child->pathBuffer[(size_t) pathLength] = '/';
        std::memcpy (child->pathBuffer.get() + pathLength + 1, child->name, (size_t) nameLength + 1);
        child->path = child->pathBuffer.get();
        child->pathLength = length;

        child->buildPaths();
    }
}

Cnode* Cnode::findByPath (Cnode* from, const char* searchPath, int length)
{
    while (from != nullptr && searchPath != nullptr && length > 0)
    {
        int n = 0;

        while (n < length && isComponentChar (searchPath[n]))
            ++n;

        if (n == 0)
            return nullptr;

        Cnode* found = nullptr;

        for (Cnode* child = from->firstChild; child != from; child = child->next)
        {
            // A name shorter than the component differs at its terminator.
            if (std::strncmp (child->name, searchPath, (size_t) n) == 0)
            {
                found = child;
                break;
            }
        }

        if (found == nullptr || n >= length || searchPath[n] != '/')
            return found;

        from = found;
        searchPath += n + 1;
        length -= n + 1;
    }

    return nullptr;
}

Cnode* Cnode::findByPath (Cnode* from, const char* searchPath)
{
    if (searchPath == nullptr)
        return nullptr;

    return findByPath (from, searchPath, (int) std::strlen (searchPath));
}

void Cnode::forEachMessageNode (const std::function<void (Cnode*)>& fn)
{
    for (Cnode* child = firstChild; child != this; child = child->next)
    {
        if (child->isParameter())
        {
            fn (this);
            return;
        }

        child->forEachMessageNode (fn);
    }
}

const char* Cnode::oscTypeTags() const
{
    size_t count = 0;

    for (const Cnode* child = firstChild; child != this; child = child->next)
        if (child->isParameter() && count + 1 < sizeof (typeTagBuffer))
            typeTagBuffer[count++] = typeTagOf (child->kind);

    typeTagBuffer[count] = 0;
    return typeTagBuffer;
}

void Cnode::sendParameters (const char* address)
{
    if (address == nullptr)
        return;

    std::unique_ptr<OscPacket> packet (new OscPacket());

    try
    {
        auto& out = packet->stream();
        out << osc::BeginMessage (address);

        for (Cnode* child = firstChild; child != this; child = child->next)
        {
            if (! child->isParameter())
                continue;

            auto* param = static_cast<Cparam*> (child);

            switch (param->kind)
            {
                case paramInt:
                    out << (osc::int32) param->getIndex();
                    break;

                case paramLinear:
                case paramLog:
                    out << param->getFloat();
                    break;

                default:
                {
                    char text[Cnode::textBufferSize];
                    param->toText (text);
                    out << text;
                    break;
                }
            }
        }

        out << osc::EndMessage;
    }
    catch (const osc::OutOfBufferMemoryException&)
    {
        // Too long for one report: nothing is sent rather than a cut message.
        return;
    }

    sendToLink (packet.release());
}

void Cnode::receiveParameters (osc::ReceivedMessageArgumentStream& args)
{
    // Every argument is read and checked before the first value is applied, so a malformed message
    // changes nothing.
    struct Argument
    {
        osc::int32 i = 0;
        float f = 0.0f;
        const char* s = nullptr;
    };

    constexpr int maxArguments = 8;
    Argument values[maxArguments];
    int count = 0;

    for (Cnode* child = firstChild; child != this; child = child->next)
    {
        if (! child->isParameter())
            continue;

        if (count == maxArguments)
            throw osc::ExcessArgumentException();

        Argument& a = values[count++];

        switch (child->kind)
        {
            case paramInt: args >> a.i; break;
            case paramLinear:
            case paramLog: args >> a.f; break;
            default: args >> a.s; break;
        }
    }

    args >> osc::EndMessage;

    count = 0;

    for (Cnode* child = firstChild; child != this; child = child->next)
    {
        if (! child->isParameter())
            continue;

        auto* param = static_cast<Cparam*> (child);
        const Argument& a = values[count++];

        switch (param->kind)
        {
            case paramInt: param->setIndex ((int) a.i); break;
            case paramLinear:
            case paramLog: param->setFromFloat (a.f); break;
            default: param->fromText (a.s); break;
        }
    }

    sendChangeMessage();
}
