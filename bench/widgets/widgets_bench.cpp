// Paint cost of the owner-drawn controls: the reception window's 315 screw panel tiles (repainted
// every second), a window-sized gradient background (first render and buffered repaint), a clock.
// Run: build/dev/bench/widgets/widgets_bench (offscreen unless QT_QPA_PLATFORM says otherwise).

#include "widgets/color_button.h"
#include "widgets/gradient_background.h"
#include "widgets/lcd99.h"
#include "widgets/screw_panel.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// 15 floors of 21 tiles, 40 x 40, silver with "--" in bold 13 pixel Arial, as the reception shows.
std::unique_ptr<QWidget> receptionTiles()
{
    auto board = std::make_unique<QWidget>();
    board->resize(21 * 44, 15 * 44);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    for (int floor = 0; floor < 15; ++floor)
        for (int room = 0; room < 21; ++room) {
            auto* tile = new TScrewPanel(board.get());
            tile->setGeometry(room * 44, floor * 44, 40, 40);
            tile->setColor((floor + room) % 3 == 0 ? clRed : clSilver);
            tile->setFont(font);
            tile->setCaption(QStringLiteral("--"));
        }
    board->show();
    return board;
}

void BM_ScrewPanels315(benchmark::State& state)
{
    auto board = receptionTiles();
    QImage target(board->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        board->render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
    state.SetItemsProcessed(state.iterations() * 315);
}
BENCHMARK(BM_ScrewPanels315)->Unit(benchmark::kMillisecond);

void BM_ScrewPanelOne(benchmark::State& state)
{
    TScrewPanel tile;
    tile.resize(40, 40);
    tile.setColor(clSilver);
    tile.setCaption(QStringLiteral("--"));
    QImage target(tile.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        tile.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_ScrewPanelOne)->Unit(benchmark::kMicrosecond);

std::unique_ptr<GradientBackground> background(int style)
{
    auto g = std::make_unique<GradientBackground>();
    g->resize(1024, 768);
    g->setStartColor(rgbColor(0, 64, 128));
    g->setStyle(TGradientBkStyle(style));
    return g;
}

// First render: every iteration changes a property, so the buffer is rendered again.
void BM_GradientBackgroundFirstRender(benchmark::State& state)
{
    auto g = background(int(state.range(0)));
    QImage target(g->size(), QImage::Format_RGB32);
    bool flip = false;
    for (auto _ : state) {
        g->setEndColor(flip ? clBlack : rgbColor(0, 0, 1));
        flip = !flip;
        g->render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_GradientBackgroundFirstRender)
    ->ArgName("style")
    ->Arg(int(TGradientBkStyle::gsCornerBottomRight))
    ->Arg(int(TGradientBkStyle::gsDiagonalFalling))
    ->Arg(int(TGradientBkStyle::gsVertical))
    ->Arg(int(TGradientBkStyle::gsPyramid))
    ->Arg(int(TGradientBkStyle::gsEllipse))
    ->Unit(benchmark::kMillisecond);

// Buffered repaint: nothing changed, the buffer is only copied.
void BM_GradientBackgroundBufferedRepaint(benchmark::State& state)
{
    auto g = background(int(TGradientBkStyle::gsCornerBottomRight));
    QImage target(g->size(), QImage::Format_RGB32);
    g->render(&target);
    const int renders = g->renderCount();
    for (auto _ : state) {
        g->render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
    if (g->renderCount() != renders)
        state.SkipWithError("the buffered background rendered again");
}
BENCHMARK(BM_GradientBackgroundBufferedRepaint)->Unit(benchmark::kMillisecond);

void BM_ClockDisplay(benchmark::State& state)
{
    TLCD99 clock;
    clock.resize(180, 40);
    clock.setDigitNum(8);
    clock.setDigitSpacing(1);
    clock.setGapX(1);
    clock.setGapY(1);
    clock.setSegmentSize(3);
    clock.setValue(QStringLiteral("12:30:45"));
    QImage target(clock.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        clock.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_ClockDisplay)->Unit(benchmark::kMicrosecond);

void BM_GradientButton(benchmark::State& state)
{
    ColorButton button;
    button.setColor(clSilver);
    button.setGradientStyle(TButtonGradientStyle::gsVertical);
    button.setCaption(QStringLiteral("Recepce"));
    QImage target(button.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        button.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_GradientButton)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
