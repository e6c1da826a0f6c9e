# The two commands (make run, make test) and the longer runs, in front of CMake.
PACKAGES := cmake make g++ clang libclang-rt-14-dev libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev \
            libpng-dev libjpeg62-turbo-dev libgtest-dev libbenchmark-dev pkg-config xvfb xauth xdotool \
            imagemagick valgrind
JOBS ?= 2
SECONDS ?= 60
PREFIX ?= /usr/local
CMAKE_CONFIGURE = cmake -S . -Wno-dev

.PHONY: run test install deps build build-asan build-fuzz build-bench bench fuzz soak screenshots pictures clean

# Installs the Debian packages that are missing (needs root and apt-get).
deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

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

# Every test: the Release build, the sanitizer build and the short fuzz runs.
test: build build-asan build-fuzz
	cd build && ctest --output-on-failure -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)
	cd build-fuzz && ctest --output-on-failure

# Installs the engine library, its headers, CMake package and pkg-config file under PREFIX.
install: build
	cmake --install build --prefix "$(PREFIX)"

bench: build-bench
	bash bench/run.sh build-bench

fuzz: build-fuzz
	bash fuzz/run.sh build-fuzz $(SECONDS)

soak: build-asan
	bash tests/soak.sh build-asan

screenshots: build
	cd build && ./screenshots ../docs

pictures: build
	cmake --build build --target pictures

clean:
	rm -rf build build-asan build-fuzz build-bench
