# Set-up, build, run and test over CMake. `make run` starts the program; `make test` runs every
# test (format check, plain build, the fuzzers, AddressSanitizer + UndefinedBehaviorSanitizer, then
# ThreadSanitizer).
BUILD ?= build
SAN_BUILD ?= build-san
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ make qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev \
	libbenchmark-dev libmuparser-dev clang libclang-rt-14-dev locales xvfb xauth \
	fonts-dejavu-core fonts-liberation qt6-translations-l10n qt6-l10n-tools qt6-tools-dev clang-format \
	desktop-file-utils appstream shared-mime-info dpkg-dev poppler-utils

.PHONY: deps locale configure build run test test-plain test-san test-tsan test-fuzz bench clean \
	format format-check deb

# Installs what is missing (Debian 12, as root or through sudo).
deps:
	@if ! dpkg -s $(PACKAGES) >/dev/null 2>&1; then \
		SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
		$$SUDO apt-get update && \
		DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y --no-install-recommends $(PACKAGES); \
	fi
	@$(MAKE) --no-print-directory locale

# The number text tests run once under a locale with the decimal comma.
locale:
	@if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf8$$'; then \
		SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
		$$SUDO sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen && $$SUDO locale-gen; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/tarvik

test: deps format-check test-plain test-fuzz test-san test-tsan

test-plain:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-san:
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVIK_SANITIZE=ON -DTARVIK_BENCH=OFF
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# ThreadSanitizer over every test: the plot, the integral and the window's background work.
# The canary first: a race of our own between a slot and a thread that the suppressions must
# leave visible.
TSAN_ENV = QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$(CURDIR)/tests/tsan.supp
test-tsan:
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_TSAN=ON -DTARVIK_BENCH=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	cd $(TSAN_BUILD) && $(TSAN_ENV) ctest --output-on-failure -R '^tsan\.Canary$$'
	cd $(TSAN_BUILD) && $(TSAN_ENV) ctest --output-on-failure -j $(JOBS)

test-fuzz:
	CXX=clang++ CC=clang cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVIK_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run_all.sh $(FUZZ_BUILD)

# The project's C++ files (the build folders left out), formatted by the root .clang-format.
FORMAT_FILES = $(shell find . \( -path './build*' -o -path './.git' \) -prune -o -type f \
	\( -name '*.cpp' -o -name '*.h' \) -print | sort)

# Formats every file in place.
format:
	clang-format -i $(FORMAT_FILES)

# Fails when a file is not formatted; changes nothing.
format-check:
	clang-format --dry-run -Werror $(FORMAT_FILES)

# The Debian package (tarvik_VERSION_ARCH.deb in the build folder), installing under /usr.
deb: build
	cd $(BUILD) && cpack -G DEB

# BENCH_ARGS go to the benchmark program, e.g. its filter or repetitions.
bench: build
	$(BUILD)/bin/tarvik_bench $(BENCH_ARGS)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
