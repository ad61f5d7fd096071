# Helper functions shared by the subsystem, test, benchmark and fuzz folders.

# lodgera_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [GUI])
# A GoogleTest executable with the project's test main. GUI tests get a QApplication, the others a
# QCoreApplication; both run with QT_QPA_PLATFORM=offscreen unless the environment says otherwise.
function(lodgera_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE lodgera_test_main_gui)
  else()
    target_link_libraries(${T_NAME} PRIVATE lodgera_test_main_core)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} lodgera_options GTest::gtest GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE LODGERA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                               LODGERA_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LODGERA_SHORT_DATE=d.M.yyyy;LODGERA_LONG_TIME=H:mm:ss"
                                  TIMEOUT 300)
endfunction()

# lodgera_add_bench(NAME <name> SOURCES <files...> LIBS <targets...>)
function(lodgera_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} lodgera_options benchmark::benchmark)
endfunction()

# lodgera_add_fuzz(NAME <name> SOURCES <files...> LIBS <targets...>)  (clang, -DLODGERA_FUZZ=ON)
function(lodgera_add_fuzz)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS} lodgera_options)
endfunction()
