# make run   install what is missing, build, start the program
# make test  install what is missing, build, run every test
# make       build only (into build/)
# make docs  the pictures in docs/, from the built program

BUILD     ?= build
BUILD_TYPE ?= Release
CMAKE     ?= cmake
PROGRAM   := $(BUILD)/tamirel

# Debian packages the build, the tests and the program need.
PACKAGES := g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgtest-dev fonts-liberation2 xvfb xauth \
            appstream desktop-file-utils qt6-translations-l10n qt6-l10n-tools locales lintian dpkg-dev file poppler-utils \
            texlive-latex-base texlive-latex-recommended texlive-pictures texlive-lang-cyrillic librsvg2-bin

BENCH_BUILD := build-bench
BENCH_PACKAGES := $(PACKAGES) libbenchmark-dev time

SANITIZE_BUILD := build-sanitize
FUZZ_BUILD := build-fuzz
FUZZ_PACKAGES := $(PACKAGES) clang libclang-rt-14-dev
FUZZ_SECONDS ?= 300
DOCS_PACKAGES := xvfb openbox xdotool imagemagick poppler-utils
PACKAGE_BUILD := build-package
PACKAGE_PACKAGES := $(PACKAGES)

# The browser edition, built with Debian's Emscripten into build-web/.
WEB_BUILD := build-web
WEB_PACKAGES := emscripten nodejs chromium firefox-esr xz-utils esbuild
# Emscripten keeps a cache of its libraries; Debian's is read-only, so each build links to it.
WEB_ENV := EM_CACHE=$(CURDIR)/$(WEB_BUILD)/emcache NODE_PATH=/usr/share/nodejs
SERVE_PORT ?= 8000

.PHONY: all build run test bench sanitize fuzz package deps clean web web-deps web-test serve docs

all: build

deps:
	@./tools/install-deps $(PACKAGES)
	@./tools/enable-locale bg_BG.UTF-8

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

test: deps web-deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && ctest --output-on-failure
	@$(MAKE) --no-print-directory web-test

web-deps:
	@./tools/install-deps $(WEB_PACKAGES)
	@cd web/tests && { [ -d node_modules/puppeteer-core ] && npm ls --silent >/dev/null 2>&1 || npm ci --no-audit --no-fund; }

$(WEB_BUILD)/emcache:
	@mkdir -p $(WEB_BUILD)
	cp -rs /usr/share/emscripten/cache $@.tmp && rm -f $@.tmp/cache.lock && mv $@.tmp $@

web: web-deps $(WEB_BUILD)/emcache
	$(WEB_ENV) emcmake $(CMAKE) -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel
	$(WEB_ENV) $(CMAKE) --build $(WEB_BUILD)
	@echo "The page: $(WEB_BUILD)/site/ (make serve), or the single file $(WEB_BUILD)/tamirel.html"

# The browser tests: the page in Debian's chromium, and the canvas calls against the desktop build's;
# then updates, start-up failures, screens and accessibility in Debian's firefox-esr as well.
WEB_TEST_ENV := TAMIREL_SITE=$(CURDIR)/$(WEB_BUILD)/site TAMIREL_SINGLE=$(CURDIR)/$(WEB_BUILD)/tamirel.html \
  TAMIREL_PARITY_WEB=$(CURDIR)/$(WEB_BUILD)/parity.js TAMIREL_PARITY_NATIVE=$(CURDIR)/$(BUILD)/tests/parity
web-test: web
	@$(MAKE) --no-print-directory build
	$(WEB_TEST_ENV) node --test web/tests/
	$(WEB_TEST_ENV) TAMIREL_BROWSER=firefox node --test web/tests/start.test.mjs web/tests/screens.test.mjs

serve: web
	@echo "Serving $(WEB_BUILD)/site/ on http://127.0.0.1:$(SERVE_PORT)/ (Ctrl+C ends it)"
	cd $(WEB_BUILD)/site && python3 -m http.server $(SERVE_PORT) --bind 127.0.0.1

# Every picture in docs/, made from the built program and the built browser page.
docs: deps web
	@./tools/install-deps $(DOCS_PACKAGES)
	@$(MAKE) --no-print-directory build
	./tools/make-docs $(BUILD) $(WEB_BUILD)

# Release build of its own, so the benchmarks never slow an ordinary build.
bench:
	@./tools/install-deps $(BENCH_PACKAGES)
	$(CMAKE) -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMIREL_BUILD_TESTS=OFF -DTAMIREL_BUILD_BENCH=ON
	$(CMAKE) --build $(BENCH_BUILD)
	QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/draw_bench --benchmark_repetitions=7 --benchmark_report_aggregates_only=true
	$(BENCH_BUILD)/bench/construction_bench --benchmark_repetitions=7 --benchmark_report_aggregates_only=true
	./bench/startup.sh $(BENCH_BUILD)/bench 15
	@$(MAKE) --no-print-directory web
	$(BENCH_BUILD)/bench/crowded_attempt > $(BENCH_BUILD)/crowded.postroi
	TAMIREL_CROWDED=$(BENCH_BUILD)/crowded.postroi node bench/web_bench.mjs $(WEB_BUILD)/site 15

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	$(CMAKE) -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMIREL_SANITIZE=ON
	$(CMAKE) --build $(SANITIZE_BUILD)
	cd $(SANITIZE_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30

# The fuzz targets, each for FUZZ_SECONDS (default 300): the list texts through the polygon
# procedure, and the attempt file's reader; findings are written to $(FUZZ_BUILD)/.
fuzz:
	@./tools/install-deps $(FUZZ_PACKAGES)
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAMIREL_BUILD_TESTS=OFF -DTAMIREL_FUZZ=ON
	$(CMAKE) --build $(FUZZ_BUILD)
	mkdir -p $(FUZZ_BUILD)/corpus
	cd $(FUZZ_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ./tests/fuzz/polygon_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=64 -timeout=10 \
	  -print_final_stats=1 corpus $(CURDIR)/tests/fuzz/seeds
	mkdir -p $(FUZZ_BUILD)/attempt-corpus
	cd $(FUZZ_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ./tests/fuzz/attempt_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=10 \
	  -print_final_stats=1 attempt-corpus $(CURDIR)/tests/fuzz/attempt_seeds

# A Debian package of the program, tamirel_<version>_<arch>.deb, in this folder.
package:
	@./tools/install-deps $(PACKAGE_PACKAGES)
	$(CMAKE) -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMIREL_BUILD_TESTS=OFF
	$(CMAKE) --build $(PACKAGE_BUILD)
	cd $(PACKAGE_BUILD) && cpack
	cp $(PACKAGE_BUILD)/tamirel_*.deb .
	@ls tamirel_*.deb

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) $(WEB_BUILD)
