#include "model/PresetText.h"

#include "model/Cnode.h"
#include "model/Croot.h"
#include "model/Globals.h"
#include "model/PresetModelHost.h"
#include "model/SpeakerText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

namespace
{
// Preset files are a few kilobytes; anything far larger is not a preset and is not read into memory.
constexpr juce::int64 maxPresetFileSize = 1024 * 1024;

bool isBlank (char c) noexcept
{
    return c == ' ';
}

/** Collects characters, then makes one text of them. */
class CharacterSink
{
public:
    explicit CharacterSink (size_t maxCharacters) : characters (maxCharacters + 1) {}

    void add (juce::juce_wchar c) noexcept { characters[count++] = c; }

    juce::String text()
    {
        characters[count] = 0;
        return juce::String (juce::CharPointer_UTF32 (characters.getData()));
    }

private:
    juce::HeapBlock<juce::juce_wchar> characters;
    size_t count = 0;
};

/** The text of the UTF-16 units in `bytes` (after the byte-order mark): a high surrogate followed by a
    low one is one character and any other surrogate becomes U+FFFD, so that every character of the text
    can be written as UTF-8; the text ends at the first zero unit and an odd last byte is dropped. */
juce::String textFromUtf16 (const juce::uint8* bytes, size_t numBytes, bool bigEndian)
{
    const size_t numUnits = numBytes / 2;
    const auto unit = [bytes, bigEndian] (size_t i) -> juce::juce_wchar
    {
        const auto* u = bytes + 2 * i;
        return bigEndian ? (juce::juce_wchar) (u[0] << 8 | u[1]) : (juce::juce_wchar) (u[1] << 8 | u[0]);
    };
    const auto isHigh = [] (juce::juce_wchar u) { return u >= 0xd800 && u <= 0xdbff; };
    const auto isLow = [] (juce::juce_wchar u) { return u >= 0xdc00 && u <= 0xdfff; };

    CharacterSink characters (numUnits);

    for (size_t i = 0; i < numUnits; ++i)
    {
        const auto u = unit (i);

        if (u == 0)
            break;

        if (isHigh (u) && i + 1 < numUnits && isLow (unit (i + 1)))
            characters.add (0x10000 + ((u - 0xd800) << 10) + (unit (++i) - 0xdc00));
        else if (isHigh (u) || isLow (u))
            characters.add (0xfffd);
        else
            characters.add (u);
    }

    return characters.text();
}

/** The content of `file` when it is a regular file (after following links) of at most `maxBytes`;
    false for anything else. Never blocks in open (a FIFO would wait for a writer) and never reads more
    than one byte past the cap, whatever size the file system reports (a device reports 0). */
bool readRegularFile (const juce::File& file, juce::int64 maxBytes, juce::MemoryBlock& content)
{
    const auto* path = file.getFullPathName().toRawUTF8();
    struct stat info {};

    // Checked before opening, so that no device or FIFO is ever opened, and again on the opened file.
    if (::stat (path, &info) != 0 || ! S_ISREG (info.st_mode))
        return false;

    const int fd = ::open (path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;

    bool ok = ::fstat (fd, &info) == 0 && S_ISREG (info.st_mode);

    while (ok)
    {
        char buffer[8192];
        const auto left = maxBytes + 1 - (juce::int64) content.getSize();
        const auto room = (size_t) juce::jmin ((juce::int64) sizeof (buffer), left);
        const auto n = ::read (fd, buffer, room);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
        {
            ok = n == 0;
            break;
        }

        content.append (buffer, (size_t) n);
        ok = (juce::int64) content.getSize() <= maxBytes;
    }

    ::close (fd);
    return ok;
}

/** The path that `path` leads to, reached as the system reaches it, so a save replaces the linked file
    and keeps the link: each link's folder is resolved to its real path first, and a relative link is
    taken from there (a ".." in it leaves the folder the link really lives in, not the one written in the
    path). Kept as bytes throughout: a folder or link target may be named in any encoding. Empty when a
    folder on the way cannot be resolved or the path names no file in a folder. Follows at most 40
    links, as the system does; the caller first makes sure the system reaches a file through them. */
std::string throughLinks (std::string path)
{
    for (int hops = 0;; ++hops)
    {
        const auto slash = path.find_last_of ('/');
        if (slash == std::string::npos)
            return {};

        const auto name = path.substr (slash + 1);
        const auto folder = slash == 0 ? std::string ("/") : path.substr (0, slash);
        char realFolder[PATH_MAX];

        if (name.empty() || name == "." || name == ".." || ::realpath (folder.c_str(), realFolder) == nullptr)
            return {};

        std::string real (realFolder);
        if (real.back() != '/')
            real += '/';
        const auto realFolderLength = real.size();
        real += name;

        struct stat info {};
        if (hops == 40 || ::lstat (real.c_str(), &info) != 0 || ! S_ISLNK (info.st_mode))
            return real;

        char target[PATH_MAX];
        const auto length = ::readlink (real.c_str(), target, sizeof (target));
        if (length <= 0 || length >= (ssize_t) sizeof (target))
            return {};

        const std::string linked (target, (size_t) length);
        path = linked.front() == '/' ? linked : real.substr (0, realFolderLength) + linked;
    }
}

bool writeAll (int fd, const char* bytes, size_t numBytes)
{
    while (numBytes > 0)
    {
        const auto n = ::write (fd, bytes, numBytes);

        if (n < 0 && errno == EINTR)
            continue;

        if (n <= 0)
            return false;

        bytes += n;
        numBytes -= (size_t) n;
    }

    return true;
}

/** Writes the bytes in full to a new hidden file beside `target` (the path of a file in a real folder),
    syncs it to disk and renames it over `target`, so that the target either keeps its previous content
    or has the new one, even after a power cut. The new file takes the permissions of `previous` when
    given (a private preset stays private). On any failure the new file is removed. */
bool replaceFile (const std::string& target, const char* bytes, size_t numBytes, const struct stat* previous)
{
    const auto nameStart = target.find_last_of ('/') + 1;
    // Cut so that the temporary name stays within the system's limit of 255 bytes.
    const auto prefix = target.substr (0, nameStart) + "." + target.substr (nameStart, 200) + ".tmp";
    std::string temp;
    int fd = -1;

    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt)
    {
        temp = prefix + juce::String::toHexString (juce::Random::getSystemRandom().nextInt()).toStdString();
        fd = ::open (temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);

        if (fd < 0 && errno != EEXIST)
            return false;
    }

    if (fd < 0)
        return false;

    // A file system without permissions keeps its own.
    if (previous != nullptr)
        (void) ::fchmod (fd, previous->st_mode & 07777);

    bool ok = writeAll (fd, bytes, numBytes) && ::fsync (fd) == 0;
    ok = ::close (fd) == 0 && ok;
    ok = ok && ::rename (temp.c_str(), target.c_str()) == 0;

    if (! ok)
        ::unlink (temp.c_str());

    return ok;
}
} // namespace

