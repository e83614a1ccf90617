# Cross-building for arm64 Linux with Debian's aarch64-linux-gnu GCC, against
# the arm64 libraries installed beside the host's (dpkg --add-architecture
# arm64; Qt's arm64 development package is Multi-Arch: same). Qt's build
# tools (moc, rcc) are the host's. Tests run under qemu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(QT_HOST_PATH /usr)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
