# Cross build for 64-bit ARM Linux with Debian's crossbuild-essential-arm64,
# against the :arm64 development packages installed beside the machine's own
# through multiarch (scripts/install-deps --arm64). They live in the usual
# root under /usr/lib/aarch64-linux-gnu, which CMake searches once the
# compiler names that library architecture.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config)
# What runs an arm64 program here, for tests that run one.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
