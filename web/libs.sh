#!/usr/bin/env bash
# Builds the game's libraries for WebAssembly from Debian's own source packages, at the versions
# the native build links, once into a cache folder keyed by those versions; prints its prefix.
# Usage: libs.sh (QUENDAL_WEB_CACHE names the cache folder; JOBS the parallel compile jobs).
set -eEuo pipefail
# Whatever fails says so: the command and its line (a step's own failure also shows its log).
trap 'status=$?; echo "libs.sh: line $LINENO: \"$BASH_COMMAND\" failed with status $status" >&2' ERR

CACHE=${QUENDAL_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quendal-web}
# source package:the installed binary package whose version the web build must match
PACKAGES=(zlib:zlib1g libpng1.6:libpng16-16 libjpeg-turbo:libjpeg62-turbo freetype:libfreetype6
          harfbuzz:libharfbuzz0b libsdl2:libsdl2-2.0-0 libsdl2-ttf:libsdl2-ttf-2.0-0
          libsdl2-image:libsdl2-image-2.0-0)

sources=()
for entry in "${PACKAGES[@]}"; do
  sources+=("${entry%%:*}=$(dpkg-query -W -f='${source:Version}' "${entry#*:}")")
done
key=$( { printf '%s\n' "${sources[@]}"; emcc --version | sed -n 1p; cat "$0"; } | sha256sum | cut -c1-16)
PREFIX=$CACHE/libs-$key
WORK=$CACHE/work-$key
if [ -f "$PREFIX/.complete" ]; then
  echo "$PREFIX"
  exit 0
fi
mkdir -p "$PREFIX" "$WORK"
exec 9>"$CACHE/build.lock"
flock 9
[ -f "$PREFIX/.complete" ] && { echo "$PREFIX"; exit 0; }

# A private apt state: deb-src entries made from the system's own deb entries; the system's apt
# configuration is only read.
APT=$CACHE/apt
apt_options=(-o "Dir::Etc::SourceList=$APT/sources.list" -o "Dir::Etc::SourceParts=$APT/sources.list.d"
             -o "Dir::State::Lists=$APT/lists" -o "Dir::Cache=$APT/cache" -o "APT::Sandbox::User=root"
             -o "Debug::NoLocking=true")
fetch_sources() {
  rm -rf "$APT/sources.list.d"
  mkdir -p "$APT/lists/partial" "$APT/cache/archives/partial" "$APT/sources.list.d"
  : > "$APT/sources.list"
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ ! -f "$file" ] || sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >> "$APT/sources.list"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ ! -f "$file" ] || sed -E 's/^Types:.*/Types: deb-src/' "$file" > "$APT/sources.list.d/${file##*/}"
  done
  echo "Fetching the library sources: ${sources[*]}" >&2
  apt-get "${apt_options[@]}" -qq update >&2
  # The installed version first; when the archive no longer serves it (a security update since),
  # the other versions it lists, newest first.
  for source in "${sources[@]}"; do
    local name=${source%%=*} version fetched=""
    local listed
    listed=$(apt-cache "${apt_options[@]}" showsrc "$name" | sed -n 's/^Version: //p' | sort -u | sort -rV)
    for version in "${source#*=}" $(grep -vxF "${source#*=}" <<<"$listed" || true); do
      grep -qxF "$version" <<<"$listed" || continue
      if (cd "$WORK" && apt-get "${apt_options[@]}" -qq source "$name=$version" > "$WORK/fetch.log" 2>&1); then
        fetched=$version
        break
      fi
    done
    if [ -z "$fetched" ]; then
      [ ! -f "$WORK/fetch.log" ] || tail -5 "$WORK/fetch.log" >&2
      echo "libs.sh: no source of $name could be fetched (versions listed: ${listed:-none})" >&2
      exit 1
    fi
    [ "$fetched" = "${source#*=}" ] || echo "Note: building $name $fetched (installed: ${source#*=})" >&2
  done
  touch "$WORK/.fetched"
}
[ -f "$WORK/.fetched" ] || fetch_sources

export NODE_PATH=${NODE_PATH:-$(dirname "$(dpkg -L node-acorn | grep -m1 '/acorn$')")}
# Configure checks run their test programs in Node: without its own fetch (a newer Node's would
# break the generated loader) and without the flag emcmake adds, which a newer Node rejects.
EMULATOR="$(command -v node);--no-experimental-fetch"
# Runs a build step once: step NAME COMMAND...; its log is kept beside the sources on failure.
step() {
  local name=$1
  shift
  [ -f "$PREFIX/.built-$name" ] && return
  echo "Building $name for WebAssembly" >&2
  "$@" > "$WORK/$name.log" 2>&1 || { tail -30 "$WORK/$name.log" >&2; echo "libs.sh: $name failed" >&2; exit 1; }
  touch "$PREFIX/.built-$name"
}
with_cmake() {  # with_cmake SOURCE-PACKAGE CMAKE-OPTIONS...
  local dir
  dir=$(source_dir "$1")
  shift
  nice emcmake cmake -S "$dir" -B "$dir/build-web" -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_FIND_ROOT_PATH="$PREFIX" \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_CROSSCOMPILING_EMULATOR="$EMULATOR" "$@" &&
  nice cmake --build "$dir/build-web" -j "${JOBS:-2}" --target install
}
source_dir() { ls -d "$WORK/$1"-[0-9]*/ | head -1; }

# zlib's CMake build wants the Windows files the Debian source leaves out; its configure is fine.
zlib() (
  cd "$(source_dir zlib)" && nice emconfigure ./configure --static --prefix="$PREFIX" &&
  nice emmake make -j "${JOBS:-2}" install
)
# SDL2's configure step is the slow one and runs on one core: it goes on beside the others.
step sdl2 with_cmake libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF &
sdl2=$!
# A step that fails stops SDL2's build too; once SDL2's build has ended there is nothing to stop.
trap 'kill "$sdl2" 2>/dev/null || true' EXIT
step zlib zlib
step libpng with_cmake libpng1.6 -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
step libjpeg with_cmake libjpeg-turbo -DENABLE_SHARED=OFF -DWITH_SIMD=OFF \
  -DWITH_TURBOJPEG=OFF
step freetype with_cmake freetype -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
# SDL2_ttf lays text out with HarfBuzz in the native build, so the browser's text is placed alike.
step harfbuzz with_cmake harfbuzz -DHB_HAVE_FREETYPE=ON -DHB_HAVE_GLIB=OFF \
  -DHB_HAVE_ICU=OFF -DHB_HAVE_GOBJECT=OFF -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Threads=ON
wait "$sdl2" || exit 1
trap - EXIT
step sdl2-ttf with_cmake libsdl2-ttf -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON \
  -DSDL2TTF_SAMPLES=OFF
# The native build decodes pictures with libjpeg-turbo and libpng, not SDL2_image's own decoders.
step sdl2-image with_cmake libsdl2-image -DSDL2IMAGE_VENDORED=OFF \
  -DSDL2IMAGE_BACKEND_STB=OFF -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
  -DSDL2IMAGE_JPG=ON -DSDL2IMAGE_PNG=ON -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF \
  -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_BMP=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_LBM=OFF \
  -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF \
  -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF -DSDL2IMAGE_XV=OFF
rm -rf "$WORK"
touch "$PREFIX/.complete"
echo "$PREFIX"
