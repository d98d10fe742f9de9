// Drawing costs: the polygon procedure alone, the real canvas up to the screen, and a press
// of the draw button after a thousand others, each against what it must stay close to.
#include <benchmark/benchmark.h>

#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "controls/qt/qt_list_box.h"
#include "controls/qt/qt_picture_box.h"
#include "fakes.h"
#include "geometry/draw_polygon.h"
#include "window/lesson_window.h"
#include "window/scene_view.h"
#include "window/startup.h"
#include "window/tamirel_window.h"

namespace tamirel {
namespace {

using testing::CallLog;
using testing::FakeListBox;
using testing::RecordingPictureBox;

constexpr int kCanvasSide = 267;   // the window's canvas, border included

void DrawPolygonIntoRecording(benchmark::State& state) {
    CallLog log;
    log.reserve(64);
    RecordingPictureBox picture(log);
    FakeListBox radii("radii", log, {"500"}, 0);
    FakeListBox counts("counts", log, {"20"}, 0);
    for (auto _ : state) {
        log.clear();
        DrawPolygon(picture, radii, counts);
        benchmark::DoNotOptimize(log.data());
    }
}
BENCHMARK(DrawPolygonIntoRecording);

// The real canvas: clear, draw R = 500, N = 20, and the repaint that puts it on screen.
void DrawAndRepaintCanvas(benchmark::State& state) {
    CallLog unused;
    FakeListBox radii("radii", unused, {"500"}, 0);
    FakeListBox counts("counts", unused, {"20"}, 0);
    QtPictureBox canvas;
    canvas.resize(kCanvasSide, kCanvasSide);
    canvas.SetScaleHeight(1000);
    canvas.SetScaleWidth(1000);
    canvas.SetBackColor(Rgb(255, 255, 255));
    for (auto _ : state) {
        canvas.Cls();
        DrawPolygon(canvas, radii, counts);
        unused.clear();
        QPixmap shown = canvas.grab();
        benchmark::DoNotOptimize(shown.cacheKey());
    }
}
BENCHMARK(DrawAndRepaintCanvas);

// The same circle, point and 20 lines painted straight onto an image of the area's size.
void PaintBaseline(benchmark::State& state) {
    constexpr int side = kCanvasSide - 2 * QtPictureBox::kBorder;
    QImage image(side, side, QImage::Format_RGB32);
    QPolygonF vertices;
    const double halfAlpha = (18.0 / 20.0) * kPi / 2;
    for (int m = 0; m <= 20; ++m) {
        const double theta = m * kTwoPi / 20 + halfAlpha;
        vertices << QPointF(131 + 131 * std::cos(theta), 131 + 131 * std::sin(theta));
    }
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawEllipse(QPointF(131, 131), 131, 131);
        painter.drawPoint(vertices[0]);
        for (int i = 1; i <= 20; ++i) painter.drawLine(vertices[i - 1], vertices[i]);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(PaintBaseline);

void PressDraw(benchmark::State& state, int pressesBefore) {
    Tamirel window;
    window.form().Form_Load();
    window.controls().List1[2]->SetListIndex(17);   // "20"
    for (int i = 0; i < pressesBefore; ++i) window.form().Command1_Click(0);
    QtPictureBox& canvas = *window.controls().Picture1;
    benchmark::DoNotOptimize(canvas.grab().cacheKey());
    for (auto _ : state) {
        if (pressesBefore == 0) canvas.Cls();   // every press is the first on a clean canvas
        window.form().Command1_Click(0);
        QPixmap shown = canvas.grab();
        benchmark::DoNotOptimize(shown.cacheKey());
    }
}
BENCHMARK_CAPTURE(PressDraw, FirstPress, 0);
// A fixed number of iterations keeps the drawing between 1,000 and 2,000 figures.
BENCHMARK_CAPTURE(PressDraw, AfterThousandPresses, 1000)->Iterations(1000);

// Marks that a widget has been painted.
class PaintSeen : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) seen = true;
        return QObject::eventFilter(watched, event);
    }
};

// F1 (the lesson command's key) in the main window, R = 300, N = 6, up to the first paint of
// the new lesson window's figure; the window is closed and deleted between runs, untimed.
void LessonFromF1ToFirstPaint(benchmark::State& state) {
    Tamirel window;
    window.form().Form_Load();
    window.controls().List1[1]->SetListIndex(4);   // "300"
    window.controls().List1[2]->SetListIndex(3);   // "6"
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.lessonAction()->trigger();
        PaintSeen paint;
        window.lesson()->figure()->installEventFilter(&paint);
        while (!paint.seen) QApplication::processEvents(QEventLoop::AllEvents);
        state.PauseTiming();
        window.lesson()->figure()->removeEventFilter(&paint);
        window.lesson()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(LessonFromF1ToFirstPaint)->Unit(benchmark::kMillisecond);

// Prints the usual table, then the ratios the goals are stated in.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions the medians stand for the benchmark; without, the single run.
        for (const Run& run : runs) {
            std::string name = run.benchmark_name();
            const std::string median = "_median";
            if (run.run_type == Run::RT_Aggregate) {
                if (!name.ends_with(median)) continue;
                name.resize(name.size() - median.size());
            }
            times_[name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        Ratio("draw and repaint / QPainter baseline", "DrawAndRepaintCanvas", "PaintBaseline", 1.5);
        Ratio("press after 1,000 / first press", "PressDraw/AfterThousandPresses/iterations:1000",
              "PressDraw/FirstPress", 1.5);
        if (times_.count("LessonFromF1ToFirstPaint")) {
            const double ms = times_.at("LessonFromF1ToFirstPaint");
            std::printf("%-40s %5.1f ms  (goal < 50 ms: %s)\n", "lesson: F1 to the figure's first paint", ms,
                        ms < 50 ? "met" : "NOT MET");
        }
    }

private:
    void Ratio(const char* what, const std::string& a, const std::string& b, double goal) const {
        if (!times_.count(a) || !times_.count(b)) return;
        const double ratio = times_.at(a) / times_.at(b);
        std::printf("%-40s %5.2f  (goal <= %.1f: %s)\n", what, ratio, goal, ratio <= goal ? "met" : "NOT MET");
    }

    std::map<std::string, double> times_;
};

}  // namespace
}  // namespace tamirel

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tamirel::ConfigureApplication(app);
    benchmark::Initialize(&argc, argv);
    tamirel::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
