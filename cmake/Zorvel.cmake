# Helpers shared by the CMake files of the tree. Every layer globs its own
# folder, so adding a source file needs no edit here.

# zorvel_library(NAME DIR [LINK lib...]): a static library of every .cpp below DIR.
function(zorvel_library name dir)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${dir}/*.h)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
  else()
    # A layer with headers only so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_LINK})
  endif()
endfunction()

# zorvel_test(NAME DIR [LINK lib...] [QT]): one GoogleTest executable of every .cpp
# directly in DIR, registered with CTest case by case. QT runs it on the offscreen
# platform. Each case has a minute: the slowest take a few seconds, so a case
# that hangs fails soon instead of holding the run.
function(zorvel_test name dir)
  cmake_parse_arguments(ARG "QT" "" "LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${dir})
  target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    ZORVEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ZORVEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(env "")
  if(ARG_QT)
    set(env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 60)
endfunction()
