# Each layer lists its sources by folder, so adding a file needs no edit here.
# qvtv_layer_sources(<out-var> <dir>) collects .cpp files below <dir>, skipping
# any folder named "host" (hosts are separate targets).
function(qvtv_layer_sources out dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${dir}/*.cpp")
  list(FILTER srcs EXCLUDE REGEX "/host/")
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# qvtv_test_suite(<name> <dir> LIBS <libs...>) builds one GoogleTest binary per
# source folder and registers every case with CTest.
function(qvtv_test_suite name dir)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} qvtv_testsupport GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${ARG_LABELS}")
endfunction()
