#!/usr/bin/env bash
# Builds the benchmarks and prints every speed figure in one report: each as a ratio against its
# baseline measured in the same run, and how it grows when the work grows tenfold.
# Usage: scripts/bench.sh            (about ten minutes; run it on an otherwise idle machine)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target bench_profile bench_catalogue bench_registry bench_startup \
  bench_engine_tree bench_product_restore >/dev/null
bench=build/default/bench
export QT_QPA_PLATFORM=offscreen

# The real time of a Google Benchmark case from its CSV output, in the unit it printed.
field() { awk -F, -v name="\"$2\"" '$1 == name { print $3 }' <<<"$1"; }
counter() { awk -F, -v name="\"$2\"" -v col="$3" '
  NR == 1 { for (i = 1; i <= NF; ++i) if ($i == "\"" col "\"") at = i }
  $1 == name { print $at }' <<<"$1"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "== Profile files"
profile=$("$bench/bench_profile" --benchmark_filter='CachedReadOverStat|ReadAllKeysOneByOne/' \
  --benchmark_format=csv 2>/dev/null)
printf 'cached read %s ns against one stat %s ns: ratio %s (target at most 3)\n' \
  "$(counter "$profile" BM_CachedReadOverStat read_ns)" "$(counter "$profile" BM_CachedReadOverStat stat_ns)" \
  "$(counter "$profile" BM_CachedReadOverStat ratio)"
small=$(field "$profile" BM_ReadAllKeysOneByOne/1000)
large=$(field "$profile" BM_ReadAllKeysOneByOne/10000)
printf 'every key read one by one: 1,000 keys %.2f ms, 10,000 keys %.2f ms: x%s for tenfold keys\n' \
  "$(awk -v t="$small" 'BEGIN { print t / 1e6 }')" "$(awk -v t="$large" 'BEGIN { print t / 1e6 }')" \
  "$(ratio "$large" "$small")"

echo
echo "== Folder trees and referenced INI walks (engine against cp -a)"
echo "-- 1,000 files, 20 MB"
"$bench/bench_engine_tree" 1000 20 3
echo "-- 10,000 files, 200 MB"
"$bench/bench_engine_tree" 10000 200 3

echo
echo "== The main job: tavoctl restore of the demo package against cp -a"
"$bench/bench_product_restore" 10 3
"$bench/bench_product_restore" 100 3 | tail -1

echo
echo "== Registry"
registry=$("$bench/bench_registry" --benchmark_format=csv 2>/dev/null)
printf 'save of 1,000 keys and 50,000 values %.0f ms, restore %.0f ms (target under 1,000 ms each)\n' \
  "$(field "$registry" BM_SaveHive)" "$(field "$registry" BM_RestoreHive)"
small=$(field "$registry" BM_EnumerateSubkeys/1000)
large=$(field "$registry" BM_EnumerateSubkeys/10000)
printf 'enumerating 1,000 subkeys %.1f ms, 10,000 %.1f ms: x%s for tenfold subkeys\n' "$small" "$large" \
  "$(ratio "$large" "$small")"

echo
echo "== Catalogue and start-up"
catalogue=$("$bench/bench_catalogue" --benchmark_filter='Warm/(500|5000)$' --benchmark_format=csv 2>/dev/null)
small=$(field "$catalogue" BM_LoadCataloguesWarm/500)
large=$(field "$catalogue" BM_LoadCataloguesWarm/5000)
printf 'catalogue load, 5 x 500 items %.1f ms, 5 x 5,000 %.1f ms: x%s for tenfold items\n' "$small" "$large" \
  "$(ratio "$large" "$small")"
startup=$("$bench/bench_startup" 400 4000 2>/dev/null)
echo "$startup"
small=$(awk '/5 x +400 items/ { print $(NF-5) }' <<<"$startup")
large=$(awk '/5 x +4000 items/ { print $(NF-5) }' <<<"$startup")
printf 'start-up to the item page: x%s for tenfold items\n' "$(ratio "$large" "$small")"
