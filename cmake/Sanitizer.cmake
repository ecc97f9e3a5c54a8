# TORVANE_SANITIZER=address|thread builds every target of the tree (plug-in, host, tools)
# with AddressSanitizer+LeakSanitizer or ThreadSanitizer. The sanitizer runs of the
# project's host need the host and the plug-in it loads instrumented alike.
set(TORVANE_SANITIZER "" CACHE STRING "Build every target with a sanitizer: address, thread or empty")
set_property(CACHE TORVANE_SANITIZER PROPERTY STRINGS "" address thread)

if(TORVANE_SANITIZER STREQUAL "")
    return()
endif()
if(NOT TORVANE_SANITIZER MATCHES "^(address|thread)$")
    message(FATAL_ERROR "TORVANE_SANITIZER must be address, thread or empty, not '${TORVANE_SANITIZER}'")
endif()

# Frame pointers and line tables keep the reports' stacks complete and readable,
# including frames inside the dlopen'ed plug-in.
add_compile_options(-fsanitize=${TORVANE_SANITIZER} -fno-omit-frame-pointer -g1)
add_link_options(-fsanitize=${TORVANE_SANITIZER})
# The host keeps the plug-in's module loaded until the process ends, so the leak check
# at exit can still name the plug-in's frames.
add_compile_definitions(TORVANE_SANITIZER_BUILD=1)
