// One tone-slider move on a 6000 x 4000 picture, from the slider's change handler to the
// repainted picture area of the real window (offscreen platform).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <cstdint>

#include "core/bitmap.h"
#include "intake/intake_commands.h"
#include "ui/main_window.h"
#include "ui/preview_canvas.h"

namespace skelda {
namespace {

QApplication& Application() {
  static int argc = 1;
  static char name[] = "ui_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

Bitmap Photo(int width, int height) {
  Bitmap picture(width, height, PixelFormat::Bit32);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      row[4 * x] = static_cast<std::uint8_t>(x * 3 + y);
      row[4 * x + 1] = static_cast<std::uint8_t>(y * 5 - x);
      row[4 * x + 2] = static_cast<std::uint8_t>((x ^ y) * 7);
    }
  }
  return picture;
}

void BM_ToneSliderMoveToRepaintedCanvas(benchmark::State& state) {
  Application();
  TForm1 form;
  form.workspace().StartUp(Photo(6000, 4000));
  FinishLoad(form.workspace());
  form.show();
  QSlider* slider = state.range(0) == 0 ? form.trckbr2 : form.trckbr1;
  int position = 10;
  for (auto _ : state) {
    // The change handler ends with RefreshPreview, which repaints the canvas before it returns.
    slider->setValue(position);
    position = position == 10 ? 20 : 10;
  }
  // The handler must really have run its filter (the label follows the last position).
  QLabel* label = state.range(0) == 0 ? form.lbl11 : form.lbl5;
  if (!label->text().contains(QString::number(state.range(0) == 0 ? 5 : 10)) &&
      !label->text().contains(QString::number(state.range(0) == 0 ? 10 : 20)))
    state.SkipWithError("the slider's change handler did not run");
  state.SetLabel(state.range(0) == 0 ? "brightness trckbr2" : "sharpness trckbr1");
}
BENCHMARK(BM_ToneSliderMoveToRepaintedCanvas)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);

// "Вписать" on a freshly loaded 6000 x 4000 picture: from the click to the repainted canvas.
void BM_FitToWindow(benchmark::State& state) {
  Application();
  TForm1 form;
  form.workspace().StartUp(Photo(6000, 4000));
  FinishLoad(form.workspace());
  form.resize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  form.show();
  for (auto _ : state) {
    state.PauseTiming();
    ShowOriginal(form.workspace());
    form.RefreshPreview();
    state.ResumeTiming();
    form.btn9Click();
  }
  if (form.workspace().ShownBitmap.Width() >= 6000)
    state.SkipWithError("the picture was not fitted");
}
BENCHMARK(BM_FitToWindow)->Args({1280, 900})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skelda
