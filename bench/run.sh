#!/usr/bin/env bash
# Measures Pentora on this machine and prints the figures as a Markdown table:
#   - the rules benchmark (Google Benchmark);
#   - start to first paint and peak resident memory, against a minimal Qt Widgets window built
#     in the same tree and measured in the same run (alternating, RUNS times each), on Xvfb and
#     on Qt's offscreen platform;
#   - CPU use of the process while a 12-bean move and the computer's reply are shown, and the
#     length of every step against the 500 ms interval (RUNS moves).
# Needs an X display; without one it starts itself under xvfb-run.
#
#     bench/run.sh [RUNS]      (default 5; start-up is launched 20 times as often, being short)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}

if [ -z "${DISPLAY:-}" ]; then
    "$root/scripts/deps.sh" --test
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DPENTORA_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" \
    --target rules_bench startup_probe minimal_window move_probe >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "Machine: $(nproc) cores, $(awk -F: '/model name/ { print $2; exit }' /proc/cpuinfo | sed 's/^ //'), $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)"
echo "Display: Xvfb ($DISPLAY); Qt $(pkg-config --modversion Qt6Core 2>/dev/null || echo 6)"
echo

echo "## Rules"
"$build/bench/rules_bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true \
    --benchmark_filter='ComputerChoice/6|RandomGame' 2>/dev/null | awk '/_median/ { print "- " $1 ": " $2 " " $3 }'
echo

# Start to first paint (ms) and peak RSS (KiB) of one launch of a program.
launch() {
    local t0 out
    out="$work/$1.out"
    t0=$(date +%s%N)
    "$build/bench/$1" >"$out" 2>/dev/null
    local t1 rss
    t1=$(awk '/first_paint_epoch_ns/ { print $2 }' "$out")
    rss=$(awk '/peak_rss_kib/ { print $2 }' "$out")
    echo "$(( (t1 - t0) / 1000 )) $rss"
}
"$build/bench/minimal_window" >/dev/null 2>&1 # warm the caches for both
startup_runs=$((runs * 20))
declare -A startup
for platform in xcb offscreen; do
    rm -f "$work/game.txt" "$work/minimal.txt"
    for i in $(seq "$startup_runs"); do
        QT_QPA_PLATFORM=$platform launch startup_probe >>"$work/game.txt"
        QT_QPA_PLATFORM=$platform launch minimal_window >>"$work/minimal.txt"
    done
    startup[$platform]="$(awk '{ print $1 / 1000 }' "$work/game.txt" | median) \
$(awk '{ print $1 / 1000 }' "$work/minimal.txt" | median) \
$(awk '{ print $2 / 1024 }' "$work/game.txt" | median) \
$(awk '{ print $2 / 1024 }' "$work/minimal.txt" | median)"
done

for i in $(seq "$runs"); do
    "$build/bench/move_probe" 12 >"$work/move$i.txt" 2>/dev/null
done
cpu=$(cat "$work"/move*.txt | awk '/move_cpu_percent/ { print $2 }' | median)
steps=$(cat "$work"/move*.txt | awk '/^step_ms/ { print $2 }')
step_count=$(wc -l <<<"$steps")
step_mean=$(awk '{ s += $1 } END { printf "%.1f", s / NR }' <<<"$steps")
step_worst=$(awk '{ d = $1 - 500; if (d < 0) d = -d; if (d > m) m = d } END { printf "%.1f", m }' <<<"$steps")

echo "## Window (medians of $startup_runs launches; moves: $runs runs)"
echo
echo "| Figure | Pentora | Minimal window | Ratio | Goal |"
echo "|---|---|---|---|---|"
for platform in xcb offscreen; do
    read -r game_ms minimal_ms game_rss minimal_rss <<<"${startup[$platform]}"
    name=$([ "$platform" = xcb ] && echo Xvfb || echo offscreen)
    awk -v g="$game_ms" -v m="$minimal_ms" -v p="$name" 'BEGIN { printf "| Start to first paint, %s | %.1f ms | %.1f ms | %.2f | at most 1.10 |\n", p, g, m, g / m }'
    awk -v g="$game_rss" -v m="$minimal_rss" -v p="$name" 'BEGIN { printf "| Peak resident memory, %s | %.1f MiB | %.1f MiB | %.2f | at most 1.10 |\n", p, g, m, g / m }'
done
echo
echo "| Figure | Measured | Goal |"
echo "|---|---|---|"
echo "| CPU while a 12-bean move and the reply are shown | ${cpu} % of one core | below 2 % |"
awk -v n="$step_count" -v mean="$step_mean" -v worst="$step_worst" 'BEGIN { printf "| Step length (%d steps) | mean %s ms, largest deviation %s ms (%.2f %%) | within 5 %% of 500 ms |\n", n, mean, worst, worst / 5 }'
