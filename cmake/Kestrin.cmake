# Helpers shared by every folder: GoogleTest from Debian's source package, test
# registration (native, or under Wine with a proof that the test really ran).

set(KESTRIN_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")

macro(kestrin_add_googletest)
  if(NOT EXISTS ${KESTRIN_GOOGLETEST_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${KESTRIN_GOOGLETEST_DIR}; run scripts/bootstrap.sh")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${KESTRIN_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(WIN32)
    # Wine runs these; the session fixture gives them a display and a warm wineserver.
    set(KESTRIN_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine/wine-run.sh ${KESTRIN_WINE_DIR})
    add_test(NAME wine_session_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine/session.sh start ${KESTRIN_WINE_DIR})
    add_test(NAME wine_session_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine/session.sh stop ${KESTRIN_WINE_DIR})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
  endif()
endmacro()

# kestrin_test(<name> [GUI] SOURCES <files...> LIBS <targets...>)
# A GoogleTest program. On Windows it runs under Wine; GUI tests share the display,
# the clipboard and window class names, so they run one at a time.
function(kestrin_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  # A program that silently fails to start must never pass: GoogleTest's own
  # summary has to appear, and no test may have failed.
  set_tests_properties(${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9][0-9]* tests?\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\];ERROR: AddressSanitizer;runtime error:;left unanswered"
    TIMEOUT 300)
  if(WIN32)
    # A dialog nobody answers fails the test with its text instead of hanging it.
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/UnansweredDialogs.cpp)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
    if(T_GUI)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_display)
    endif()
  endif()
endfunction()
