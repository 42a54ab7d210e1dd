# Two commands for a newcomer: `make run` and `make test`. Both install what
# is missing from Debian's packages first.
BUILD      ?= build
BENCH_BUILD ?= build-bench
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
FUZZ_SECONDS ?= 60
SOAK_BUILD ?= build-soak
SOAK_SECONDS ?= 60
SOAK_SEED  ?=
CMAKE_GEN  := -G Ninja

PREFIX     ?= /usr/local
DESTDIR    ?=

.PHONY: all deps configure build run test test-asan bench fuzz soak clean install uninstall

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/src/app/quendavore

# Every test of the program, then the layers without Qt once more under
# AddressSanitizer and UndefinedBehaviorSanitizer.
test: build test-asan
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DQV_WITH_QT=OFF -DQV_BENCHMARKS=OFF -DQV_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# Figures are taken from an optimised build of their own, not the test build.
# Each figure is the median of BENCH_REPS runs; the run ends with the ratios
# measured in it, one "ratio NAME VALUE" line each, after the figures stated
# on their own ("figure NAME VALUE", milliseconds).
BENCH_REPS ?= 5
bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_BUILD) -j$(JOBS) --target bench_calc bench_chart bench_analyze bench_optimise
	@: > $(BENCH_BUILD)/ratios.txt
	@for b in $(BENCH_BUILD)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; \
	    $$b --benchmark_repetitions=$(BENCH_REPS) --benchmark_report_aggregates_only=true --benchmark_color=false \
	      > $(BENCH_BUILD)/bench.out || { cat $(BENCH_BUILD)/bench.out; exit 1; }; \
	    grep -Ev '^(ratio|figure) ' $(BENCH_BUILD)/bench.out; { grep -E '^(ratio|figure) ' $(BENCH_BUILD)/bench.out >> $(BENCH_BUILD)/ratios.txt || true; }; \
	  fi; \
	done
	@grep '^figure ' $(BENCH_BUILD)/ratios.txt || true
	@grep '^ratio ' $(BENCH_BUILD)/ratios.txt

# Every target for FUZZ_SECONDS. A finding (crash-, timeout-, leak-, oom-
# file) is written into the target's seeds, so make test replays it from
# then on as a regression case. Each target gets a temporary folder of its
# own as TMPDIR, removed after it however the run ended.
fuzz:
	@scripts/install-deps fuzz
	CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQV_WITH_QT=OFF -DQV_BENCHMARKS=OFF -DQV_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	@for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
	  t=$$(basename $$f); echo "== $$f ($(FUZZ_SECONDS) s)"; \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  scratch=$$(mktemp -d) || exit 1; \
	  TMPDIR=$$scratch $$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -artifact_prefix=fuzz/seeds/$$t/ \
	    $(FUZZ_BUILD)/corpus/$$t fuzz/seeds/$$t; status=$$?; \
	  rm -rf "$$scratch"; [ $$status -eq 0 ] || exit 1; \
	done

# The whole program, pages included, under AddressSanitizer and
# UndefinedBehaviorSanitizer (Qt itself is not instrumented), driven offscreen
# by random user actions for SOAK_SECONDS. SOAK_SEED replays a run; any
# sanitizer report, crash or Qt fatal message fails it.
soak: deps
	cmake -S . -B $(SOAK_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DQV_BENCHMARKS=OFF -DQV_SANITIZE=ON
	cmake --build $(SOAK_BUILD) -j$(JOBS) --target quendavore_soak
	ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/soak/lsan.supp \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
	  $(SOAK_BUILD)/soak/quendavore_soak --seconds $(SOAK_SECONDS) $(if $(SOAK_SEED),--seed $(SOAK_SEED))

# Installs under $(DESTDIR)$(PREFIX); the list of what went where (without
# DESTDIR) stays in $(BUILD)/install_manifest.txt for uninstall, which takes
# the same DESTDIR.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

uninstall:
	@if [ ! -f $(BUILD)/install_manifest.txt ]; then echo "nothing installed from $(BUILD)"; exit 1; fi
	@while IFS= read -r f || [ -n "$$f" ]; do rm -fv "$(DESTDIR)$$f"; done < $(BUILD)/install_manifest.txt
	@rm -f $(BUILD)/install_manifest.txt

clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(SOAK_BUILD)
