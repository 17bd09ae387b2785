# Musewheeler: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the Debian packages they need first (as root), so a fresh Debian 12 machine needs nothing else.

BUILD_DIR       ?= build
RELEASE_DIR     ?= build-release
FUZZ_DIR        ?= build-fuzz
SANITIZE_DIR    ?= build-sanitize
DEB_DIR         ?= build-deb
PLUGIN_DIR      ?= build-plugin
WINDOWS_DIR     ?= build-windows
JOBS            ?= $(shell nproc)
# ctest's jobs: the end-to-end scripts spend most of their time waiting on the program and the X server, so
# twice as many as the cores keep the machine busy (docs/build-times.md).
TEST_JOBS       ?= $(shell echo $$(( $$(nproc) * 2 )))
FUZZ_SECONDS    ?= 60
STARTUP_RUNS    ?= 15
PLUGINS         ?= ON

PACKAGES := cmake make g++ pkg-config juce-modules-source \
            libgtest-dev googletest libbenchmark-dev \
            xvfb xauth xdotool x11-utils imagemagick openbox wmctrl xclip \
            desktop-file-utils fonts-dejavu-core clang libclang-rt-14-dev clang-format \
            libx11-dev libxdamage-dev valgrind \
            dpkg-dev lintian appstream man-db \
            lilv-utils sordi lv2-dev jalv jackd2 locales fortune-mod fortunes zenity \
            g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 nsis zip

SCREENSHOT_DISPLAY ?= :71

APP_DIR = $(BUILD_DIR)/Musewheeler_artefacts/Debug
RELEASE_APP_DIR = $(RELEASE_DIR)/Musewheeler_artefacts/Release
RELEASE_PLUGIN_DIR = $(RELEASE_DIR)/MusewheelerPlugin_artefacts/Release
GALLERY = $(BUILD_DIR)/WidgetGallery_artefacts/Debug/WidgetGallery
OPTIONS_GALLERY = $(BUILD_DIR)/options-gallery/OptionsGallery

.PHONY: all deps ardour-deps ardour-check windows windows-check configure build run test sanitize valgrind bench startup fuzz format clean screenshots icons install uninstall deb deb-check plugin

all: build

# Debian's Ardour, a DAW the project did not write, for the plugins' check in it: heavy, so installed only by
# `make ardour-check`.
ARDOUR_PACKAGES := ardour

# Installs the Debian packages of the list given that are missing, as root, or prints the line to run.
define installPackages
@missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    if [ "$$(id -u)" = 0 ]; then \
	        echo "Installing:$$missing"; \
	        apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	    else \
	        echo "Some Debian packages are missing. Install them as root with:"; \
	        echo "  apt-get install -y --no-install-recommends$$missing"; \
	        exit 1; \
	    fi; \
	fi
endef

deps:
	$(call installPackages,$(PACKAGES))

ardour-deps: deps
	$(call installPackages,$(ARDOUR_PACKAGES))

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DMUSEWHEELER_PLUGIN=$(PLUGINS)

build: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target Musewheeler
	cd $(APP_DIR) && ./Musewheeler

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel $(TEST_JOBS)

# For the current user, no root needed, the package's layout under ~/.local: the program and
# musewheeler-sets in ~/.local/lib/musewheeler with links in ~/.local/bin, their help and the shipped sets
# in ~/.local/share/musewheeler (beside data/, the user's sets, which the program makes), a desktop entry
# and an icon, and the VST3 and LV2 plugins in ~/.vst3 and ~/.lv2 (PLUGINS=OFF leaves them out).
# `make uninstall` removes them all and keeps the sets and settings.
install: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DMUSEWHEELER_TESTS=OFF -DMUSEWHEELER_PLUGIN=$(PLUGINS)
	cmake --build $(RELEASE_DIR) --parallel $(JOBS) --target Musewheeler MusewheelerSets $(if $(filter ON,$(PLUGINS)),plugins)
	packaging/install.sh install $(RELEASE_APP_DIR) . $(if $(filter ON,$(PLUGINS)),$(RELEASE_PLUGIN_DIR))

uninstall:
	packaging/install.sh uninstall

