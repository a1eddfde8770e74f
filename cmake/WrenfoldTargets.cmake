# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Wrenfold developers

# Flags every project target compiles with.
function(wrenfold_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_TO_ASCII
        QT_RESTRICTED_CAST_FROM_ASCII
        QT_NO_URL_CAST_FROM_STRING
        QT_USE_QSTRINGBUILDER)
endfunction()

# A static library for one layer: every .cpp/.h below the folder belongs to it.
function(wrenfold_add_layer target)
    cmake_parse_arguments(ARG "" "" "PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    wrenfold_target_defaults(${target})
endfunction()

# One test executable per area: every .cpp in tests/<area>/ plus the shared support.
# GUI tests get a QApplication and run offscreen.
function(wrenfold_add_test_area area)
    cmake_parse_arguments(ARG "GUI" "" "LIBS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/${area}/*.h)
    set(target test_${area})
    add_executable(${target} ${sources} ${PROJECT_SOURCE_DIR}/tests/support/test_main.cpp)
    target_link_libraries(${target} PRIVATE wrenfold_test_support ${ARG_LIBS}
        GTest::gtest GTest::gmock Qt6::Test)
    if(ARG_GUI)
        target_compile_definitions(${target} PRIVATE WRENFOLD_TEST_GUI)
        target_link_libraries(${target} PRIVATE Qt6::Widgets)
    endif()
    wrenfold_target_defaults(${target})
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8"
        TIMEOUT 900)
    # Once more far from UTC (UTC+14, so the local and the UTC day differ most of the
    # time) and in German, where dates and numbers read differently.
    add_test(NAME ${target}_kiritimati_de COMMAND ${target})
    set_tests_properties(${target}_kiritimati_de PROPERTIES
        ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;TZ=Pacific/Kiritimati;LC_ALL=de_DE.UTF-8;LANG=de_DE.UTF-8"
        TIMEOUT 900)
endfunction()
