# The instrumentation of a fuzzing build tree, for every library the targets link. libFuzzer
# comes with clang only. The targets themselves add -fsanitize=fuzzer (fuzz/CMakeLists.txt), which
# brings libFuzzer's own main.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUORNA_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
if(QUORNA_SANITIZE)
    message(FATAL_ERROR "QUORNA_FUZZ brings its own sanitizers: leave QUORNA_SANITIZE off")
endif()

if(QUORNA_FUZZ_COPERTURA)
    # Replaying a corpus with source-based coverage: no sanitizers, so that what is counted is
    # the code's own lines.
    add_compile_options(-fprofile-instr-generate -fcoverage-mapping)
    add_link_options(-fprofile-instr-generate)
else()
    # Any undefined behaviour ends the run like a memory error, so libFuzzer keeps the input.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()