# The Debian package musewheeler_<version>_<arch>.deb in this folder, for `sudo apt install ./musewheeler_*.deb`:
# a Release build with Debian's hardening flags (dpkg-buildflags, less its -g: the programs are stripped),
# packed by CPack (cmake/Package.cmake, packaging/), with the VST3 and LV2 plugins unless PLUGINS=OFF.
DEB_BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g \
                 dpkg-buildflags --get

# The changelog's date stands for the build's (the compiler's __DATE__, the package's time stamps), so that
# two builds of the same sources give the same package.
DEB_SOURCE_DATE_EPOCH = $(shell dpkg-parsechangelog -l packaging/changelog -STimestamp)

deb: deps
	cmake -S . -B $(DEB_DIR) -DCMAKE_BUILD_TYPE=Release -DMUSEWHEELER_TESTS=OFF -DMUSEWHEELER_PLUGIN=$(PLUGINS) \
	    "-DCMAKE_C_FLAGS=$$($(DEB_BUILDFLAGS) CPPFLAGS) $$($(DEB_BUILDFLAGS) CFLAGS)" \
	    "-DCMAKE_CXX_FLAGS=$$($(DEB_BUILDFLAGS) CPPFLAGS) $$($(DEB_BUILDFLAGS) CXXFLAGS)" \
	    "-DCMAKE_EXE_LINKER_FLAGS=$$($(DEB_BUILDFLAGS) LDFLAGS)" \
	    "-DCMAKE_SHARED_LINKER_FLAGS=$$($(DEB_BUILDFLAGS) LDFLAGS)" "-DCMAKE_MODULE_LINKER_FLAGS=$$($(DEB_BUILDFLAGS) LDFLAGS)"
	SOURCE_DATE_EPOCH=$(DEB_SOURCE_DATE_EPOCH) cmake --build $(DEB_DIR) --parallel $(JOBS) \
	    --target Musewheeler MusewheelerSets PackageFiles $(if $(filter ON,$(PLUGINS)),plugins)
	cd $(DEB_DIR) && SOURCE_DATE_EPOCH=$(DEB_SOURCE_DATE_EPOCH) cpack -G DEB

# The package checked: its files, lintian, the validators, the same bytes when packed again, and (as root)
# installed with apt-get for new users under Xvfb, in homes mounted noexec, read-only or full, without HOME,
# six first starts at once, a home of the earlier per-user copy, an upgrade and a downgrade, the LV2 plugin
# in jalv, and apt-get remove.
deb-check: deb
	MUSEWHEELER_DEB_BUILD_DIR=$(DEB_DIR) tests/package/deb-check.sh "$$(cat $(DEB_DIR)/package-file.txt)" . $(if $(filter ON,$(PLUGINS)),"$$(cat $(DEB_DIR)/lv2-uri.txt)")

# The whole test suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer. The developer programs,
# left out of `make test`'s build, are compiled here too, so that a change in src/ breaking them is still caught.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DMUSEWHEELER_SANITIZERS=address,undefined \
	    -DMUSEWHEELER_PLUGIN=$(PLUGINS)
	cmake --build $(SANITIZE_DIR) --parallel $(JOBS)
	cmake --build $(SANITIZE_DIR) --parallel $(JOBS) --target WidgetGallery OptionsGallery EditorHarness
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(SANITIZE_DIR) --output-on-failure --parallel $(TEST_JOBS)

# The program's main flow driven under Xvfb inside valgrind's memcheck (a long run, kept out of `make test`):
# it fails on any memcheck error or on a block definitely lost by the program's own code. The log stays in
# VALGRIND_LOG.
VALGRIND_LOG ?= $(BUILD_DIR)/valgrind/memcheck.log

valgrind: build
	tools/valgrind-e2e.sh $(APP_DIR)/Musewheeler . $(VALGRIND_LOG)

bench: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DMUSEWHEELER_TESTS=OFF -DMUSEWHEELER_BENCH=ON
	cmake --build $(RELEASE_DIR) --parallel $(JOBS) --target MusewheelerBench MusewheelerSets
	$(RELEASE_DIR)/bench/MusewheelerBench
	bench/sets-command.sh $(RELEASE_APP_DIR)/musewheeler-sets 100000 15

