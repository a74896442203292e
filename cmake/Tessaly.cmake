# Shared build settings and the helpers that every module folder uses.

# Warnings are on everywhere and kept clean; TESSALY_WERROR (on in the test build) makes each an
# error. Implicit conversions that may change a value or its sign, and C-style casts, are among
# them: a conversion says so with static_cast.
option(TESSALY_WERROR "Treat compiler warnings as errors" OFF)
add_compile_options(-Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wno-missing-field-initializers
                    -Wconversion -Wsign-conversion -Wold-style-cast)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wshadow=local)
endif()
if(TESSALY_WERROR)
    add_compile_options(-Werror)
endif()
# The engine's overflow and NaN checks rely on IEEE arithmetic.
add_compile_options(-fno-fast-math)

if(TESSALY_SANITIZE)
    set(_san -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
             -fno-omit-frame-pointer)
    add_compile_options(${_san})
    add_link_options(${_san})
endif()
if(TESSALY_FUZZ)
    # Coverage instrumentation for all code a fuzz target reaches; the targets add the driver.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# tessaly_module(<target> [DEPS ...]): a static library of every source in the current folder.
# A folder without sources yet becomes an interface library, so dependants configure either way.
function(tessaly_module target)
    cmake_parse_arguments(M "" "" "DEPS" ${ARGN})
    file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(GLOB _qrc CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    if(_src)
        add_library(${target} STATIC ${_src} ${_hdr} ${_qrc})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} PUBLIC ${M_DEPS})
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} INTERFACE ${M_DEPS})
    endif()
endfunction()
