# cardgames_module(<target> [QT] [DEPS <libs...>] [LABELS <labels...>])
#
# Builds every *.cpp of the calling folder into the static library <target>
# and every *.cpp of its tests/ folder into <target>_tests, registered with
# CTest, with the given ctest LABELS (net: the tests open loopback sockets).
# Files are picked up by glob, so adding a source file needs no edit here.
# QT switches on moc/uic/rcc and gives the tests a QApplication.
# With CARDGAMES_FUZZ every *.cpp of its fuzz/ folder becomes the libFuzzer
# executable fuzz_<name> instead, and no tests are built.
function(cardgames_module target)
  cmake_parse_arguments(M "QT" "" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${M_DEPS})
  if(M_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
    target_link_libraries(${target} PUBLIC Qt6::Widgets)
  endif()

  if(CARDGAMES_FUZZ)
    file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*.cpp)
    foreach(fuzz_source IN LISTS fuzz_sources)
      get_filename_component(fuzz_name ${fuzz_source} NAME_WE)
      add_executable(fuzz_${fuzz_name} ${fuzz_source})
      target_link_libraries(fuzz_${fuzz_name} PRIVATE ${target})
      target_link_options(fuzz_${fuzz_name} PRIVATE -fsanitize=fuzzer)
      if(M_QT)
        set_target_properties(fuzz_${fuzz_name} PROPERTIES AUTOMOC ON)
      endif()
    endforeach()
    return()
  endif()

  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(test_sources)
    add_executable(${target}_tests ${test_sources})
    target_link_libraries(${target}_tests PRIVATE ${target} GTest::gmock)
    if(M_QT)
      set_target_properties(${target}_tests PROPERTIES AUTOMOC ON)
      target_sources(${target}_tests PRIVATE ${CMAKE_SOURCE_DIR}/testsupport/QtTestMain.cpp)
      target_link_libraries(${target}_tests PRIVATE GTest::gtest Qt6::Test)
    else()
      target_link_libraries(${target}_tests PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${target}_tests PRIVATE
      CARDGAMES_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      CARDGAMES_BINARY_DIR="${CMAKE_BINARY_DIR}")
    if(M_LABELS)
      gtest_discover_tests(${target}_tests
        DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS "${M_LABELS}"
                   ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy")
    else()
      gtest_discover_tests(${target}_tests
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy")
    endif()
  endif()
endfunction()
