# The two commands of the README: `make run` and `make test`. Both install what is
# missing from Debian's packages first, so a fresh machine needs nothing else.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
BUILD ?= build
FUZZ_SECONDS ?= 30

DEB_PACKAGES := cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev qt6-svg-dev libgl-dev \
	libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libpng-dev libxxhash-dev libdeflate-dev libstb-dev pkgconf python3 python3-jsonschema \
	librsvg2-bin desktop-file-utils appstream shared-mime-info groff-base man-db
BENCH_PACKAGES := imagemagick time python3 python3-pil
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build sample run test test-main test-asan test-fuzz fuzz bench bench-deps demo install clean

all: build

define install_missing
	@missing=$$(for p in $(1); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi
endef

deps:
	$(call install_missing,$(DEB_PACKAGES))

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

SAMPLE := examples/sample/sample.qvl
RUN_ARGS ?= $(SAMPLE)

$(SAMPLE): examples/make_sample.py
	python3 examples/make_sample.py examples/sample

# The second sample: PNG frames, a palette PNG overlay and PNG outputs.
PNG_SAMPLE := examples/png_sample/png_sample.qvl

$(PNG_SAMPLE): examples/make_png_sample.py examples/make_sample.py
	python3 examples/make_png_sample.py examples/png_sample

sample: $(SAMPLE) $(PNG_SAMPLE)

run: build $(SAMPLE)
	./$(BUILD)/src/gui/tolvane $(RUN_ARGS)

# Checks and extracts the sample project with the command-line program.
demo: build $(SAMPLE)
	-./$(BUILD)/src/cli/tolvane-cli check $(SAMPLE)
	./$(BUILD)/src/cli/tolvane-cli extract $(SAMPLE)
	@echo "Files written:"; ls -l examples/sample/VidIziz

test: test-main test-asan test-fuzz

test-main: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B build-asan -G Ninja -DTOLV_CORE_ONLY=ON -DTOLV_SANITIZE=ON -DTOLV_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS)

test-fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTOLV_CORE_ONLY=ON -DTOLV_FUZZ=ON -DTOLV_BENCH=OFF \
	  -DTOLV_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build build-fuzz -j $(JOBS)
	ctest --test-dir build-fuzz --output-on-failure

# Longer fuzzing: make fuzz FUZZ_SECONDS=600
fuzz: test-fuzz

bench-deps:
	$(call install_missing,$(BENCH_PACKAGES))

# The extraction benchmark on the shared workload beside the repository, 24-bit
# and 8-bit frames on /dev/shm against a plain program, the 24-bit frames in PNG
# against a Pillow script (make bench BENCH_ARGS="--repeat 9 --imagemagick
# --workload-script PATH"), then the
# canvas: frame steps, repaints and zoom steps on full-HD frames.
bench: build bench-deps
	python3 bench/run_extract_bench.py --build $(BUILD) $(BENCH_ARGS)
	./$(BUILD)/bench/bench_gui_canvas

clean:
	rm -rf $(BUILD) build-asan build-fuzz
