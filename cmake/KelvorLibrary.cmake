# One static library per source folder; its sources are every .cpp/.h below it,
# so adding a file needs no edit here.
function(kelvor_library name)
  cmake_parse_arguments(ARG "" "" "LINK;QRC" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${srcs} ${ARG_QRC})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINK})
endfunction()

# The foundation and the model must never depend on Qt Widgets.
function(kelvor_forbid_widgets name)
  get_target_property(libs ${name} LINK_LIBRARIES)
  foreach(lib IN LISTS libs)
    if(lib MATCHES "Widgets" OR lib MATCHES "^(view|app|photo|report|cad|reservoir)$")
      message(FATAL_ERROR "${name} must not link ${lib}: it stays below the widget layers")
    endif()
  endforeach()
endfunction()

# One test program per source folder, each GoogleTest case registered with CTest.
function(kelvor_test_folder name)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_LINK} kelvor_testmain)
  target_compile_definitions(${name} PRIVATE
    KELVOR_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    KELVOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_NUMERIC=C" TIMEOUT 600)
endfunction()
