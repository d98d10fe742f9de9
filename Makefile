# make run   install what is missing, build, start the program
# make test  install what is missing, build, run every test
# make       build only (into build/)

BUILD     ?= build
BUILD_TYPE ?= Release
CMAKE     ?= cmake
PROGRAM   := $(BUILD)/tamirel

# Debian packages the build, the tests and the program need.
PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev libgtest-dev fonts-liberation2 xvfb xauth

BENCH_BUILD := build-bench
BENCH_PACKAGES := $(PACKAGES) libbenchmark-dev time

.PHONY: all build run test bench deps clean

all: build

deps:
	@./tools/install-deps $(PACKAGES)

$(BUILD)/build.ninja:
	$(CMAKE) -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: $(BUILD)/build.ninja
	$(CMAKE) --build $(BUILD)

run: deps
	@$(MAKE) --no-print-directory build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display to show the window on: run it as 'xvfb-run -a $(PROGRAM)' or from a desktop session."; \
	  exit 1; \
	fi
	./$(PROGRAM)

test: deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure

# Release build of its own, so the benchmarks never slow an ordinary build.
bench:
	@./tools/install-deps $(BENCH_PACKAGES)
	$(CMAKE) -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMIREL_BUILD_TESTS=OFF -DTAMIREL_BUILD_BENCH=ON
	$(CMAKE) --build $(BENCH_BUILD)
	QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/draw_bench --benchmark_repetitions=7 --benchmark_report_aggregates_only=true
	./bench/startup.sh $(BENCH_BUILD)/bench 15

clean:
	rm -rf $(BUILD) $(BENCH_BUILD)
