# make run   builds and starts the modeller
# make test  builds and runs every test, plainly and under the sanitizers
# make bench builds and runs the frame-time and undo-history benchmarks
JOBS ?= 2
BUILD := build
ASAN_BUILD := build-asan
PREFIX ?= /usr/local
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"
export ASAN_OPTIONS := detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS := suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS := print_stacktrace=1:halt_on_error=1

.PHONY: all deps build build-asan run test test-plain test-asan bench install clean

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

install: build
	install -d $(PREFIX)/bin $(PREFIX)/include/silmod $(PREFIX)/share/silmod/shaders
	install -m 644 src/render/nurbUtil.h $(PREFIX)/include/silmod/nurbUtil.h
	install -m 644 src/render/nurbUtil.c $(PREFIX)/share/silmod/nurbUtil.c
	install -m 644 shaders/newlight.sl $(PREFIX)/share/silmod/shaders/newlight.sl
	install -m 755 $(BUILD)/silmod $(PREFIX)/bin/silmod
	install -m 755 $(BUILD)/silmod-export $(PREFIX)/bin/silmod-export

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
