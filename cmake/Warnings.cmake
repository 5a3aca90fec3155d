# Warnings are on for every target and must stay clean.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
  $<$<COMPILE_LANGUAGE:C>:-Wno-old-style-cast>
)
