# Warnings for the project's own sources (JUCE's modules keep their own flags).
function(torvane_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wno-unused-parameter>)
endfunction()

# A target that uses the plug-in's compiled code (tests, tools, benchmarks) links the
# static shared-code library and takes its include paths and definitions, so JUCE and
# the product compile once.
function(torvane_use_shared_code target)
    target_link_libraries(${target} PRIVATE Torvane)
    target_include_directories(${target} PRIVATE
        $<TARGET_PROPERTY:Torvane,INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target} PRIVATE
        $<TARGET_PROPERTY:Torvane,COMPILE_DEFINITIONS>)
endfunction()
