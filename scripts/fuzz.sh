#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan + UBSan) and runs one fuzz target.
# Usage: scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]
#   TARGET: profile, action_file, catalogue, hive or reg_file; SECONDS defaults to 600.
# New inputs collect in build/fuzz/corpus/TARGET (the seeds of fuzz/corpus/TARGET are read, never
# written); crashes land in build/fuzz/artifacts/TARGET. The sandboxes of the targets live in
# TMPDIR, /dev/shm when there is one, since the runs create and remove many small files.
set -euo pipefail
cd "$(dirname "$0")/.."

target="${1:?usage: scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]}"
seconds="${2:-600}"
shift $(($# < 2 ? $# : 2))

# The project's packages, and clang with its libFuzzer runtime for this build.
packages=(clang libclang-rt-dev)
version="$(apt-cache policy clang 2>/dev/null | sed -n 's/^ *Candidate: 1:\([0-9]*\).*/\1/p')"
[ -n "$version" ] && packages=(clang "libclang-rt-$version-dev")
scripts/deps.sh "${packages[@]}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "fuzz_$target"

corpus="build/fuzz/corpus/$target"
artifacts="build/fuzz/artifacts/$target"
mkdir -p "$corpus" "$artifacts"
[ -d /dev/shm ] && export TMPDIR="${TMPDIR:-/dev/shm}"
exec "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=25 \
  -rss_limit_mb=2048 -artifact_prefix="$artifacts/" -print_final_stats=1 "$@" "$corpus" "fuzz/corpus/$target"
