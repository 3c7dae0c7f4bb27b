# make run   builds and starts the modeller
# make test  builds and runs every test, plainly and under the sanitizers
# make bench builds and runs the frame-time and undo-history benchmarks
# make fuzz  builds the readers' fuzz targets with clang and runs each for
#            FUZZ_SECONDS (default 300) on a scratch copy of the seed corpus
# make pictures draws the README's pictures from the example sessions
# make examples makes the example sessions again with the modeller (Xvfb, xdotool)
JOBS ?= 2
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS ?= 300
FUZZ_TARGETS := session code
PREFIX ?= /usr/local
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"
export ASAN_OPTIONS := detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS := suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS := print_stacktrace=1:halt_on_error=1

.PHONY: all deps build build-asan run test test-plain test-asan bench fuzz pictures examples install clean

all: build

deps:
	@bash tools/deps.sh

$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/Makefile:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DSILMOD_SANITIZE=ON

build: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS)

build-asan: deps $(ASAN_BUILD)/Makefile
	cmake --build $(ASAN_BUILD) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY" ]; then \
	  echo "silmod needs an X display: set DISPLAY, or start it with xvfb-run ./$(BUILD)/silmod"; \
	  exit 1; fi
	./$(BUILD)/silmod

test: test-plain test-asan

test-plain: build
	$(XVFB) ctest --test-dir $(BUILD) -j$(JOBS) --output-on-failure

test-asan: build-asan
	$(XVFB) ctest --test-dir $(ASAN_BUILD) -j$(JOBS) --output-on-failure

bench: build
	$(XVFB) ./$(BUILD)/frame_bench
	./$(BUILD)/history_bench

# Each target starts from a fresh copy of its seed corpus; a finding stops
# make with the input saved as $(FUZZ_BUILD)/crash-*.
fuzz:
	@bash tools/deps.sh fuzz
	@test -f $(FUZZ_BUILD)/Makefile || CC=clang CXX=clang++ \
	  cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSILMOD_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) $(addprefix --target fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	  rm -rf $(FUZZ_BUILD)/corpus-$$t && cp -r tests/io/corpus/$$t $(FUZZ_BUILD)/corpus-$$t || exit 1; \
	  echo "fuzzing the $$t reader for $(FUZZ_SECONDS) s"; \
	  ./$(FUZZ_BUILD)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -max_len=20000 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-$$t || exit 1; \
	done

# The opening picture from further away, the others small as the modeller
# first shows them; all at the "hi" density.
PICTURE := ./$(BUILD)/silmod-export
pictures: build
	mkdir -p docs
	$(PICTURE) examples/lamps.ses --png docs/lamps.png --view 30,30,30 --res 40
	for e in vase star pawn; do \
	  $(PICTURE) examples/$$e.ses --png docs/$$e.png --size 300x250 --res 40 || exit 1; \
	done

examples: build
	bash tools/make_examples.sh

install: build
	install -d $(PREFIX)/bin $(PREFIX)/include/silmod $(PREFIX)/share/silmod/shaders
	install -m 644 src/render/nurbUtil.h $(PREFIX)/include/silmod/nurbUtil.h
	install -m 644 src/render/nurbUtil.c $(PREFIX)/share/silmod/nurbUtil.c
	install -m 644 shaders/newlight.sl $(PREFIX)/share/silmod/shaders/newlight.sl
	install -m 755 $(BUILD)/silmod $(PREFIX)/bin/silmod
	install -m 755 $(BUILD)/silmod-export $(PREFIX)/bin/silmod-export

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