const char* const PresetText::writeFailedText = "Couldn't write to the file.";
const char* const PresetText::notValidText = "Not a valid Preset (.vrs) file";
const char* const PresetText::modelMismatchText = "Preset doesn't match to current speaker model!";

// 23 lines separated by line feeds; lines 2 to 22 are filled up with blanks to 38 characters.
const char* const PresetText::initDataText =
    "INIT DATA  \n"
    "BEGIN_OSC_DATA                        \n"
    "/peq/01,sfff LS6 100.0 +0.0 1.0       \n"
    "/peq/02,sfff HS6 10k   +0.0 1.0       \n"
    "/peq/03,sfff PEQ 500.0 +0.0 1.0       \n"
    "/peq/04,sfff PEQ 2k    +0.0 1.0       \n"
    "/rsq/01,sfff OFF 40.0  +0.0 1.0       \n"
    "/rsq/02,sfff OFF 100.0 +0.0 1.0       \n"
    "/rsq/03,sfff OFF 200.0 +0.0 1.0       \n"
    "/rsq/04,sfff OFF 400.0 +0.0 1.0       \n"
    "/rsq/05,sfff OFF 1k    +0.0 1.0       \n"
    "/rsq/06,sfff OFF 2k    +0.0 1.0       \n"
    "/rsq/07,sfff OFF 4k    +0.0 1.0       \n"
    "/rsq/08,sfff OFF 10k   +0.0 1.0       \n"
    "/delay,fi    0.00 0                   \n"
    "/limiter,f   0.0                      \n"
    "/xover,ifi   0  100.0 0               \n"
    "/input,ifi   0 -30.0 0                \n"
    "/position,i  0                        \n"
    "/eqmode,i    0                        \n"
    "/rsqmode,i   0                        \n"
    "/setup,ii    0 0                      \n"
    "END_OSC_DATA";

