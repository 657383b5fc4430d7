# Included by the top-level list when FUZZ is on. libFuzzer needs clang; its main goes into the
# targets only, the libraries get the coverage instrumentation without it.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz tree needs clang: configure it with CC=clang CXX=clang++")
endif()
# Fuzzing wants speed and line numbers in the reports, not full debug information.
set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O1 -gline-tables-only")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -gline-tables-only")
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

find_package(Threads REQUIRED)
find_package(OpenGL REQUIRED)
find_package(JPEG REQUIRED)
find_package(ZLIB REQUIRED)

add_subdirectory(platform)
add_subdirectory(engine)
add_subdirectory(editor/data)
add_subdirectory(fuzz)
