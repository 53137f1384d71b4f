# The build's rules in one place: every target links qrn_common.
add_library(qrn_common INTERFACE)
target_compile_features(qrn_common INTERFACE cxx_std_20)
# Includes name their folder from the repository's root: #include "core/catalogue.h".
target_include_directories(qrn_common INTERFACE ${PROJECT_SOURCE_DIR})
# Headers made at configure time keep the same naming, from their own root in the build folder:
# #include "base/version.h".
configure_file(${PROJECT_SOURCE_DIR}/base/version.h.in
               ${PROJECT_BINARY_DIR}/generated/base/version.h @ONLY)
target_include_directories(qrn_common INTERFACE ${PROJECT_BINARY_DIR}/generated)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
target_compile_options(qrn_common INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                            -Wno-sign-conversion)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 reports std::u16string assignments from literals as overlapping copies at -O2,
    # a false positive of its own (its bug 105329).
    target_compile_options(qrn_common INTERFACE -Wno-restrict)
endif()
if(WIN32)
    # The wide-character Windows API, without windows.h's min and max macros.
    target_compile_definitions(qrn_common INTERFACE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
endif()
if(QRN_WERROR)
    target_compile_options(qrn_common INTERFACE -Werror)
endif()
if(QRN_SANITIZE)
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(qrn_common INTERFACE ${_san})
    target_link_options(qrn_common INTERFACE ${_san})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC's flow-based warnings misfire on the instrumented code (in libstdc++'s string
        # copies, for one); the sanitizers check the same faults at run time.
        target_compile_options(qrn_common INTERFACE -Wno-restrict -Wno-stringop-overflow
                                                    -Wno-stringop-overread -Wno-maybe-uninitialized)
    endif()
endif()
if(QRN_BUILD_FUZZ)
    # Coverage for libFuzzer in every library; the fuzz programs add the fuzzer's own main.
    target_compile_options(qrn_common INTERFACE -fsanitize=fuzzer-no-link)
    target_link_options(qrn_common INTERFACE -fsanitize=fuzzer-no-link)
endif()
