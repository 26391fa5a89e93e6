# The two commands of the README, plus the benchmarks and the checks CI runs.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test bench bench-startup bench-latency test-sanitize fuzz deb check-deb clean

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DVELMORA_WERROR=$(if $(WERROR),ON,OFF) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./$(BUILD)/velmora

test: build
	@./scripts/run-tests.sh $(BUILD)

bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@for b in build-bench/*_bench; do echo "== $$b"; $$b --benchmark_min_time=0.1 --benchmark_repetitions=7 --benchmark_report_aggregates_only=true; done

test-sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=0 ./scripts/run-tests.sh build-sanitize

clean:
	rm -rf build build-bench build-sanitize build-fuzz build-deb

# Start-up time and peak memory of the editor against a bare Qt window of the same shape.
bench-startup: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j $(JOBS) --target velmora bare_window
	@./bench/startup/measure.sh " Bare" 7 build-bench/bare_window
	@./bench/startup/measure.sh " Velmora" 7 build-bench/velmora

bench-latency: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-bench -j $(JOBS) --target velmora
	@./bench/latency/measure.sh build-bench/velmora 3 400

# Each fuzz target in turn, run for FUZZ_SECONDS (30 by default); needs clang.
FUZZ_SECONDS ?= 30
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON -DVELMORA_BUILD_QT=OFF -DVELMORA_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-fuzz --target wbmp_reader_fuzz open_fuzz paste_fuzz -j $(JOBS)
	@mkdir -p build-fuzz/corpus
	@./build-fuzz/fuzz/wbmp_reader_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=1200 build-fuzz/corpus fuzz/seeds
	@mkdir -p build-fuzz/corpus-open build-fuzz/paste-corpus
	@./build-fuzz/fuzz/open_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=1200 build-fuzz/corpus-open fuzz/open_seeds
	@./build-fuzz/fuzz/paste_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=5 -rss_limit_mb=1024 \
		build-fuzz/paste-corpus fuzz/paste_seeds

# The Debian package build-deb/velmora_<version>_<arch>.deb, from a Release build with Debian's
# hardening flags; only the programs are built (the editor and its thumbnailer), so no test program
# can end up in the package.
deb: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
deb: deps
	@cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build build-deb -j $(JOBS) --target velmora velmora-thumbnailer
	@cd build-deb && cpack -G DEB

# lintian's verdict on the package, then the package installed with apt, the installed program tried
# under Xvfb and the package removed again (as root, on a machine without velmora installed).
check-deb: deb
	@lintian --fail-on error,warning build-deb/velmora_*.deb
	@python3 tests/package/check_installed.py build-deb/velmora_*.deb
