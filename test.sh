#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer, runs
# every test, then gives each fuzz target a short bounded run when clang is there.
# Exit status: 0 only when every test and every fuzz run passed.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
tessaly_install_missing "${TESSALY_BUILD_PACKAGES[@]}" "${TESSALY_TEST_PACKAGES[@]}"

# The engine and the labels are tested under a German locale too.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    if [ "$(id -u)" -eq 0 ]; then
        sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
        locale-gen
    else
        echo "The locale de_DE.UTF-8 is missing; as root: locale-gen de_DE.UTF-8" >&2
        exit 1
    fi
fi

jobs=$(nproc)
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_SANITIZE=ON \
      -DTESSALY_WERROR=ON
cmake --build build/asan -j "$jobs"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
ctest --test-dir build/asan --output-on-failure -j "$jobs" || status=1

# The Debian package from a Release build (the one ./run.sh starts), unpacked and checked:
# the installed program in the user's language, the desktop entry, the metainfo, lintian.
mkdir -p build
if deb=$(scripts/build-package.sh 2>build/package.log); then
    scripts/check-package.sh "$deb" || status=1
else
    tail -n 40 build/package.log
    echo "Building the Debian package failed" >&2
    status=1
fi

# Fuzzing: each target runs FUZZ_SECONDS (default 60) from its starting corpus; an input that takes
# over one second counts as a failure, as does any crash or sanitizer report.
if command -v clang++ >/dev/null && [ "${FUZZ_SECONDS:-60}" -gt 0 ]; then
    cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DCMAKE_CXX_COMPILER=clang++ -DTESSALY_FUZZ=ON -DTESSALY_SANITIZE=ON \
          -DTESSALY_TESTS=OFF -DTESSALY_BENCH=OFF
    targets=$(cd fuzz && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//')
    for t in $targets; do
        cmake --build build/fuzz -j "$jobs" --target "$t"
        work=build/fuzz/corpus/$t
        mkdir -p "$work"
        [ -d "fuzz/corpus/$t" ] && cp -r "fuzz/corpus/$t/." "$work/"
        echo "Fuzzing $t for ${FUZZ_SECONDS:-60} s"
        if ! ASAN_OPTIONS=detect_leaks=1 build/fuzz/fuzz/"$t" -max_total_time="${FUZZ_SECONDS:-60}" \
                -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
                -artifact_prefix=build/fuzz/"$t"- "$work" 2>build/fuzz/"$t".log; then
            tail -n 60 build/fuzz/"$t".log
            echo "Fuzz target $t failed" >&2
            status=1
        else
            grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' build/fuzz/"$t".log || true
        fi
    done
fi
exit $status
