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
  ts_test_environment(${name} environment)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${environment}")
endfunction()

# The environment of a test called <name>: its own home and configuration folders.
function(ts_test_environment name out)
  set(home ${CMAKE_BINARY_DIR}/testhome/${name})
  file(MAKE_DIRECTORY ${home})
  set(${out} "QT_QPA_PLATFORM=offscreen;HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_DATA_HOME=${home}/.local/share;ALLUSERSPROFILE=${home}/allusers;TSVISA_RESOURCES=;TS4720_BIN_DIR=${CMAKE_BINARY_DIR}/bin" PARENT_SCOPE)
endfunction()

# ts_run_qtest_in_comma_locale(<name>): runs the program of ts_add_qtest(<name>) once more,
# as <name>_decimalComma, for a user whose locale writes numbers with a decimal comma (the
# program takes its locale from the environment, as Qt does). The German locale is built
# with localedef into the build folder by a fixture that fails when it does not work.
function(ts_run_qtest_in_comma_locale name)
  set(locales ${CMAKE_BINARY_DIR}/testlocales)
  if(NOT TEST build_comma_locale)
    add_test(NAME build_comma_locale COMMAND sh -c
      "test -f ${locales}/de_DE.UTF-8/LC_NUMERIC || { mkdir -p ${locales} && localedef -i de_DE -f UTF-8 ${locales}/de_DE.UTF-8; }; test \"$(LOCPATH=${locales} LC_ALL=de_DE.UTF-8 /usr/bin/printf %.1f 1.5)\" = 1,5")
    set_tests_properties(build_comma_locale PROPERTIES FIXTURES_SETUP commaLocale TIMEOUT 120)
  endif()
  add_test(NAME ${name}_decimalComma COMMAND ${name})
  ts_test_environment(${name}_decimalComma environment)
  get_test_property(${name} TIMEOUT timeout)
  set_tests_properties(${name}_decimalComma PROPERTIES FIXTURES_REQUIRED commaLocale TIMEOUT ${timeout}
    ENVIRONMENT "${environment};LOCPATH=${locales};LC_ALL=de_DE.UTF-8;LANG=de_DE.UTF-8")
endfunction()
