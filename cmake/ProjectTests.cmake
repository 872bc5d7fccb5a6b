# ts_add_qtest(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# Builds a QtTest executable and registers it with CTest. Every test gets its own
# configuration directory, so settings stores and the VISA resource file of one test
# never touch another test's or the user's, and tests can run in parallel.
function(ts_add_qtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt5::Test)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(home ${CMAKE_BINARY_DIR}/testhome/${name})
  file(MAKE_DIRECTORY ${home})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_DATA_HOME=${home}/.local/share;ALLUSERSPROFILE=${home}/allusers;TSVISA_RESOURCES=;TS4720_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
endfunction()
