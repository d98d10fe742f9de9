#include "controls/qt/drawing_export.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <memory>
#include <set>
#include <vector>

#include "controls/qt/qt_picture_box.h"
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

}  // namespace
}  // namespace tamirel
