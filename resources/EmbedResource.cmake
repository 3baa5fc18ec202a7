# Turns one binary file into a C++ source that defines BinaryData::<NAME> and BinaryData::<NAME>Size.
# Usage: cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DNAME=<identifier> -P EmbedResource.cmake
foreach(var INPUT OUTPUT NAME)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedResource.cmake needs -D${var}=...")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")

# A line break after every 20 bytes keeps lines short; then two hex digits per byte become "0x..,".
string(REPEAT "[0-9a-f]" 40 lineOfHex)
string(REGEX REPLACE "(${lineOfHex})" "\\1\n    " hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")

get_filename_component(sourceName "${INPUT}" NAME)
set(content "// Generated at build time from resources/${sourceName}; do not edit.
namespace BinaryData
{
    extern const char* ${NAME};
    extern const int ${NAME}Size;

    static const unsigned char ${NAME}Data[] = {
    ${bytes}0 };

    const char* ${NAME} = reinterpret_cast<const char*> (${NAME}Data);
    const int ${NAME}Size = ${size};
}
")

file(WRITE "${OUTPUT}" "${content}")
