# Shared build rules: warnings as errors everywhere, one helper per kind of target.

set(ORLANE_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Woverloaded-virtual -Wformat=2 -Werror)

function(orlane_target_defaults target)
  target_compile_options(${target} PRIVATE ${ORLANE_WARNINGS})
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()

# orlane_add_library(name SOURCES ... LINKS ...)
# A static library of one folder; LINKS names the lower layers it may use.
function(orlane_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  orlane_target_defaults(${name})
endfunction()

set(ORLANE_TEST_TZ "Europe/Berlin" CACHE STRING "Time zone every test runs in")

# orlane_add_test(name [GUI] SOURCES ... LINKS ...)
# One test program per unit. GUI tests get a QApplication on the offscreen
# platform, the others a QCoreApplication; all run in a fixed zone and locale.
function(orlane_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINKS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE orlane_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE orlane_test_main_core)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  orlane_target_defaults(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=${ORLANE_TEST_TZ};LC_ALL=C.UTF-8;ORLANE_TEST=1;${ARG_ENV}"
    TIMEOUT 300)
endfunction()

# orlane_add_bench(name [GUI] SOURCES ... LINKS ...)
# GUI benchmarks get the shared main with a QGuiApplication.
function(orlane_add_bench name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LINKS" ${ARGN})
  if(ARG_GUI)
    list(APPEND ARG_SOURCES ${PROJECT_SOURCE_DIR}/bench/support/gui_main.cpp)
    list(APPEND ARG_LINKS Qt6::Gui)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} benchmark::benchmark)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  orlane_target_defaults(${name})
endfunction()

# orlane_add_fuzz(name SOURCES ... LINKS ...): a libFuzzer target (clang only).
function(orlane_add_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endfunction()