juce::String PresetText::buildPresetText (const juce::String& modelCode)
{
    presetLines.clear();
    // A line break inside the title would split the title line and shift the lines after it.
    presetLines.add (presetTitle.replaceCharacters ("\r\n", "  "));
    presetLines.add ("VRMODELCODE " + modelCode);
    return buildOscDataText();
}

juce::MemoryBlock PresetText::buildFileBytes (const juce::String& modelCode)
{
    const auto text = buildPresetText (modelCode).replace ("\n", "\r\n");
    juce::MemoryBlock bytes;

    // A title that begins with U+FEFF would be read back as a byte-order mark and lose it: a mark
    // before it is what the reading takes away.
    if (text.startsWithChar (0xfeff))
        bytes.append ("\xef\xbb\xbf", 3);

    bytes.append (text.toRawUTF8(), text.getNumBytesAsUTF8());
    return bytes;
}

juce::String PresetText::buildOscDataText()
{
    presetLines.add ("BEGIN_OSC_DATA");

    if (rootCell != nullptr)
        rootCell->forEachMessageNode ([] (Cnode* node) { addNodeLine (node); });

    presetLines.add ("END_OSC_DATA");
    return presetLines.joinIntoString ("\n");
}

void PresetText::addNodeLine (Cnode* node)
{
    char values[Cnode::textBufferSize] = {};
    node->toText (values);

    // A line break in a value (a speaker name may hold any byte) would split the node's line; bytes
    // that are not UTF-8 are taken one character each.
    const auto line = juce::String::fromUTF8 (node->path, node->pathLength) + ","
                      + juce::String::fromUTF8 (node->oscTypeTags()) + textFromSpeaker (values);
    presetLines.add (line.replaceCharacters ("\r\n", "  "));
}

int PresetText::findLineStartingWith (const juce::String& keyword)
{
    const auto matches = [&keyword] (int i)
    {
        return presetLines[i].trimStart().startsWithIgnoreCase (keyword);
    };

    for (int i = 1; i < presetLines.size(); ++i)
        if (matches (i))
            return i;

    return (presetLines.size() > 0 && matches (0)) ? 0 : -1;
}

int PresetText::applyPresetLine (const juce::String& text)
{
    // Leading white space and the line break are not part of the line.
    const auto line = text.trimStart().trimCharactersAtEnd ("\r\n");

    // Read in one pass over the bytes: ',', the blank and '/' are single bytes in UTF-8, and indexing
    // the framework's text counts from its start on every call, which a long run of blanks would
    // turn into time growing with the square of the line.
    const char* const start = line.toRawUTF8();

    // A line without "," has no type-tag field: skipped.
    const char* const comma = std::strchr (start, ',');
    if (comma == nullptr)
        return 0;

    const char* p = comma + 1;
    while (isBlank (*p))
        ++p;

    // No blank after the type tags: the field is empty and the line is skipped.
    while (*p != 0 && ! isBlank (*p))
        ++p;
    if (*p == 0)
        return 0;

    while (isBlank (*p))
        ++p;
    if (*p == 0)
        return 0;

    // Only an address beginning with "/" can name a node.
    if (*start != '/' || rootCell == nullptr)
        return -1;

    Cnode* node = Cnode::findByPath (rootCell, start + 1, (int) (comma - start - 1));

    // A parameter's own address is not a node line: its value alone would change the tree without the
    // node's change broadcast. A group node has no values of its own, so its line applies nothing.
    if (node == nullptr || node->isParameter())
        return -1;

    return node->fromText (p) == 0 ? 0 : -1;
}

