#!/bin/sh
# Builds the libraries the toolkit's Debian headers ask for (libpng, libjpeg), and GoogleTest, for 64-bit Windows, from
# Debian's own source packages, into a sysroot that later builds reuse: Debian ships no MinGW builds of them.
# zlib comes from libz-mingw-w64-dev. The machine's apt configuration is never changed: the source list,
# its indexes and the downloads live in the sysroot's own folder.
#   tools/windows-sysroot.sh SYSROOT
set -eu

sysroot=$(realpath -m "$1")
host=x86_64-w64-mingw32
# Rebuilt whenever this script changes.
stamp="$sysroot/.built-$(sha256sum "$0" | cut -c1-16)"
[ -f "$stamp" ] && exit 0
rm -rf "$sysroot"

work="$sysroot/.work"
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src" "$sysroot/include" "$sysroot/lib"

cat > "$work/apt/sources.list" <<LIST
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian-security bookworm-security main
LIST

aptOptions="-o Dir::Etc::SourceList=$work/apt/sources.list -o Dir::Etc::SourceParts=/nonexistent \
 -o Dir::State::Lists=$work/apt/lists -o Dir::Cache=$work/apt/cache -o Debug::NoLocking=1 \
 -o APT::Sandbox::User=root"
# shellcheck disable=SC2086
apt-get $aptOptions -q update
cd "$work/src"
# The newest source first (security updates); a mirror that lacks it gets the release's own.
for package in libpng1.6 libjpeg-turbo; do
    # shellcheck disable=SC2086
    apt-get $aptOptions -q source "$package" \
        || apt-get $aptOptions -q source "$package/bookworm"
done

jobs=$(nproc)
export CC="$host-gcc-posix" AR="$host-ar" RANLIB="$host-ranlib"

# libpng: static, against MinGW's zlib.
cd "$work/src"/libpng1.6-*/
./configure -q --host="$host" --prefix="$sysroot" --enable-static --disable-shared \
    CPPFLAGS="-I/usr/$host/include" LDFLAGS="-L/usr/$host/lib"
make -s -j"$jobs" install

# libjpeg-turbo: static, without the SIMD code (it would need nasm and gains nothing for icons and
# pictures the size of ours). The toolkit's loader also reads jpegint.h, which the install leaves out.
cd "$work/src"/libjpeg-turbo-*/
cmake -S . -B build -G "Unix Makefiles" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86_64 -DCMAKE_C_COMPILER="$CC" \
    -DCMAKE_RC_COMPILER="$host-windres" -DCMAKE_INSTALL_PREFIX="$sysroot" -DCMAKE_BUILD_TYPE=Release \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=ON
cmake --build build --parallel "$jobs" --target install
cp jpegint.h "$sysroot/include/"
# jconfig.h leaves "boolean" to windows.h when that came first; the toolkit includes jpeglib.h inside a
# namespace of its own after windows.h, and looks for it there. Repeating the same typedef is harmless.
sed -i 's|^#ifndef __RPCNDR_H__ .*|#if 1 /* always: the toolkit wants it in its own namespace */|' "$sysroot/include/jconfig.h"

# GoogleTest for the unit tests, from the sources Debian ships in googletest.
cmake -S /usr/src/googletest -B "$work/googletest" -G "Unix Makefiles" -DCMAKE_SYSTEM_NAME=Windows \
    -DCMAKE_SYSTEM_PROCESSOR=x86_64 -DCMAKE_C_COMPILER="$CC" -DCMAKE_CXX_COMPILER="$host-g++-posix" \
    -DCMAKE_INSTALL_PREFIX="$sysroot" -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
cmake --build "$work/googletest" --parallel "$jobs" --target install

rm -rf "$work"
touch "$stamp"
