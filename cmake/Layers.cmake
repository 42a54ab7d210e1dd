# One static library per layer folder: every .cpp in the folder belongs to it.
#   qv_layer(name DEPS lib ...)
function(qv_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(qv_${name} STATIC ${sources})
  target_include_directories(qv_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(qv_${name} PUBLIC ${ARG_DEPS})
endfunction()

# One GoogleTest executable per test folder: every .cpp in the folder.
#   qv_test(name [QT] DEPS lib ... [ENV VAR=value ...])
# QT: widget tests; the shared main makes the one QApplication, offscreen.
function(qv_test name)
  cmake_parse_arguments(ARG "QT" "" "DEPS;ENV" ${ARGN})
  set(main GTest::gtest_main)
  if(ARG_QT)
    set(main qv_qt_test_main)
    list(APPEND ARG_ENV QT_QPA_PLATFORM=offscreen)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${name} ${sources})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} ${main} GTest::gmock)
  gtest_discover_tests(test_${name}
    TEST_PREFIX "${name}."
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${ARG_ENV}"
    DISCOVERY_TIMEOUT 60)
endfunction()
