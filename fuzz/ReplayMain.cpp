// Runs a fuzz target's entry point once on each kept input, without a fuzzing engine, so that the normal
// and the sanitizer builds check every input that once failed. Arguments: files or folders of inputs.
// Exits non-zero when no input was found; a failing input crashes or aborts, as under the fuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);
extern "C" __attribute__ ((weak)) int LLVMFuzzerInitialize (int* argc, char*** argv);

int main (int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::set<fs::path> inputs;  // sorted, so every run replays in the same order

    for (int i = 1; i < argc; ++i)
    {
        if (fs::is_directory (argv[i]))
        {
            for (auto& entry : fs::recursive_directory_iterator (argv[i]))
                if (entry.is_regular_file())
                    inputs.insert (entry.path());
        }
        else if (fs::is_regular_file (argv[i]))
        {
            inputs.insert (argv[i]);
        }
    }

    if (inputs.empty())
    {
        std::fprintf (stderr, "no inputs found\n");
        return 1;
    }

    if (LLVMFuzzerInitialize != nullptr)
        LLVMFuzzerInitialize (&argc, &argv);

    for (auto& path : inputs)
    {
        std::ifstream in (path, std::ios::binary);
        const std::vector<uint8_t> bytes ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());
        std::printf ("%s\n", path.c_str());
        std::fflush (stdout);
        LLVMFuzzerTestOneInput (bytes.data(), bytes.size());
    }

    std::printf ("%zu inputs replayed\n", inputs.size());
    return 0;
}
