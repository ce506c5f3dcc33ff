# shellcheck shell=bash
# The three build trees, from the same sources:
#   build/native  g++ on Linux: the portable core and its unit tests
#   build/win     mingw-w64: BANCHIRO.EXE, the e2e runner and its helpers
#   build/fuzz    clang with libFuzzer and sanitizers

BUILD_ROOT=${BUILD_ROOT:-$ROOT/build}

build_native() {
  cmake -S "$ROOT" -B "$BUILD_ROOT/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$BUILD_ROOT/native"
}

build_windows() {
  cmake -S "$ROOT" -B "$BUILD_ROOT/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$BUILD_ROOT/win"
}

build_fuzz() {
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD_ROOT/fuzz" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBANCHIRO_FUZZ=ON >/dev/null
  cmake --build "$BUILD_ROOT/fuzz"
}

# Every C++ file of ours that clang-format must leave unchanged.
formatted_sources() {
  git -C "$ROOT" ls-files --cached --others --exclude-standard -- \
    'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'relay/*.h' 'relay/*.cpp' \
    'bench/*.h' 'bench/*.cpp' | sed "s|^|$ROOT/|"
}
