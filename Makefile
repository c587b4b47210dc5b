# The one entry point: make deps | build | run | test | lint | sanitize | bench | fuzz
#                       | clean | install | uninstall | package
BUILD_DIR ?= build
FUZZ_DIR  ?= build-fuzz
SANITIZE_DIR ?= build-sanitize
JOBS      ?= $(shell nproc)
# Seconds each fuzz target runs; 300 or more for a real search.
FUZZ_SECONDS ?= 60
PREFIX    ?= /usr/local
DESTDIR   ?=
# Extra ctest arguments for the sanitized run, e.g. -LE e2e.
SANITIZE_CTEST_ARGS ?=

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# ccache, when present, is shared by every checkout of the tree.
CCACHE := $(shell command -v ccache 2>/dev/null)
LAUNCHER := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
export CCACHE_BASEDIR := $(abspath $(CURDIR)/..)
export CCACHE_NOHASHDIR := 1

# Debian 12 packages for building, testing and running the program.
DEB_PACKAGES := \
  cmake make g++ pkg-config ninja-build \
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6svg6 \
  libgl1-mesa-dev libasound2-dev zlib1g-dev libxcb1-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav \
  qt6-qpa-plugins qt6-wayland fonts-wine fonts-dejavu-core \
  xvfb icewm xdotool imagemagick x11-utils xclip python3 sox weston libreoffice-writer-nogui \
  at-spi2-core dbus python3-pyatspi gir1.2-atspi-2.0 \
  libhunspell-dev libhunspell-1.7-0 hunspell-en-us hunspell-de-de poppler-utils python3-markdown \
  desktop-file-utils appstream man-db lintian dpkg-dev \
  clang libfuzzer-14-dev libclang-rt-14-dev clang-format-14 clang-tidy-14 \
  libsodium-dev libsodium23 libarchive-dev libarchive13 openssl \
  dunst dbus-daemon dbus-bin \
  libical-dev libical3 python3-dateutil \
  radicale python3-caldav python3-icalendar qtkeychain-qt6-dev libqt6keychain1

DEPS_STAMP := $(BUILD_DIR)/.deps-installed

.PHONY: deps build run test lint lint-format lint-tidy sanitize bench fuzz clean install uninstall package

deps: $(DEPS_STAMP)

$(DEPS_STAMP): Makefile
	@missing=$$(for p in $(DEB_PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
	@mkdir -p $(BUILD_DIR) && touch $@

$(BUILD_DIR)/CMakeCache.txt: $(DEPS_STAMP)
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)

build: $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/orlane

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Style: every tracked source matches .clang-format, and clang-tidy finds
# nothing with the checks of .clang-tidy in the program's own folders (the
# folders of cmake/layers.txt; tests/, bench/, fuzz/ and generated files are
# left out). Both halves run; either failing fails the target.
CLANG_FORMAT ?= clang-format-14
RUN_CLANG_TIDY ?= $(shell command -v run-clang-tidy-14 2>/dev/null)
LINT_FOLDERS := $(shell grep -v '^\#' cmake/layers.txt)
LINT_REGEX := ^$(CURDIR)/($(subst $(eval) ,|,$(strip $(LINT_FOLDERS))))/

lint: $(BUILD_DIR)/CMakeCache.txt
	@status=0; \
	$(MAKE) --no-print-directory lint-format || status=1; \
	$(MAKE) --no-print-directory lint-tidy || status=1; \
	exit $$status

# The tracked sources; outside a git checkout (an unpacked archive) every
# source below the tree except the build folders.
lint-format:
	@if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then git ls-files -z '*.cpp' '*.h'; \
	else find . \( -path './build*' -prune \) -o \( -name '*.cpp' -o -name '*.h' \) -print0; fi \
	| xargs -0 $(CLANG_FORMAT) --dry-run --Werror

lint-tidy: $(BUILD_DIR)/CMakeCache.txt
ifneq ($(RUN_CLANG_TIDY),)
	$(RUN_CLANG_TIDY) -p $(BUILD_DIR) -j $(JOBS) -quiet '$(LINT_REGEX)'
else
	python3 -c 'import json,re,sys; [print(e["file"]) for e in json.load(open(sys.argv[1])) if re.match(sys.argv[2], e["file"])]' \
	  $(BUILD_DIR)/compile_commands.json '$(LINT_REGEX)' | xargs -r -P $(JOBS) -n 4 clang-tidy-14 -p $(BUILD_DIR) --quiet
endif

bench: build
	@for b in $(BUILD_DIR)/bench/*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; "$$b" || exit 1; done

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer in
# a folder of its own; any report fails the test that caused it.
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$(CURDIR)/tests/sanitize/ubsan.supp

sanitize: $(DEPS_STAMP)
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DORLANE_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
	  -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined"
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen \
	  ctest --output-on-failure -j $(JOBS) $(SANITIZE_CTEST_ARGS)

# Each target runs FUZZ_SECONDS from its committed seeds (fuzz/corpus/<target>/);
# what it learns stays in $(FUZZ_DIR)/corpus, crashes land in $(FUZZ_DIR)/crashes.
fuzz: $(DEPS_STAMP)
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DORLANE_BUILD_FUZZ=ON \
	  -DORLANE_BUILD_TESTS=OFF -DORLANE_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@mkdir -p $(FUZZ_DIR)/crashes
	@for f in $(FUZZ_DIR)/fuzz/*; do [ -f "$$f" ] && [ -x "$$f" ] || continue; \
	  name=$$(basename $$f); \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  mkdir -p $(FUZZ_DIR)/corpus/$$name fuzz/corpus/$$name; \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -artifact_prefix=$(FUZZ_DIR)/crashes/$$name- \
	    $(FUZZ_DIR)/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

# What `make install` put where (DESTDIR included) is kept apart from
# install_manifest.txt, which every install of the build tree (the tests', the
# package's) rewrites; `make uninstall` removes exactly those files.
INSTALLED_LIST := $(abspath $(BUILD_DIR))/installed-files.txt

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	sed 's|^|$(DESTDIR)|' $(BUILD_DIR)/install_manifest.txt > $(INSTALLED_LIST)

uninstall:
	cmake -DMANIFEST=$(INSTALLED_LIST) -P dist/uninstall.cmake

package: build
	cmake --build $(BUILD_DIR) --target package
	@ls -1 $(BUILD_DIR)/orlane_*.deb

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(SANITIZE_DIR)
