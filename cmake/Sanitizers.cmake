# VARENTO_SANITIZE=address builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# VARENTO_SANITIZE=thread with ThreadSanitizer. JUCE is built the same way so that its threads are seen.
set(VARENTO_SANITIZE "" CACHE STRING "address or thread")
if(VARENTO_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
elseif(VARENTO_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT VARENTO_SANITIZE STREQUAL "")
    message(FATAL_ERROR "VARENTO_SANITIZE must be address, thread or empty")
endif()
