#pragma once
// A leaf of the parameter tree: one value of the speaker.

#include "model/Cnode.h"

/**
    One value of the speaker, held as an integer index within [minIndex, maxIndex], of one of five kinds:
    paramInt (the index is the value), paramEnum (position in a table of names), paramLinear (step on a
    linear scale from low to high), paramLog (step on a logarithmic scale, kept 1000 times finer than
    the steps callers see) and paramString (a text of at most 10 characters; the index stays 0).
*/
class Cparam : public Cnode
{
public:
    /** An integer parameter from 0 to `max`, text format "%d". */
    Cparam (const char* name, int id, int max);

    /** An enumeration of `count` names (the table must outlive the parameter). */
    Cparam (const char* name, int id, int count, const char* const* names);

    /** A float parameter from `low` to `high`: linear with `steps` index values when steps > 0,
        logarithmic with -steps visible steps (and 1000 times as many fine steps) otherwise.
        `format` is the text format given to formatValue. */
    Cparam (const char* name, int id, float low, float high, int steps, const char* format);

    /** The speaker-name parameter: a text of at most 10 characters, starting empty. */
    Cparam();

    /** Stores index `i` (for paramLog a visible step, multiplied by 1000), clamped to the range. */
    void setIndex (int i);

    /** The index (for paramLog the visible step: the fine index divided by 1000). */
    int getIndex() const;

    /** Stores the index that represents the engineering value `x`, clamped to the range. Ignored for
        paramString; a NaN leaves the index unchanged. */
    void setFromFloat (float x);

    /** The engineering value of the index (0 for paramString). */
    float getFloat() const;

    /** Reads one value from the start of `text`; returns the number of characters taken (<= 0: nothing
        was read; an enumeration text that matches no name leaves the index unchanged and returns 0). */
    int fromText (const char* text) override;

    /** Writes the value's text and a terminator; returns the number of characters written. A linear
        value whose fixed-width text would not read back to the same index is written without the width. */
    int toText (char* out) override;

    /** The index that the engineering value `x` stands for, clamped to the range (the current index for
        a NaN or a paramString). */
    int indexFor (float x) const;

    /** The longest text a paramString holds. */
    static constexpr int maxTextLength = 10;

    int minIndex = 0;                   ///< lowest index, always 0
    int maxIndex = 0;                   ///< highest index (fine index for paramLog, text length for paramString)
    float low = 0.0f;                   ///< value at index 0 (paramLinear, paramLog)
    float high = 0.0f;                  ///< paramLinear: value at maxIndex; paramLog: ln step per fine index
    float logHigh = 0.0f;               ///< paramLog: value at maxIndex, the cap of getFloat
    int index = 0;                      ///< current index (fine index for paramLog)
    const char* format = nullptr;       ///< formatValue format (paramInt, paramLinear, paramLog)
    const char* const* names = nullptr; ///< table of names (paramEnum)
    char text[maxTextLength + 1] = {};  ///< the text (paramString)

private:
    bool readsBack (const char* valueText) const;
};
