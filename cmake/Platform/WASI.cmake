# The WebAssembly System Interface as a CMake platform: programs are .wasm
# modules, libraries only static. Found through CMAKE_MODULE_PATH
# (cmake/wasm32-wasi.cmake); sets WASI for the project's own branches.
set(WASI 1)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set_property(GLOBAL PROPERTY TARGET_SUPPORTS_SHARED_LIBS FALSE)
