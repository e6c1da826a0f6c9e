# The two commands (make run, make test) and the longer runs, in front of CMake.
PACKAGES := cmake make g++ clang libclang-rt-14-dev libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev \
            libpng-dev libjpeg62-turbo-dev libgtest-dev libbenchmark-dev pkg-config xvfb xauth xdotool \
            imagemagick valgrind clang-format lintian dpkg-dev
JOBS ?= 2
SECONDS ?= 60
PREFIX ?= /usr/local
CMAKE_CONFIGURE = cmake -S . -Wno-dev
# The browser build's tools, and the folder outside the tree where its libraries are cached.
WEB_PACKAGES := emscripten dpkg-dev chromium node-acorn python3
export QUENDAL_WEB_CACHE ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/quendal-web
WEB_NODE = $(QUENDAL_WEB_CACHE)/node
# A Node that is not Debian's finds Debian's acorn (for emscripten) and our puppeteer-core here.
WEB_NODE_PATH = $(shell dirname "$$(dpkg -L node-acorn | grep -m1 '/acorn$$')"):$(WEB_NODE)/node_modules
WEB_PORT ?= 8000

.PHONY: format-check web web-deps serve-web test-web bench-web run test install package deps build build-asan build-fuzz build-bench bench fuzz soak screenshots pictures clean

# Installs the Debian packages that are missing (needs root and apt-get).
deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

# The tools of the browser build (about 1.3 GB the first time), then puppeteer-core for its tests.
web-deps:
	@missing=""; for p in $(WEB_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi
	@[ -d $(WEB_NODE)/node_modules/puppeteer-core ] || \
	  npm install --prefix $(WEB_NODE) --no-audit --no-fund --loglevel=error puppeteer-core@24

# The game for the browser: build-web/site/ holds the page, the .js, the .wasm and the .data.
# Each step that fails says which it was; the configure step's errors stay on stderr.
web: web-deps
	@prefix=$$(bash web/libs.sh) || { echo "make web: building the libraries (web/libs.sh) failed" >&2; exit 1; }; \
	NODE_PATH=$(WEB_NODE_PATH) emcmake $(CMAKE_CONFIGURE) -B build-web \
	  -DCMAKE_BUILD_TYPE=Release -DQUENDAL_TESTS=OFF -DCMAKE_PREFIX_PATH="$$prefix" \
	  -DCMAKE_FIND_ROOT_PATH="$$prefix" -DCMAKE_CROSSCOMPILING_EMULATOR="$$(command -v node);--no-experimental-fetch" \
	  >/dev/null || { echo "make web: configuring build-web failed" >&2; exit 1; }
	NODE_PATH=$(WEB_NODE_PATH) nice cmake --build build-web -j $(JOBS)

serve-web: web
	@echo "Serving build-web/site/ at http://127.0.0.1:$(WEB_PORT)/ (Ctrl-C stops)"
	cd build-web/site && python3 -m http.server --bind 127.0.0.1 $(WEB_PORT)

# The libraries' first build in an empty cache, then the browser build in headless Chromium, its
# replays compared with the native program's.
test-web: build web
	bash tests/web/libs_first_run.sh
	NODE_PATH=$(WEB_NODE_PATH) node tests/web/web_test.js build-web/site build

bench-web: build web
	NODE_PATH=$(WEB_NODE_PATH) node bench/web.js build-web/site build tests/recordings

build: deps
	$(CMAKE_CONFIGURE) -B build -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

build-asan: deps
	$(CMAKE_CONFIGURE) -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUENDAL_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)

build-fuzz: deps
	CXX=clang++ $(CMAKE_CONFIGURE) -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUENDAL_FUZZ=ON -DQUENDAL_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS)

build-bench: deps
	$(CMAKE_CONFIGURE) -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUENDAL_BENCH=ON -DQUENDAL_TESTS=OFF
	cmake --build build-bench -j $(JOBS)

# Starts the game in build/, beside its assets, font and highScore.txt.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display (DISPLAY is not set). Run it from a desktop session, or under Xvfb: xvfb-run -a make run"; \
	  exit 1; \
	fi
	cd build && ./quendal

# The C++ sources are laid out as clang-format lays them out (.clang-format).
format-check: deps
	@files=$$(git ls-files 'engine/*' 'objects/*' 'game/*' 'tools/*' 'bench/*' 'tests/*' 'fuzz/*' \
	  'examples/*' 'web/*' 2>/dev/null | grep -E '\.(cpp|h)$$') || files=$$(find engine objects game \
	  tools bench tests fuzz examples web -name '*.cpp' -o -name '*.h' 2>/dev/null); \
	clang-format --dry-run --Werror $$files && echo "format-check: $$(echo $$files | wc -w) files as clang-format lays them out"

# Every test: the Release build, the sanitizer build and the short fuzz runs.
# Many tests wait on a game or a window, so ctest runs twice as many as there are cores.
test: format-check build build-asan build-fuzz
	cd build && ctest --output-on-failure -j $$(($(JOBS) * 2))
	cd build-asan && ctest --output-on-failure -j $$(($(JOBS) * 2))
	cd build-fuzz && ctest --output-on-failure -j $(JOBS)

# Builds the engine alone and installs it under PREFIX: the library, its headers, the CMake
# package, the pkg-config file and the default font.
install: deps
	$(CMAKE_CONFIGURE) -B build-install -DCMAKE_BUILD_TYPE=Release -DQUENDAL_GAME=OFF \
	  -DCMAKE_INSTALL_PREFIX="$(PREFIX)"
	cmake --build build-install -j $(JOBS)
	cmake --install build-install

# The game as a Debian package for players: build/quendal-the-warden_<version>_<arch>.deb.
package: build
	cd build && cpack -G DEB

bench: build-bench
	bash bench/run.sh build-bench

fuzz: build-fuzz
	bash fuzz/run.sh build-fuzz $(SECONDS)

soak: build-asan
	cd build-asan && KILL_LOOP_SAVES=1000 ctest -V -R 'reliability_(kill_loop|write_)' >soak.log; \
	  status=$$?; grep -E 'kills:|Passed|Failed|Skipped' soak.log; exit $$status

screenshots: build
	bash tools/screenshots.sh build/quendal .

pictures: build
	cmake --build build --target pictures

clean:
	rm -rf build build-asan build-fuzz build-bench build-web build-install
