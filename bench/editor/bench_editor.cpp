// The editing surface must stay fast at every magnification: painting a
// 900 x 600 and a full-HD 1920 x 1080 viewport at 100 % and 1000 %, and 1,000
// pen strokes, each beside the baseline of filling the same viewport with one
// colour. At 100 % the box keeps an image of the board: a repaint of the
// viewport (scrolling, a window uncovered) copies from it, and the first
// repaint after the picture was replaced draws it afresh (measured apart).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>

#include "app/Application.h"
#include "app/ImageImportunit.h"
#include "platform/BoardPreviewBox.h"
#include "app/Magnificationunit.h"
#include "platform/PaintBoxWidget.h"

namespace {

using namespace tesslor;
using namespace tesslor::gui;

class SilentPrompter : public Prompter {
public:
    void Inform(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
    bool Ask(const std::string&) override { return true; }
};
class NoChooser : public FileChooser {
public:
    std::optional<std::string> Choose(const FileDialogRequest&) override { return std::nullopt; }
};

struct Editor {
    Editor() {
        env.prompter = &prompter;
        env.chooser = &chooser;
        env.configPath = "/nonexistent/tesslor.INI";
        env.driveFilePath = "/nonexistent/tesslorDrive.INI";
        windows = std::make_unique<EditorWindows>(env);
        windows->MainForm().show();
        QApplication::processEvents();
    }
    void SetMagnification(int index) {
        auto& mag = windows->MagnificationForm();
        mag.MagnificationComboBox->setCurrentIndex(index);
        mag.MagnificationComboBoxChange();
        QApplication::processEvents();
    }
    SilentPrompter prompter;
    NoChooser chooser;
    EditorEnvironment env;
    std::unique_ptr<EditorWindows> windows;
};

// The editor of all benchmarks; main() closes it while the application still runs.
std::unique_ptr<Editor> theEditor;
Editor& TheEditor() {
    if (!theEditor) theEditor = std::make_unique<Editor>();
    return *theEditor;
}

long ResidentKb() {
    std::ifstream in("/proc/self/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmRSS:") {
            in >> value;
            return value;
        }
        std::getline(in, key);
    }
    return 0;
}

const QRect kViewport(0, 0, 900, 600);
const QRect kFullHdViewport(0, 0, 1920, 1080);

void FillViewport(benchmark::State& state, const QRect& viewport) {
    QImage image(viewport.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(viewport, QColor(240, 240, 240));
        benchmark::DoNotOptimize(image.bits());
    }
}
void BM_Baseline_FillViewport(benchmark::State& state) { FillViewport(state, kViewport); }
void BM_Baseline_FillViewport_1920x1080(benchmark::State& state) { FillViewport(state, kFullHdViewport); }
BENCHMARK(BM_Baseline_FillViewport);
BENCHMARK(BM_Baseline_FillViewport_1920x1080)->Unit(benchmark::kMicrosecond);

// A viewport in the middle of the picture, full of lit dots: a third of the
// way across and a quarter of the way down, cut off where the box ends. With
// keepInside the viewport moves up and left as far as it must to lie within
// the box, which is only 682 pixels high at 100 %, so a full-HD viewport there
// paints the whole height of the picture.
//
// Each pass is the paint event's work for the viewport: through a painter
// clipped to it, whatever the box must draw first. With afresh, each pass
// follows a Refresh() (the picture replaced), so that it draws the whole
// viewport into the kept image before copying it.
void PaintViewport(benchmark::State& state, int magnificationIndex, const QRect& viewport, bool keepInside,
                   bool afresh = false) {
    Editor& e = TheEditor();
    e.SetMagnification(magnificationIndex);
    LedHyoujikiClass& doc = e.windows->MainForm().Document();
    for (int x = 0; x < 480; ++x)
        for (int y = 0; y < 80; ++y) doc.Board(x / 16, y / 16).Led(x % 16, y % 16).Color = (x + y) % 4;
    PaintBoxWidget* box = e.windows->MainForm().PaintBox1;
    // The dots were set behind the surface's back: the box must hear of it.
    box->Refresh();
    int left = box->width() / 3, top = box->height() / 4;
    if (keepInside) {
        left = std::max(0, std::min(left, box->width() - viewport.width()));
        top = std::max(0, std::min(top, box->height() - viewport.height()));
    }
    const QRect area = viewport.translated(left, top) & box->rect();
    QImage image(area.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        if (afresh) box->Refresh();
        QPainter p(&image);
        p.translate(-area.topLeft());
        p.setClipRect(area);
        box->PaintArea(p, area);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["kept_image"] = box->KeepsImage() ? 1 : 0;
    state.counters["rss_mb"] = static_cast<double>(ResidentKb()) / 1024.0;
    state.counters["paintbox_w"] = box->width();
    state.counters["paintbox_h"] = box->height();
    state.counters["area_w"] = area.width();
    state.counters["area_h"] = area.height();
    doc.ClearAll();
    box->Refresh();
}
void BM_PaintViewport_100(benchmark::State& state) { PaintViewport(state, 3, kViewport, false); }
void BM_PaintViewport_1000(benchmark::State& state) { PaintViewport(state, 9, kViewport, false); }
void BM_PaintViewport_1920x1080_100(benchmark::State& state) { PaintViewport(state, 3, kFullHdViewport, true); }
void BM_PaintViewport_1920x1080_1000(benchmark::State& state) { PaintViewport(state, 9, kFullHdViewport, true); }
BENCHMARK(BM_PaintViewport_100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintViewport_1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintViewport_1920x1080_100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintViewport_1920x1080_1000)->Unit(benchmark::kMicrosecond);
void BM_PaintViewport_1920x1080_100_Afresh(benchmark::State& state) {
    PaintViewport(state, 3, kFullHdViewport, true, true);
}
BENCHMARK(BM_PaintViewport_1920x1080_100_Afresh)->Unit(benchmark::kMicrosecond);

// 全体表示 on a full-HD window: the 25 % layout (1,073 pixels wide) shown
// scaled to 1,910, the whole board painted as a paint event paints it.
void BM_PaintFitScaled_1910(benchmark::State& state) {
    Editor& e = TheEditor();
    e.SetMagnification(0);
    LedHyoujikiClass& doc = e.windows->MainForm().Document();
    for (int x = 0; x < 480; ++x)
        for (int y = 0; y < 80; ++y) doc.Board(x / 16, y / 16).Led(x % 16, y % 16).Color = (x + y) % 4;
    PaintBoxWidget* box = e.windows->MainForm().PaintBox1;
    box->SetDisplayScale(1910.0 / box->Width());
    box->Refresh();
    QImage image(box->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        box->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["paintbox_w"] = box->width();
    state.counters["paintbox_h"] = box->height();
    box->SetDisplayScale(1.0);
    doc.ClearAll();
    box->Refresh();
}
BENCHMARK(BM_PaintFitScaled_1910)->Unit(benchmark::kMicrosecond);

// 1,000 pen strokes with the left button held, then the repaint they asked for.
void Strokes(benchmark::State& state, int magnificationIndex) {
    Editor& e = TheEditor();
    e.SetMagnification(magnificationIndex);
    TMainForm& m = e.windows->MainForm();
    const int pitch = m.Document().Pitch();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const int x = 22 + (i * 7) % (pitch * 6);
            const int y = 14 + (i * 3) % (pitch * 4);
            m.PaintBox1MouseMove(Qt::LeftButton, QPoint(x, y));
        }
        QApplication::processEvents();
    }
    state.counters["rss_mb"] = static_cast<double>(ResidentKb()) / 1024.0;
    m.Document().ClearAll();
}
void BM_Strokes1000_100(benchmark::State& state) { Strokes(state, 3); }
void BM_Strokes1000_1000(benchmark::State& state) { Strokes(state, 9); }
BENCHMARK(BM_Strokes1000_100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Strokes1000_1000)->Unit(benchmark::kMicrosecond);

// 画像の読み込み's whole answer to the threshold slider for a picture filling
// the board: the dots worked out again, put into the preview's board and the
// preview painted, as a dragged slider asks for it. A 1920 x 320 image of
// colour gradients and fine stripes, fitted to all 480 x 80 dots.
void ImportWindowThreshold(benchmark::State& state, int dither) {
    RgbaImage image(1920, 320);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t* p = image.Pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x * 255 / 1919);
            p[1] = static_cast<std::uint8_t>(y * 255 / 319);
            p[2] = static_cast<std::uint8_t>((x / 7 + y / 5) % 2 ? 220 : 30);
            p[3] = 255;
        }
    TImageImportForm form(DisplayShape{});
    form.SetImage(std::move(image), "banner.png", 1);
    form.SizeComboBox->setCurrentIndex(1);
    form.DitherComboBox->setCurrentIndex(dither);
    form.show();
    QApplication::processEvents();
    int t = 0;
    for (auto _ : state) {
        form.ThresholdSlider->setValue(t++ % 256);
        form.PreviewBox->repaint();
    }
    state.counters["preview_w"] = form.PreviewBox->width();
    state.counters["preview_h"] = form.PreviewBox->height();
}
void BM_ImportWindowThreshold_None(benchmark::State& state) { ImportWindowThreshold(state, 0); }
void BM_ImportWindowThreshold_Diffusion(benchmark::State& state) { ImportWindowThreshold(state, 2); }
BENCHMARK(BM_ImportWindowThreshold_None)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ImportWindowThreshold_Diffusion)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallJapaneseFonts(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theEditor.reset();
    return 0;
}
