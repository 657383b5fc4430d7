# One static library per source folder; its sources are every .cpp in the folder.
# project_library(NAME [DEPS lib...])
function(project_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    # A folder of headers only (or one just started) still links as a library.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# One GoogleTest program per tested folder: every .cpp under tests/<folder>.
# project_tests(NAME [GL] LIBS lib...)
# GL tests need a display; ./test runs them under xvfb-run and leaves them out of the sanitizer pass.
function(project_tests name)
  cmake_parse_arguments(ARG "GL" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main Threads::Threads)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set(labels unit)
  if(ARG_GL)
    set(labels gl)
    target_link_libraries(${name} PRIVATE gl_test_context gl_test_display)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT 300)
endfunction()

# A command-line program built into bin/.
# project_program(NAME LIBS lib...)
function(project_program name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# Adds each listed subfolder; a folder that is missing or has no CMakeLists.txt fails the configure
# step, so that a renamed folder cannot silently drop its library or test program.
function(add_subdirectories)
  foreach(dir ${ARGN})
    add_subdirectory(${dir})
  endforeach()
endfunction()
