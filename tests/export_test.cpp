#include "controls/qt/drawing_export.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "controls/qt/qt_picture_box.h"
#include "controls/whole_file.h"
#include "ink_runs.h"

namespace tamirel {
namespace {

// A horizontal line through the middle and a circle of radius 300, in one style.
Drawing Figure(std::int16_t style) {
    QtPictureBox canvas;
    canvas.resize(267, 267);
    canvas.SetScaleHeight(1000);
    canvas.SetScaleWidth(1000);
    canvas.SetBackColor(Rgb(255, 255, 255));
    canvas.Cls();
    canvas.SetDrawStyle(style);
    canvas.PSet(0, 500);
    canvas.Line(1000, 500);
    canvas.Circle(500, 500, 300);
    return canvas.drawing();
}

using testing::Ink;

std::vector<int> Runs(const QImage& image, int y) { return testing::InkRuns(image, y); }

int CountDark(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += Ink(image, x, y);
    return n;
}

QImage RenderSvg(const QByteArray& svg) {
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage image(kExportSide, kExportSide, QImage::Format_RGB32);
    image.fill(Qt::red);   // the SVG must paint its own background
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// The same checks for the image and for the SVG drawn back into an image.
void ExpectStylesKept(const std::vector<QImage>& byStyle, const char* what) {
    std::set<std::vector<int>> patterns;
    for (std::int16_t style = 0; style <= 6; ++style) {
        const QImage& image = byStyle[style];
        ASSERT_EQ(image.size(), QSize(kExportSide, kExportSide)) << what;
        EXPECT_EQ(image.pixel(kExportSide - 1, 0), qRgb(255, 255, 255)) << what << ": opaque white background";
        const std::vector<int> runs = Runs(image, 500);
        if (style == kTransparent) {
            EXPECT_EQ(CountDark(image), 0) << what << ": the transparent style shows nothing";
        } else if (style == kSolid || style == kInsideSolid) {
            ASSERT_EQ(runs.size(), 1u) << what << " style " << style;
            EXPECT_GT(runs[0], kExportSide - 10) << what;
            EXPECT_TRUE(Ink(image, 500, 200) || Ink(image, 500, 201)) << what << ": the circle's top";
        } else {
            EXPECT_GT(runs.size(), 20u) << what << " style " << style << " is broken";
            patterns.insert(std::vector<int>(runs.begin() + 1, runs.begin() + 7));
        }
    }
    EXPECT_EQ(patterns.size(), 4u) << what << ": dash, dot, dash-dot and dash-dot-dot differ";
}

TEST(Export, ImageKeepsEveryLineStyleAtItsOwnResolution) {
    std::vector<QImage> images;
    for (std::int16_t style = 0; style <= 6; ++style) images.push_back(DrawingToImage(Figure(style)));
    ExpectStylesKept(images, "PNG");
    // Dashes scale with the export's pen: 18/6 screen pixels become 54/18.
    const std::vector<int> dash = Runs(images[kDash], 500);
    EXPECT_EQ(std::vector<int>(dash.begin() + 1, dash.begin() + 4), (std::vector<int>{18, 54, 18}));
}

TEST(Export, SvgParsesCarriesDashArraysAndDrawsTheSame) {
    std::vector<QImage> rendered;
    for (std::int16_t style = 0; style <= 6; ++style) {
        const QByteArray svg = DrawingToSvg(Figure(style), QStringLiteral("описание"));
        QXmlStreamReader xml(svg);
        bool dashed = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.attributes().hasAttribute(QStringLiteral("stroke-dasharray"))) dashed = true;
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_EQ(dashed, style >= kDash && style <= kDashDotDot) << "style " << style;
        rendered.push_back(RenderSvg(svg));
    }
    ExpectStylesKept(rendered, "SVG");
}

TEST(Export, ClipboardDataHasImageAndSvg) {
    const std::unique_ptr<QMimeData> data(DrawingToMimeData(Figure(kDot), QString()));
    EXPECT_TRUE(data->hasImage());
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/svg+xml")));
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    EXPECT_EQ(png.size(), QSize(kExportSide, kExportSide));
    EXPECT_FALSE(png.hasAlphaChannel());
}

TEST(Export, SaveWritesPngOrSvgByExtension) {
    QTemporaryDir dir;
    const Drawing drawing = Figure(kDashDot);
    EXPECT_EQ(SaveDrawing(drawing, QString(), dir.filePath(QStringLiteral("a.png"))), QString());
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("a.png"))).size(), QSize(kExportSide, kExportSide));
    EXPECT_EQ(SaveDrawing(drawing, QString(), dir.filePath(QStringLiteral("b.SVG"))), QString());
    EXPECT_TRUE(QSvgRenderer(dir.filePath(QStringLiteral("b.SVG"))).isValid());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(Export, FailedSaveReportsAndLeavesNoFile) {
    QTemporaryDir dir;
    const Drawing drawing = Figure(kSolid);
    QDir(dir.path()).mkdir(QStringLiteral("taken.png"));   // a folder where the file should go
    for (const QString& name : {QStringLiteral("missing/a.png"), QStringLiteral("taken.png"), QStringLiteral("a.bmp")}) {
        EXPECT_FALSE(SaveDrawing(drawing, QString(), dir.filePath(name)).isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << "no file, no temporary";
}

// Runs `save` with writes limited to `limit` bytes a file, as a full disk would stop them.
QString SaveWithFileSizeLimit(rlim_t limit, const std::function<QString()>& save) {
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = before;
    limited.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &limited);
    const QString reason = save();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    return reason;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A drawing whose SVG is far larger than the limit below.
Drawing ManyLines() {
    Drawing drawing = Figure(kDash);
    for (int i = 0; i < 4000; ++i) drawing.primitives.push_back(drawing.primitives[1]);
    return drawing;
}

TEST(Export, SaveCutShortLeavesTheOldFileOrNoneAndSaysWhy) {
    const QString full = QStringLiteral("Дискът е пълен или файлът е твърде голям.");
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("small.png"));
    const QString svg = dir.filePath(QStringLiteral("large.svg"));
    const QString old = dir.filePath(QStringLiteral("old.png"));
    ASSERT_EQ(SaveDrawing(Figure(kSolid), QString(), old), QString());
    const QByteArray oldBytes = Contents(old);
    ASSERT_GT(oldBytes.size(), 1024);

    EXPECT_EQ(SaveWithFileSizeLimit(1024, [&] { return SaveDrawing(Figure(kDot), QString(), png); }), full);
    EXPECT_EQ(SaveWithFileSizeLimit(64 * 1024, [&] { return SaveDrawing(ManyLines(), QString(), svg); }), full);
    EXPECT_EQ(SaveWithFileSizeLimit(1024, [&] { return SaveDrawing(Figure(kDash), QString(), old); }), full);

    EXPECT_EQ(Contents(old), oldBytes) << "the old file stays byte for byte";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.png")})
        << "no cut-off file, no temporary";
}

TEST(Export, EachUsualCauseOfAFailedSaveHasItsOwnWords) {
    QTemporaryDir dir;
    const Drawing drawing = Figure(kSolid);
    EXPECT_EQ(SaveDrawing(drawing, QString(), dir.filePath(QStringLiteral("missing/a.png"))),
              QStringLiteral("Папката не съществува."));
    EXPECT_EQ(SaveDrawing(drawing, QString(), dir.filePath(QString(300, QLatin1Char('a')) + QStringLiteral(".png"))),
              QStringLiteral("Името на файла е твърде дълго."));
    EXPECT_EQ(WriteFailureReason(EACCES), "Нямате право да записвате тук.");
    EXPECT_EQ(WriteFailureReason(EXDEV).rfind("Файлът не можа да бъде записан (", 0), 0u);
    if (geteuid() != 0) {   // root may write anywhere
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(SaveDrawing(drawing, QString(), dir.filePath(QStringLiteral("a.png"))),
                  QStringLiteral("Нямате право да записвате тук."));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

}  // namespace
}  // namespace tamirel
