# Thin wrapper over CMake: `make run` and `make test` set up what is missing, then build.
BUILD ?= build
CMAKE_FLAGS ?=
SAMPLE := samples/sendai-walk.trc

.PHONY: all setup configure build run test bench fuzz clean

all: build

setup:
	@tools/install-deps.sh

configure: setup
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x $(BUILD)/bin/zelm ]; then \
	  exec $(BUILD)/bin/zelm; \
	else \
	  echo "No display to open the ZELM window on; listing $(SAMPLE) with zelm-list instead."; \
	  $(BUILD)/bin/zelm-list $(SAMPLE); \
	fi

test: build
	@cd $(BUILD) && ctest --output-on-failure

bench: configure
	@cmake --build $(BUILD) --target bench

fuzz: setup
	@fuzz/run-fuzz.sh $(or $(SECONDS),60)

clean:
	rm -rf $(BUILD)