int PresetText::parsePresetText (const juce::String& text, PresetModelHost* host)
{
    presetLines.clear();
    presetLines.addLines (text);
    presetTitle = presetLines.size() > 0 ? presetLines[0] : juce::String();

    const int codeLine = findLineStartingWith ("VRMODELCODE");

    if (codeLine >= 0 && host != nullptr)
    {
        const auto code = presetLines[codeLine].trimStart().substring (12);

        if (! host->isOffline())
        {
            if (code != host->getModelCode())
                return 1;
        }
        else
        {
            host->setModelFromCode (code);
        }
    }

    const int begin = findLineStartingWith ("BEGIN_OSC_DATA");
    if (begin < 0)
        return 0;

    const int end = findLineStartingWith ("END_OSC_DATA");
    if (end <= begin)
        return 0;

    for (int i = begin + 1; i < end; ++i)
    {
        // Copied: applying a line never changes presetLines, but the copy keeps that independent.
        const auto line = presetLines[i];
        const int r = applyPresetLine (line);

        if (r != 0)
            return r;
    }

    return 0;
}

juce::File PresetText::presetFileFor (const juce::File& file)
{
    if (file.getFullPathName().isEmpty())
        return {};

    return file.withFileExtension (".vrs");
}

juce::Result PresetText::saveFile (const juce::File& file, const juce::String& modelCode)
{
    presetLines.clear();
    const auto path = presetFileFor (file).getFullPathName();
    const auto bytes = buildFileBytes (modelCode);
    const auto failed = juce::Result::fail (juce::translate (writeFailedText));

    if (path.isEmpty())
        return failed;

    // Looked at as the system reaches it, through every link. Only a regular file is ever replaced: a
    // folder, a FIFO, a device or a socket stays as it is, and so does anything that cannot be looked at
    // (a loop of links, a chain longer than the system follows, a folder without access).
    const auto written = path.toStdString();
    struct stat previous {};
    const bool exists = ::stat (written.c_str(), &previous) == 0;
    if (exists ? ! S_ISREG (previous.st_mode) : errno != ENOENT)
        return failed;

    const auto target = throughLinks (written);
    if (target.empty())
        return failed;

    if (! replaceFile (target, static_cast<const char*> (bytes.getData()), bytes.getSize(), exists ? &previous : nullptr))
        return failed;

    return juce::Result::ok();
}

juce::String PresetText::textFromFileBytes (const void* data, size_t numBytes)
{
    // An empty block may have no data at all.
    if (numBytes == 0)
        return {};

    const auto* bytes = static_cast<const char*> (data);
    const auto* start = reinterpret_cast<const juce::uint8*> (bytes);

    if (numBytes >= 2 && juce::CharPointer_UTF16::isByteOrderMarkBigEndian (start))
        return textFromUtf16 (start + 2, numBytes - 2, true);

    if (numBytes >= 2 && juce::CharPointer_UTF16::isByteOrderMarkLittleEndian (start))
        return textFromUtf16 (start + 2, numBytes - 2, false);

    if (numBytes >= 3 && juce::CharPointer_UTF8::isByteOrderMark (start))
    {
        bytes += 3;
        numBytes -= 3;
    }

    // The text ends at the first zero byte, as it does in the framework's reading.
    if (const auto* zero = static_cast<const char*> (std::memchr (bytes, 0, numBytes)))
        numBytes = (size_t) (zero - bytes);

    if (numBytes == 0)
        return {};

    if (isWellFormedUtf8 (bytes, numBytes))
        return juce::String::fromUTF8 (bytes, (int) numBytes);

    // Any other 8-bit text is read in the Windows code page, as the framework reads text that is not UTF-8.
    CharacterSink characters (numBytes);

    for (size_t i = 0; i < numBytes; ++i)
        characters.add (juce::CharacterFunctions::getUnicodeCharFromWindows1252Codepage ((juce::uint8) bytes[i]));

    return characters.text();
}

juce::Result PresetText::loadFile (const juce::File& file, PresetModelHost* host)
{
    const auto target = presetFileFor (file);

    if (target.getFullPathName().isEmpty())
        return juce::Result::fail (juce::translate (notValidText));

    // Anything but a regular file of at most the cap (a FIFO, a device, a folder, an oversized file) is
    // read like a missing or unreadable one: as empty text, which applies nothing.
    juce::MemoryBlock content;
    juce::String text;

    if (readRegularFile (target, maxPresetFileSize, content))
        text = textFromFileBytes (content.getData(), content.getSize());

    if (parsePresetText (text, host) == 1)
        return juce::Result::fail (juce::translate (modelMismatchText));

    return juce::Result::ok();
}
