// Speed of the rules: the computer's choice at each level, and whole games played at once.
#include "board.h"
#include "computer_player.h"
#include "game_end.h"
#include "sowing.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace pentora;

void ComputerChoice(benchmark::State& state) {
    const auto level = static_cast<Count>(state.range(0));
    const Board board = Board::opening();
    Count start = 0;
    for (auto _ : state) {
        const Choice choice = chooseComputerPot(board, level, start);
        benchmark::DoNotOptimize(choice);
        start = static_cast<Count>((start + 1) % kPotsPerSide);
    }
}
BENCHMARK(ComputerChoice)->DenseRange(1, 6);

// One whole game of random moves on both sides, with the end-of-game sweep.
void RandomGame(benchmark::State& state) {
    std::mt19937 chance(12345);
    for (auto _ : state) {
        Board board = Board::opening();
        Side mover = Side::Human;
        while (!isGameOver(board)) {
            Count pot = 0;
            do {
                pot = static_cast<Count>(chance() % kPotsPerSide);
            } while (board.at(mover, pot) == 0);
            if (!playMove(board, mover, pot).extraMove()) {
                mover = mover == Side::Human ? Side::Cpu : Side::Human;
            }
        }
        for (const Write& w : sweepWrites(board)) {
            apply(board, w);
        }
        benchmark::DoNotOptimize(board);
    }
}
BENCHMARK(RandomGame);

} // namespace

BENCHMARK_MAIN();
