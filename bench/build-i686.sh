#!/bin/sh
# Builds plain_chorus_bench for the target of the 32-bit Windows DLL (i686, SSE2 maths, the same
# compiler and flags as the win32 preset) from the chorus sources of this tree, or of the tree
# given as $1 (to compare with an older commit's sources). Run the result under Wine:
#   bench/build-i686.sh && wine build/i686-bench/plain_chorus_bench.exe
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-$here}
out=${OUT:-$here/build/i686-bench}
mkdir -p "$out"
command -v i686-w64-mingw32-g++-posix >/dev/null || { echo "build-i686.sh: i686-w64-mingw32-g++-posix is missing (apt-get install g++-mingw-w64-i686)" >&2; exit 1; }
i686-w64-mingw32-g++-posix -std=c++17 -O2 -DNDEBUG -msse2 -mfpmath=sse -Wall -Wextra \
    -Wa,-muse-unaligned-vector-move \
    -I"$tree/chorus" -I"$tree/framework" -I"$here/bench" \
    "$here/bench/PlainChorusBench.cpp" "$tree"/chorus/*.cpp "$tree"/framework/*.cpp \
    -static -static-libgcc -static-libstdc++ -o "$out/plain_chorus_bench.exe"
echo "$out/plain_chorus_bench.exe"
