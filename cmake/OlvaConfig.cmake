# One compile configuration shared by every target of the project.
add_library(olva_config INTERFACE)
target_compile_options(olva_config INTERFACE -Wall -Wextra)
target_compile_definitions(olva_config INTERFACE
  QT_NO_CAST_TO_ASCII
  QT_USE_QSTRINGBUILDER
  QT_NO_URL_CAST_FROM_STRING
  OLVA_CLIENT_VERSION="${PROJECT_VERSION}")
if(OLVA_FUZZ)
  # Everything the fuzz targets link is instrumented for coverage, and any
  # sanitizer report ends the run as a crash.
  target_compile_options(olva_config INTERFACE -fsanitize=fuzzer-no-link,address,undefined
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(olva_config INTERFACE -fsanitize=address,undefined)
elseif(OLVA_WITH_ASAN)
  target_compile_options(olva_config INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(olva_config INTERFACE -fsanitize=address,undefined)
endif()

# Tests: one executable per class or window.
#   olva_add_test(NAME tst_server SOURCES tst_server.cpp LIBS olva_core)
# COST (about its seconds) makes ctest start a long test early, so that it
# does not run alone at the end; without it ctest only learns that from a
# previous run in the same build folder.
function(olva_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT;COST" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE olva_testsupport Qt6::Test ${T_LIBS} olva_testflags)
  olva_test_pch(${T_NAME})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;OLVA_TEST_RUN=1;OLVA_SECRET_TIMEOUT_MS=500")
  if(T_COST)
    set_tests_properties(${T_NAME} PROPERTIES COST ${T_COST})
  endif()
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/OlvaBuildSpeed.cmake)
