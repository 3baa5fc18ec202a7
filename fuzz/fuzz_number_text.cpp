// Feeds arbitrary text to the number parsers and to every parameter of the tree, as a typed value or a
// preset line would reach them. Nothing may crash, and no parameter may leave its range.
#include "model/Croot.h"
#include "model/NumberText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
Croot& tree()
{
    static Croot* root = [] {
        auto* r = new Croot();
        r->buildPaths();
        return r;
    }();
    return *root;
}

void checkRange (Cnode* node)
{
    for (Cnode* c = node->firstChild; c != node; c = c->next)
    {
        auto* p = static_cast<Cparam*> (c);

        if (p->index < p->minIndex || p->index > p->maxIndex)
            std::abort();

        char text[Cnode::textBufferSize];

        if (p->toText (text) >= (int) sizeof (text))
            std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    const std::string text (reinterpret_cast<const char*> (data), size); // NUL-terminated copy

    int i = 0;
    float f = 0.0f;

    if (parseInt (text.c_str(), &i) > (int) size || parseFloat (text.c_str(), &f) > (int) size)
        std::abort();

    tree().forEachMessageNode ([&] (Cnode* node) {
        for (Cnode* c = node->firstChild; c != node; c = c->next)
        {
            if (c->fromText (text.c_str()) > (int) size)
                std::abort();
        }

        node->fromText (text.c_str());
        checkRange (node);

        char line[Cnode::textBufferSize];
        node->toText (line);
    });

    return 0;
}
