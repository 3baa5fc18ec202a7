# JUCE's modules from Debian's juce-modules-source, compiled once into two static libraries:
# varento_juce_core (core, events, data structures) and varento_juce_gui (graphics, GUI).
# Every target of ours links these, so touching our own sources never recompiles JUCE.
find_package(JUCE 7.0.5 CONFIG REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(FREETYPE2 REQUIRED IMPORTED_TARGET freetype2)
find_package(Threads REQUIRED)

set(JUCE_MODULES_ROOT "/usr/share/juce/modules" CACHE PATH "JUCE modules folder")

set(VARENTO_JUCE_DEFINITIONS
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    JUCE_STANDALONE_APPLICATION=1
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_INCLUDE_PNGLIB_CODE=0
    JUCE_INCLUDE_JPEGLIB_CODE=0
    JUCE_INCLUDE_ZLIB_CODE=0
    JUCE_USE_XSHM=1
    JUCE_MODULE_AVAILABLE_juce_core=1
    JUCE_MODULE_AVAILABLE_juce_events=1
    JUCE_MODULE_AVAILABLE_juce_data_structures=1
    JUCE_MODULE_AVAILABLE_juce_graphics=1
    JUCE_MODULE_AVAILABLE_juce_gui_basics=1
    JUCE_MODULE_AVAILABLE_juce_gui_extra=1
    $<$<CONFIG:Debug>:DEBUG=1 _DEBUG=1>
    $<$<NOT:$<CONFIG:Debug>>:NDEBUG=1>)

function(varento_juce_library name)
    set(srcs)
    foreach(module IN LISTS ARGN)
        list(APPEND srcs ${JUCE_MODULES_ROOT}/${module}/${module}.cpp)
    endforeach()
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} SYSTEM PUBLIC ${JUCE_MODULES_ROOT})
    target_compile_definitions(${name} PUBLIC ${VARENTO_JUCE_DEFINITIONS})
    target_compile_options(${name} PRIVATE -w)
endfunction()

varento_juce_library(varento_juce_core juce_core juce_events juce_data_structures)
target_link_libraries(varento_juce_core PUBLIC Threads::Threads ${CMAKE_DL_LIBS} rt z)

varento_juce_library(varento_juce_gui juce_graphics juce_gui_basics juce_gui_extra)
target_link_libraries(varento_juce_gui PUBLIC varento_juce_core PkgConfig::FREETYPE2 png jpeg)
target_include_directories(varento_juce_gui SYSTEM PRIVATE ${FREETYPE2_INCLUDE_DIRS})
