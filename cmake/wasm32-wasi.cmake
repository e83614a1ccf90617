# Building for the browser: WebAssembly 1.0 modules with Debian's clang 14,
# wasi-libc and libc++ for wasm32-wasi (their sysroot is clang's default for
# the target). No threads, no SIMD, no exceptions: -mcpu=mvp keeps the code
# to the first version of WebAssembly. Test programs run under Node's WASI.
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
# CMake has no WASI platform of its own: ours is cmake/Platform/WASI.cmake.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)
set(CMAKE_C_FLAGS_INIT "-mcpu=mvp")
set(CMAKE_CXX_FLAGS_INIT "-mcpu=mvp -fno-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--gc-sections")
# Test programs run under Node's WASI (scripts/wasi-run).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wasi-run)
