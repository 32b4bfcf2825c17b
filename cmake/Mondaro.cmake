# Sources whose file-local names (anonymous namespaces, using-declarations at
# file scope) clash with another file's of the same target: they stay out of
# the target's unity source. The tests keep their own list.
set(MONDARO_FUORI_UNITA
  src/link/ModBlckVettori.cpp
  src/controls/PowerIndicatore.cpp
  src/controls/SlideIndicatore.cpp
  src/controls/Tachyonizer.cpp
  src/engine/MDIFrmConnessione.cpp
  src/engine/MDIFrmTempoReale.cpp
  src/shell/FRM_ZEBPortSearch.cpp
  src/shell/ImmaginiShell.cpp)
list(TRANSFORM MONDARO_FUORI_UNITA PREPEND ${PROJECT_SOURCE_DIR}/)
set_source_files_properties(${MONDARO_FUORI_UNITA} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)

# One static library per source folder. The folder's sources are globbed so
# that adding a file needs no edit here; a folder without sources yet becomes
# an interface library that only forwards its dependencies.
function(mondaro_libreria nome cartella)
  file(GLOB _src CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${cartella}/*.cpp)
  if(_src)
    add_library(${nome} STATIC ${_src})
    target_include_directories(${nome} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${nome} PUBLIC ${ARGN})
    set_target_properties(${nome} PROPERTIES AUTOMOC ON)
    if(NOT ${nome} STREQUAL "platform")
      target_precompile_headers(${nome} REUSE_FROM platform)
    else()
      target_precompile_headers(${nome} PRIVATE ${PROJECT_SOURCE_DIR}/src/platform/pch.h)
    endif()
  else()
    add_library(${nome} INTERFACE)
    target_include_directories(${nome} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${nome} INTERFACE ${ARGN})
  endif()
endfunction()

# One test executable per subsystem folder: tests/<cartella>/*.cpp, linked with
# the given libraries, the shared test support and GoogleTest. Each test case
# runs as its own ctest test so that ctest -j spreads them over the cores.
function(mondaro_test cartella)
  file(GLOB _src CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${cartella}/*.cpp)
  if(NOT _src)
    return()
  endif()
  set(_exe test_${cartella})
  add_executable(${_exe} ${_src})
  target_link_libraries(${_exe} PRIVATE ${ARGN} supporto_test GTest::gtest GTest::gmock)
  set_target_properties(${_exe} PROPERTIES AUTOMOC ON
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_precompile_headers(${_exe} REUSE_FROM supporto_test)
  add_dependencies(${_exe} dist)
  gtest_discover_tests(${_exe}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
