# The product's resource bundle: the product's art followed by the toolkit's shared files.
juce_add_binary_data(TorvaneBundle
    HEADER_NAME TorvaneBundle.h
    NAMESPACE TorvaneBundle
    SOURCES ${TORVANE_ART_FILES} ${ZEM_SHARED_FILES})
