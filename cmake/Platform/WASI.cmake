# The WebAssembly System Interface as a CMake platform: programs are .wasm
# modules, libraries only static. Found through CMAKE_MODULE_PATH
# (cmake/wasm32-wasi.cmake); sets WASI for the project's own branches.
set(WASI 1)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set_property(GLOBAL PROPERTY TARGET_SUPPORTS_SHARED_LIBS FALSE)
# Every module is linked, then shrunk by Binaryen's optimizer for size
# (about a tenth), the test programs too, so that they test the code the
# page runs. WebAssembly 1.0 only, as the compiler was told; IEEE arithmetic
# stays exact (no fast-math).
find_program(WASM_OPT wasm-opt REQUIRED)
set(CMAKE_CXX_LINK_EXECUTABLE
    "<CMAKE_CXX_COMPILER> <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>"
    "${WASM_OPT} -Oz --mvp-features <TARGET> -o <TARGET>")
