# In a fuzz build every library is instrumented too: libFuzzer is guided by the coverage of the
# readers themselves, and the sanitizers check their code, not only the fuzz entry.
if(RAVO_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# ravo_library(NAME DIR <dir> DEPS <targets...>)
# One static library from every .cpp of a source folder (not recursive).
function(ravo_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# ravo_test(NAME [GUI] DIR <dir> DEPS <targets...>)
# One GoogleTest executable from every .cpp of a test folder, registered with CTest. GUI adds a
# QGuiApplication for the whole run (fonts, pictures).
function(ravo_test name)
  cmake_parse_arguments(ARG "GUI" "DIR" "DEPS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  if(ARG_GUI)
    list(APPEND srcs ${CMAKE_SOURCE_DIR}/tests/support/GuiEnvironment.cpp)
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt.
function(ravo_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# ravo_fuzz(NAME SOURCES <files...> DEPS <targets...>)
# A libFuzzer target (LLVMFuzzerTestOneInput). With RAVO_FUZZ under clang it links libFuzzer and
# the address sanitizer, and carries the suite's leak suppressions; otherwise it links a small
# driver and replays its seed corpus (fuzz/corpus/<NAME>/) as a CTest test, so every build keeps
# the seeds passing.
function(ravo_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(RAVO_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(listed ${CMAKE_SOURCE_DIR}/tests/sanitizer-suppressions.txt)
    set(suppressions ${CMAKE_BINARY_DIR}/fuzz/LeakSuppressions.cpp)
    file(READ ${listed} RAVO_LEAK_SUPPRESSIONS)
    configure_file(${CMAKE_SOURCE_DIR}/fuzz/LeakSuppressions.cpp.in ${suppressions} @ONLY)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${listed})
    add_executable(${name} ${ARG_SOURCES} ${suppressions})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  else()
    add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/fuzz/ReplayDriver.cpp)
    set(corpus ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    if(EXISTS ${corpus})
      add_test(NAME ${name}_seeds COMMAND ${name} ${corpus})
      set_tests_properties(${name}_seeds PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()