# The program's time to its first painted frame against an empty window program built the same way, and its
# memory once settled, under an Xvfb of its own on a free display among :61 to :64 (docs/performance.md).
startup: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DMUSEWHEELER_TESTS=OFF -DMUSEWHEELER_STARTUP=ON
	cmake --build $(RELEASE_DIR) --parallel $(JOBS) --target Musewheeler EmptyWindow StartupProbe
	tools/measure-startup.sh $(RELEASE_DIR) . $(STARTUP_RUNS)

# The VST3 and LV2 plugins, in a build folder of their own, and their checks (tests/plugin/plugin-check.sh):
# the bundles are $(PLUGIN_DIR)/MusewheelerPlugin_artefacts/Debug/VST3/Musewheeler.vst3 and .../LV2/Musewheeler.lv2.
plugin: deps
	cmake -S . -B $(PLUGIN_DIR) -DCMAKE_BUILD_TYPE=Debug -DMUSEWHEELER_PLUGIN=ON
	cmake --build $(PLUGIN_DIR) --parallel $(JOBS) --target plugins
	ctest --test-dir $(PLUGIN_DIR) --output-on-failure -R '^plugin\.'

# The plugins in Debian's Ardour, a DAW the project did not write, headless through its session tool
# (tests/plugin/ardour-check.sh): a session with both plugins and the Note set, saved and opened again. Kept
# out of `make test`, as Ardour is heavy to install (ardour-deps, some 75 s); .ci/run runs it.
ardour-check: ardour-deps configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target plugins
	tests/plugin/ardour-check.sh $(BUILD_DIR)/MusewheelerPlugin_artefacts/Debug/LV2/Musewheeler.lv2 \
	    $(BUILD_DIR)/MusewheelerPlugin_artefacts/Debug/VST3/Musewheeler.vst3 $(BUILD_DIR)/ardour-check .

# The program, musewheeler-sets, the VST3 plugin, the setup and the portable zip for 64-bit Windows, cross-built
# with MinGW-w64 in WINDOWS_DIR (docs/windows-notes.md). The libraries Debian has no Windows build of are
# made once from Debian's sources into WINDOWS_DIR/sysroot and reused.
windows: deps
	tools/windows-sysroot.sh $(WINDOWS_DIR)/sysroot
	cmake -S . -B $(WINDOWS_DIR)/build -DCMAKE_TOOLCHAIN_FILE=cmake/WindowsToolchain.cmake \
	    -DMUSEWHEELER_WINDOWS_SYSROOT=$(abspath $(WINDOWS_DIR))/sysroot -DCMAKE_BUILD_TYPE=Release -DMUSEWHEELER_PLUGIN=ON
	cmake --build $(WINDOWS_DIR)/build --parallel $(JOBS)
	cmake --build $(WINDOWS_DIR)/build --parallel $(JOBS) --target windows-vst3-check windows-setup windows-zip

# The Windows build checked under Wine and Xvfb (tests/windows/windows-check.sh): the unit tests, musewheeler-sets
# as a process, the VST3 in the toolkit's host, the program driven as a user would (its pictures left in
# WINDOWS_DIR/screenshots), the setup and the portable zip.
windows-check: windows
	tests/windows/windows-check.sh $(WINDOWS_DIR) .

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DMUSEWHEELER_TESTS=OFF -DMUSEWHEELER_FUZZ=ON -DMUSEWHEELER_SANITIZERS=address,undefined
	cmake --build $(FUZZ_DIR) --parallel $(JOBS) --target fuzzers
	FUZZ_SECONDS=$(FUZZ_SECONDS) tools/run-fuzzers.sh $(FUZZ_DIR)/fuzz

# Every picture of the README in docs/images (the tour of the program in English and French with the shipped
# sets, the tag picker, the widget gallery), taken under Xvfb on SCREENSHOT_DISPLAY.
screenshots: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target Musewheeler WidgetGallery OptionsGallery
	tools/take-screenshots.sh $(APP_DIR)/Musewheeler $(GALLERY) $(OPTIONS_GALLERY) . docs/images $(SCREENSHOT_DISPLAY)

# Draws the button icons of src/widgets/icons again (they are committed; run after changing the generator).
icons: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target icons

format:
	find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(RELEASE_DIR) $(FUZZ_DIR) $(SANITIZE_DIR) $(DEB_DIR) $(PLUGIN_DIR) $(WINDOWS_DIR) musewheeler_*.deb
