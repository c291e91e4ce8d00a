# Shared build helpers. Every folder globs its own sources so that work in one
# folder never needs an edit of another folder's list.

# pellwyn_folder_library(NAME DIR [DEPS ...]): a static library of every .cpp in
# DIR (not recursive), or an interface library while DIR has no sources yet.
function(pellwyn_folder_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# pellwyn_test_folder(NAME DIR DEPS ...): one GoogleTest program of every .cpp in
# tests/DIR, registered with CTest. Tests find their fixtures under
# PELLWYN_SOURCE_DIR and may write below PELLWYN_TEST_TMP; the fixtures shared by
# several areas are in tests/common.
function(pellwyn_test_folder name dir)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main Threads::Threads)
  target_compile_definitions(${name} PRIVATE
    PELLWYN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    PELLWYN_BINARY_DIR="${PROJECT_BINARY_DIR}"
    PELLWYN_TEST_TMP="${PROJECT_BINARY_DIR}/test-tmp/${name}")
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  # Parameterised tests are named by their name generators (tests/common/
  # param_name.h), not by a print of the parameter.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "PELLWYN_TEST_TMP=${PROJECT_BINARY_DIR}/test-tmp/${name}")
endfunction()

# pellwyn_fuzz_target(NAME SOURCE DEPS ... [INCLUDES ...] [DEFINITIONS ...]):
# a program that runs every file of fuzz/corpus/NAME (and fixed changes of
# each) through the target's entry point, registered as a test so the seeds are
# checked in CI; with PELLWYN_LIBFUZZER also a libFuzzer program of the same
# compiled entry point. INCLUDES and DEFINITIONS are the entry point's own.
function(pellwyn_fuzz_target name source)
  cmake_parse_arguments(ARG "" "" "DEPS;INCLUDES;DEFINITIONS" ${ARGN})
  set(target fuzz_${name})
  # The entry point compiles once; the corpus runner and the libFuzzer program
  # both link it.
  add_library(${target}_entry OBJECT ${source})
  target_link_libraries(${target}_entry PUBLIC ${ARG_DEPS})
  target_include_directories(${target}_entry PRIVATE ${ARG_INCLUDES})
  target_compile_definitions(${target}_entry PRIVATE ${ARG_DEFINITIONS})
  if(PELLWYN_LIBFUZZER)
    add_executable(${target} $<TARGET_OBJECTS:${target}_entry>)
    target_link_libraries(${target} PRIVATE ${ARG_DEPS})
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  endif()
  if(PELLWYN_TESTS OR NOT PELLWYN_LIBFUZZER)
    set(driver ${target})
    if(PELLWYN_LIBFUZZER)
      set(driver ${target}_corpus)
    endif()
    add_executable(${driver} $<TARGET_OBJECTS:${target}_entry>)
    target_link_libraries(${driver} PRIVATE ${ARG_DEPS} fuzz_corpus_driver)
    if(PELLWYN_TESTS)
      add_test(NAME fuzz_corpus_${name} COMMAND ${driver} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    endif()
  endif()
endfunction()

# pellwyn_add_subfolders(): add_subdirectory for every direct subfolder that has
# a CMakeLists.txt, in name order, so each area keeps its own build file.
macro(pellwyn_add_subfolders)
  file(GLOB _subfolder_lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT _subfolder_lists)
  foreach(_list ${_subfolder_lists})
    get_filename_component(_dir ${_list} DIRECTORY)
    add_subdirectory(${_dir})
  endforeach()
endmacro()
