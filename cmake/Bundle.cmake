# The product's resource bundle: the product's art followed by the toolkit's shared files.
juce_add_binary_data(TorvaneBundle
    HEADER_NAME TorvaneBundle.h
    NAMESPACE TorvaneBundle
    SOURCES ${TORVANE_ART_FILES} ${ZEM_SHARED_FILES})

# The generator only watches its list of files: re-embed whenever the art is re-rendered.
add_dependencies(TorvaneBundle TorvaneArtFiles)
add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/juce_binarydata_TorvaneBundle/JuceLibraryCode/BinaryData1.cpp
    APPEND DEPENDS ${TORVANE_ART_FILES})
