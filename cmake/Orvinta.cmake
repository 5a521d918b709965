# Plain C++ of the system keeps its text as code page 949 bytes: its Korean
# literals are written in UTF-8 and compiled to CP949.  Qt code stays UTF-8.
function(orvinta_cp949 target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP949)
  else()
    # Clang compiles literals to UTF-8 only; clang builds serve the fuzzers,
    # where the bytes of the program's own texts do not matter.
    message(STATUS "${target}: Korean literals stay UTF-8 with ${CMAKE_CXX_COMPILER_ID}")
  endif()
endfunction()

# Registers a GoogleTest executable's tests with CTest. Parameterised cases
# are named by their name generators, never by the printed bytes of their
# parameter, so a listing is the same from one run to the next.
# gtest_discover_tests passes a list-valued property on as its first item
# only; the same property named once per item keeps them all, so LABELS and
# ENVIRONMENT (given as PROPERTIES, as for set_tests_properties) are spelled
# out that way here.
function(orvinta_discover_tests target)
  cmake_parse_arguments(D "" "TIMEOUT" "PROPERTIES;LABELS;ENVIRONMENT" ${ARGN})
  set(properties ${D_PROPERTIES})
  foreach(label IN LISTS D_LABELS)
    list(APPEND properties LABELS ${label})
  endforeach()
  foreach(variable IN LISTS D_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT ${variable})
  endforeach()
  if(D_TIMEOUT)
    list(APPEND properties TIMEOUT ${D_TIMEOUT})
  endif()
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES ${D_UNPARSED_ARGUMENTS}
                       PROPERTIES ${properties})
endfunction()

# A GoogleTest executable registered with CTest.  Usage:
#   orvinta_test(NAME name SOURCES a.cpp ... LIBS lib ... [CP949] [LABELS l ...])
function(orvinta_test)
  cmake_parse_arguments(T "CP949" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(T_CP949)
    orvinta_cp949(${T_NAME})
  endif()
  orvinta_discover_tests(${T_NAME} PROPERTIES LABELS "${T_LABELS}"
                         ENVIRONMENT "ORVINTA_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
