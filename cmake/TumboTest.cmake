# tumbo_add_test(NAME name SOURCES ... LIBS ... [GUI])
# One GoogleTest executable per test folder. Parameterised cases keep the names their
# suites give them (NO_PRETTY_VALUES) instead of a dump of the parameter bytes. GUI suites get a main that creates a
# QApplication on Qt's offscreen platform.
function(tumbo_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  if(T_GUI)
    add_executable(${T_NAME} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/gui_main.cpp)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Widgets Qt6::Test GTest::gtest)
  else()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE
    TUMBO_FIXTURES_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures"
    TUMBO_DATA_DIR="${TUMBO_DATA_DIR}")
  add_dependencies(${T_NAME} tumbo_data)
  gtest_discover_tests(${T_NAME}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES)
endfunction()
