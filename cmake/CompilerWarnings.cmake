# Warnings every target of ours is built with.
add_library(orvandel_warnings INTERFACE)
target_compile_options(orvandel_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)
