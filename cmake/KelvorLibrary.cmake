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

# The libraries below the widget layers (fe, model, view, xlsx, report, cad, reservoir) never depend on Qt
# Widgets: a Widgets link is refused here, and a Widgets header included by any of their files stops the
# compilation (the guard folder, ahead of Qt's on their include path, answers QtWidgets/qtwidgetsglobal.h,
# which every Widgets header includes, with an error). Each library also gets a probe that includes a
# Widgets header with its settings; the layering tests build the probes and expect the guard's error.
set(KELVOR_WIDGETS_GUARD ${CMAKE_CURRENT_LIST_DIR}/widgets-guard)
function(kelvor_forbid_widgets name)
  get_target_property(libs ${name} LINK_LIBRARIES)
  foreach(lib IN LISTS libs)
    # The report engine may use the view's off-screen drawing, and the survey's workbooks the report
    # engine; the lower libraries may use neither.
    if(lib MATCHES "Widgets" OR lib MATCHES "^(app|cad|reservoir)$" OR
       (NOT name MATCHES "^(report|reservoir)$" AND lib MATCHES "^(view|report)$"))
      message(FATAL_ERROR "${name} must not link ${lib}: it stays below the widget layers")
    endif()
  endforeach()
  target_include_directories(${name} BEFORE PRIVATE ${KELVOR_WIDGETS_GUARD})
  add_library(${name}_widgets_probe OBJECT EXCLUDE_FROM_ALL ${KELVOR_WIDGETS_GUARD}/probe.cpp)
  set_target_properties(${name}_widgets_probe PROPERTIES AUTOMOC OFF)
  target_include_directories(${name}_widgets_probe BEFORE PRIVATE ${KELVOR_WIDGETS_GUARD})
  target_include_directories(${name}_widgets_probe PRIVATE $<TARGET_PROPERTY:${name},INCLUDE_DIRECTORIES>)
  target_compile_options(${name}_widgets_probe PRIVATE $<TARGET_PROPERTY:${name},COMPILE_OPTIONS>)
  set_property(GLOBAL APPEND PROPERTY KELVOR_WIDGETS_FREE ${name})
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
  # Listing the tests of a sanitised test program can take longer than CTest's five seconds on a busy machine.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_NUMERIC=C" TIMEOUT 600)
endfunction()
