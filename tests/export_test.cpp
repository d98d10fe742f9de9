// Exported PNG and SVG, the clipboard's contents and saving, for every line style.
#include "window/drawing_files.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtPrintSupport/QPrinter>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtCore/QXmlStreamReader>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLineEdit>
#include <QtCore/QTimer>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <functional>
#include <iostream>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "controls/qt/drawing_export.h"
#include "controls/whole_file.h"
#include "fakes.h"
#include "window/startup.h"
#include "window/tamirel_window.h"
#include "form/svg_writer.h"
#include "geometry/draw_polygon.h"
#include "ink_runs.h"
#include "lesson/page.h"
#include "lesson/scene_draw.h"
#include "lesson/picture_formats.h"

namespace tamirel {
namespace {

// A white canvas on the window's 1000 x 1000 scale.
struct Canvas : RetainedPictureBox {
    Canvas() : RetainedPictureBox(Rgb(255, 255, 255)) {
        SetScaleHeight(1000);
        SetScaleWidth(1000);
        Cls();
    }
};

// A horizontal line through the middle and a circle of radius 300, in one style.
Canvas Figure(std::int16_t style) {
    Canvas canvas;
    canvas.SetDrawStyle(style);
    canvas.PSet(0, 500);
    canvas.Line(1000, 500);
    canvas.Circle(500, 500, 300);
    return canvas;
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
    for (std::int16_t style = 0; style <= 6; ++style) images.push_back(DrawingToImage(Figure(style).drawing()));
    ExpectStylesKept(images, "PNG");
    // Dashes scale with the export's pen: 18/6 screen pixels become 54/18.
    const std::vector<int> dash = Runs(images[kDash], 500);
    EXPECT_EQ(std::vector<int>(dash.begin() + 1, dash.begin() + 4), (std::vector<int>{18, 54, 18}));
}

TEST(Export, SvgParsesCarriesDashArraysAndDrawsTheSame) {
    std::vector<QImage> rendered;
    for (std::int16_t style = 0; style <= 6; ++style) {
        const QByteArray svg = CanvasToSvg(Figure(style), "описание");
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

TEST(Export, ClipboardDataHasImageSvgAndTheDescriptionAsText) {
    const std::unique_ptr<QMimeData> data(CanvasToMimeData(Figure(kDot), "Окръжност с радиус 300"));
    EXPECT_TRUE(data->hasImage());
    EXPECT_TRUE(data->hasFormat(QStringLiteral("image/svg+xml")));
    EXPECT_EQ(data->text(), QStringLiteral("Окръжност с радиус 300"));
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    EXPECT_EQ(png.size(), QSize(kExportSide, kExportSide));
    EXPECT_FALSE(png.hasAlphaChannel());
    // On paper as wide as an A4 page's text, not 26 cm at the default 96 dpi.
    EXPECT_NEAR(png.width() / (png.dotsPerMeterX() / 100.0), 16.5, 0.01);
}

TEST(Export, SaveWritesEachFormatByExtension) {
    QTemporaryDir dir;
    const Canvas drawing = Figure(kDashDot);
    EXPECT_EQ(SaveCanvas(drawing, "", dir.filePath(QStringLiteral("a.png"))), QString());
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("a.png"))).size(), QSize(kExportSide, kExportSide));
    EXPECT_EQ(SaveCanvas(drawing, "", dir.filePath(QStringLiteral("b.SVG"))), QString());
    EXPECT_TRUE(QSvgRenderer(dir.filePath(QStringLiteral("b.SVG"))).isValid());
    EXPECT_EQ(SaveCanvas(drawing, "", dir.filePath(QStringLiteral("c.tex"))), QString());
    QFile tex(dir.filePath(QStringLiteral("c.tex")));
    ASSERT_TRUE(tex.open(QIODevice::ReadOnly));
    EXPECT_TRUE(tex.readAll().contains("dash pattern=on "));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);
}

TEST(Export, FailedSaveReportsAndLeavesNoFile) {
    QTemporaryDir dir;
    const Canvas drawing = Figure(kSolid);
    QDir(dir.path()).mkdir(QStringLiteral("taken.png"));   // a folder where the file should go
    for (const QString& name : {QStringLiteral("missing/a.png"), QStringLiteral("taken.png"), QStringLiteral("a.bmp")}) {
        EXPECT_FALSE(SaveCanvas(drawing, "", dir.filePath(name)).isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList()) << "no file, no temporary";
}

struct SvgElement {
    QString name;
    QXmlStreamAttributes attributes;
};

// Every element of the document below the background, or a failure for malformed XML.
std::vector<SvgElement> Elements(const QByteArray& svg) {
    std::vector<SvgElement> elements;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) elements.push_back({xml.name().toString(), xml.attributes()});
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return elements;
}

std::vector<SvgElement> Named(const std::vector<SvgElement>& all, const char* name) {
    std::vector<SvgElement> found;
    for (const SvgElement& e : all) {
        if (e.name == QLatin1String(name)) found.push_back(e);
    }
    return found;
}

TEST(Svg, WorkedFiguresKeepTheirCanvasUnitsExactly) {
    for (const auto& [radius, count] : {std::pair{"500", "3"}, std::pair{"300", "4"}, std::pair{"150", "6"}}) {
        testing::CallLog log;
        testing::RecordingPictureBox recording(log);
        testing::FakeListBox radii("radii", log, {radius}, 0), counts("counts", log, {count}, 0);
        DrawPolygon(recording, radii, counts);
        Canvas canvas;
        DrawPolygon(canvas, radii, counts);
        const std::vector<SvgElement> all = Elements(CanvasToSvg(canvas, "<описание & \"кавички\">"));
        const std::vector<SvgElement> circles = Named(all, "circle"), outlines = Named(all, "polyline");
        ASSERT_EQ(circles.size(), 1u);
        ASSERT_EQ(outlines.size(), 1u);
        EXPECT_EQ(circles[0].attributes.value(QLatin1String("r")).toString(), QLatin1String(radius));
        EXPECT_EQ(circles[0].attributes.value(QLatin1String("cx")).toString(), QLatin1String("500"));
        EXPECT_EQ(circles[0].attributes.value(QLatin1String("cy")).toString(), QLatin1String("500"));

        // The outline's points are the start vertex and every line's end, as the canvas got them.
        std::vector<float> expected;
        for (const testing::Call& c : log) {
            if (c.what == "PSet" || c.what == "Line") expected.insert(expected.end(), {float(c.args[0]), float(c.args[1])});
        }
        std::vector<float> points;
        for (const QString& pair : outlines[0].attributes.value(QLatin1String("points")).toString().split(QLatin1Char(' ')))
            for (const QString& number : pair.split(QLatin1Char(','))) points.push_back(number.toFloat());
        EXPECT_EQ(points, expected) << radius << ", " << count;
        EXPECT_EQ(Named(all, "rect").size(), 2u) << "the background and the start point";
    }
}

TEST(Svg, EachStyleHasItsDashArrayAndTransparentWritesNothing) {
    const char* const dashes[] = {"", "54 18", "9 9", "27 18 9 18", "27 9 9 9 9 9", "", ""};
    for (std::int16_t style = 0; style <= 6; ++style) {
        const std::vector<SvgElement> all = Elements(CanvasToSvg(Figure(style), ""));
        if (style == kTransparent) {
            EXPECT_TRUE(Named(all, "circle").empty() && Named(all, "polyline").empty());
            EXPECT_EQ(Named(all, "rect").size(), 1u) << "the background alone";
            continue;
        }
        for (const char* element : {"circle", "polyline"}) {
            const std::vector<SvgElement> found = Named(all, element);
            ASSERT_EQ(found.size(), 1u) << element << " in style " << style;
            EXPECT_EQ(found[0].attributes.value(QLatin1String("stroke-dasharray")).toString(), QLatin1String(dashes[style]))
                << element << " in style " << style;
        }
    }
}

// The first page of a PDF as a grey image at 100 dpi, through poppler's pdftoppm.
QImage PdfPage(const QByteArray& pdf) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("page.pdf")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf) == pdf.size());
    file.close();
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"),
                                                 QStringLiteral("-png"), QStringLiteral("-singlefile"), file.fileName(),
                                                 dir.filePath(QStringLiteral("page"))});
    EXPECT_TRUE(pdftoppm.waitForFinished(30000) && pdftoppm.exitCode() == 0) << "pdftoppm (poppler-utils) renders the page";
    return QImage(dir.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
}

// Prints `canvas`'s page as the window's print command does.
QString PrintCanvas(QPrinter& printer, const Canvas& canvas, const QString& description) {
    return PrintDocument(
        printer, [&](QPagedPaintDevice& device) { return PaintPage(device, canvas.drawing(), description); },
        QStringLiteral("Tamirel"), description);
}

// The PDF of `canvas` as printed (through QPrinter's PDF output, with the printer's own
// narrow margins) and as saved.
std::vector<QImage> PrintedAndSaved(const Canvas& canvas) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(3, 3, 3, 3), QPageLayout::Millimeter);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    EXPECT_EQ(PrintCanvas(printer, canvas, QStringLiteral("Окръжност с радиус 300")), QString());
    QFile printed(printer.outputFileName());
    EXPECT_TRUE(printed.open(QIODevice::ReadOnly));
    const QString saved = dir.filePath(QStringLiteral("saved.pdf"));
    EXPECT_EQ(SaveCanvas(canvas, "Окръжност с радиус 300", saved), QString());
    QFile savedFile(saved);
    EXPECT_TRUE(savedFile.open(QIODevice::ReadOnly));
    return {PdfPage(printed.readAll()), PdfPage(savedFile.readAll())};
}

QRect InkBox(const QImage& image, int belowY = 0, int aboveY = -1) {
    QRect box;
    for (int y = belowY; y < (aboveY < 0 ? image.height() : aboveY); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Ink(image, x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(Pdf, PageHasARoundCentredCircleBrokenDashesAndACaption) {
    Canvas circle;
    circle.Circle(500, 500, 300);
    for (const QImage& page : PrintedAndSaved(circle)) {
        ASSERT_FALSE(page.isNull());
        const QRect drawn = InkBox(page, 0, page.height() * 6 / 10);
        EXPECT_NEAR(drawn.width(), drawn.height(), 2) << "round";
        EXPECT_NEAR(drawn.center().x(), page.width() / 2, 2) << "centred";
        EXPECT_FALSE(InkBox(page, page.height() * 6 / 10).isEmpty()) << "the caption below";
    }
    for (std::int16_t style = 0; style <= 6; ++style) {
        for (const QImage& page : PrintedAndSaved(Figure(style))) {
            const QRect drawn = InkBox(page, 0, page.height() * 6 / 10);
            if (style == kTransparent) {
                EXPECT_TRUE(drawn.isEmpty()) << "nothing but the caption";
                continue;
            }
            // The line across the middle of the drawing, where it crosses no circle.
            const std::vector<int> runs = Runs(page.copy(0, 0, drawn.left() + drawn.width() / 5, page.height()),
                                               drawn.center().y());
            if (style == kSolid || style == kInsideSolid) {
                EXPECT_EQ(runs.size(), 1u) << "style " << style;
            } else {
                EXPECT_GT(runs.size(), 3u) << "style " << style << " stays broken";
            }
        }
    }
}

TEST(Pdf, PrintedPageAndPdfAreOneLayoutWithWideMarginsAndALargeCaption) {
    Canvas circle;
    circle.Circle(500, 500, 500);   // touches the drawing's edges
    const std::vector<QImage> pages = PrintedAndSaved(circle);
    ASSERT_EQ(pages.size(), 2u);
    const QImage& printed = pages[0];
    const QImage& saved = pages[1];
    ASSERT_EQ(printed.size(), saved.size());
    // The same page to the pixel, give or take the rounding of two resolutions (1200 and 600 dpi).
    const auto same = [](const QRect& a, const QRect& b) {
        return std::abs(a.left() - b.left()) <= 1 && std::abs(a.top() - b.top()) <= 1 &&
               std::abs(a.right() - b.right()) <= 1 && std::abs(a.bottom() - b.bottom()) <= 1;
    };
    const QRect ink = InkBox(printed);
    EXPECT_TRUE(same(ink, InkBox(saved)));
    const int margin = int(15 / 25.4 * 100);   // pixels at 100 dpi
    EXPECT_GE(ink.left(), margin);
    EXPECT_GE(ink.top(), margin);
    EXPECT_LE(ink.right(), printed.width() - 1 - margin);
    EXPECT_LE(ink.bottom(), printed.height() - 1 - margin);
    EXPECT_GE(ink.width(), printed.width() - 2 * margin - 2) << "the drawing as large as fits";
    const int below = ink.top() + ink.width() + 2;   // under the drawing, a square
    const QRect caption = InkBox(printed, below);
    EXPECT_TRUE(same(caption, InkBox(saved, below)));
    // "Окръжност с радиус 300", from the top of its capitals to the foot of "р": about 0.9 em.
    EXPECT_GE(caption.height(), int(0.8 * 14 / 72 * 100)) << "a caption of 14 pt";
}

TEST(Pdf, NamesTheProgramAndDescribesTheDrawingKeepingDateAndProducer) {
    const QByteArray pdf = CanvasToPdf(Figure(kSolid), "Описание");
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    // The last information dictionary, the one readers take, has the subject and still the
    // creation date and producer the first one had.
    const QByteArray last = pdf.mid(pdf.lastIndexOf("/Title"));
    EXPECT_TRUE(last.contains("/Subject <FEFF041E043F043804410430043D04380435>"));
    for (const char* key : {"/CreationDate (D:", "/Producer ("}) {
        EXPECT_TRUE(last.contains(key)) << key;
        EXPECT_EQ(pdf.count(key), 2) << key << " in both dictionaries";
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.pdf"));
    ASSERT_EQ(SaveCanvas(Figure(kSolid), "Описание", path), QString());
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    ASSERT_TRUE(pdfinfo.waitForFinished(30000));
    const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Subject: +Описание")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Producer: +Qt ")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("CreationDate: +\\S")))) << info.toStdString();
}

TEST(SaveDialog, NamesTheFileForTheChosenType) {
    const struct {
        const char* name;
        const char* extension;
        NameChange change;
        const char* expected;
    } rows[] = {
        {"plan.v2", "png", NameChange::kAccepted, "plan.v2.png"},
        {"Иван.Петров", "svg", NameChange::kAccepted, "Иван.Петров.svg"},
        {"урок 5.2", "svg", NameChange::kTypeChosen, "урок 5.2.svg"},
        {"урок 5.2.png", "svg", NameChange::kTypeChosen, "урок 5.2.svg"},
        {"tamirel.PNG", "pdf", NameChange::kTypeChosen, "tamirel.pdf"},
        {"чертеж.svg", "png", NameChange::kAccepted, "чертеж.svg"},
        {"чертеж", "pdf", NameChange::kAccepted, "чертеж.pdf"},
        {"план.", "png", NameChange::kAccepted, "план.png"},
        {"/home/уч.2/чертеж", "png", NameChange::kAccepted, "/home/уч.2/чертеж.png"},
        {".скрит", "png", NameChange::kAccepted, ".скрит.png"},
        // A dialog with a type of its own besides the pictures: an attempt file.
        {"опит.postroi", "postroi", NameChange::kAccepted, "опит.postroi"},
        {"опит.postroi", "png", NameChange::kTypeChosen, "опит.png"},
        {"опит.png", "postroi", NameChange::kTypeChosen, "опит.postroi"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NameForFileType(QString::fromUtf8(row.name), QString::fromUtf8(row.extension), row.change, QStringLiteral("postroi")),
                  QString::fromUtf8(row.expected))
            << row.name;
    }
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
Canvas ManyLines() {
    Canvas canvas = Figure(kDash);
    for (int i = 0; i < 4000; ++i) canvas.Line(static_cast<float>(i % 1000), static_cast<float>(i % 7));
    return canvas;
}

TEST(Export, SaveCutShortLeavesTheOldFileOrNoneAndSaysWhy) {
    const QString full = QString::fromStdString(WriteFailureReason(EFBIG));
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("small.png"));
    const QString svg = dir.filePath(QStringLiteral("large.svg"));
    const QString old = dir.filePath(QStringLiteral("old.png"));
    ASSERT_EQ(SaveCanvas(Figure(kSolid), "", old), QString());
    const QByteArray oldBytes = Contents(old);
    ASSERT_GT(oldBytes.size(), 1024);

    EXPECT_EQ(SaveWithFileSizeLimit(1024, [&] { return SaveCanvas(Figure(kDot), "", png); }), full);
    ASSERT_GT(CanvasToSvg(ManyLines(), "").size(), 4 * 4096);
    EXPECT_EQ(SaveWithFileSizeLimit(4096, [&] { return SaveCanvas(ManyLines(), "", svg); }), full);
    EXPECT_EQ(SaveWithFileSizeLimit(1024, [&] { return SaveCanvas(Figure(kDash), "", old); }), full);

    EXPECT_EQ(Contents(old), oldBytes) << "the old file stays byte for byte";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.png")})
        << "no cut-off file, no temporary";
}

// The real save dialog: a name typed, a type chosen from the list as a user does, accepted.
QString SavedThroughDialog(const QString& typed, int type) {
    const std::unique_ptr<Tamirel> window = StartMainWindow();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll.stop();
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < type; ++i) QTest::keyClick(types, Qt::Key_Down);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    poll.start(10);
    window->saveAction()->trigger();
    const QFileInfo folder(typed);
    const QStringList files = folder.dir().entryList(QDir::Files);
    return files.size() == 1 ? files[0] : files.join(QLatin1Char('|'));
}

TEST(SaveDialog, TypedNameAndChosenTypeNameTheFile) {
    QTemporaryDir png, svg;
    EXPECT_EQ(SavedThroughDialog(png.filePath(QStringLiteral("plan.v2")), 0), QStringLiteral("plan.v2.png"));
    EXPECT_EQ(SavedThroughDialog(svg.filePath(QStringLiteral("урок 5.2")), 1), QStringLiteral("урок 5.2.svg"));
    EXPECT_TRUE(QSvgRenderer(svg.filePath(QStringLiteral("урок 5.2.svg"))).isValid());
}

// Mounts a 64 KiB tmpfs on `folder` in a mount namespace of this process's own, so that it is
// gone when the test ends. False where the test may not (not root, or threads share the mounts).
bool SmallDisk(const QString& folder) {
    return geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0;
}

TEST(Print, ToAFileOnAFullDiskSaysSoAndLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString disk = dir.filePath(QStringLiteral("disk"));
    QDir(dir.path()).mkdir(QStringLiteral("disk"));
    const bool small = SmallDisk(disk);
    const QString path = disk + QStringLiteral("/печат.pdf");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(QByteArray(2048, '%')) == 2048);
    old.close();
    if (small) {   // fill the disk to the last byte
        QFile filler(disk + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'f')) > 0 && filler.flush()) {
        }
    } else {
        std::cout << "[   NOTE   ] no tmpfs of the test's own (needs root, one thread): a file-size limit stands in\n";
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const auto print = [&] { return PrintCanvas(printer, ManyLines(), QStringLiteral("Много линии")); };
    const QString message = small ? print() : SaveWithFileSizeLimit(4096, print);
    const std::string reason = WriteFailureReason(small ? ENOSPC : EFBIG);
    EXPECT_EQ(message, QStringLiteral("Чертежът не беше запазен в „%1“.\n%2").arg(path, QString::fromStdString(reason)));
    EXPECT_EQ(Contents(path), QByteArray(2048, '%')) << "the old file stays whole";
    EXPECT_EQ(QDir(disk).entryList(QDir::Files | QDir::Hidden).size(), small ? 2 : 1) << "nothing left over";
    if (small) ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH);
}

TEST(Export, EachUsualCauseOfAFailedSaveHasItsOwnWords) {
    QTemporaryDir dir;
    const Canvas drawing = Figure(kSolid);
    EXPECT_EQ(SaveCanvas(drawing, "", dir.filePath(QStringLiteral("missing/a.png"))),
              QStringLiteral("Папката не съществува."));
    EXPECT_EQ(SaveCanvas(drawing, "", dir.filePath(QString(300, QLatin1Char('a')) + QStringLiteral(".png"))),
              QStringLiteral("Името на файла е твърде дълго."));
    EXPECT_EQ(WriteFailureReason(EACCES), "Нямате право да записвате тук.");
    EXPECT_EQ(WriteFailureReason(EXDEV).rfind("Файлът не можа да бъде записан (", 0), 0u);
    if (geteuid() != 0) {   // root may write anywhere
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(SaveCanvas(drawing, "", dir.filePath(QStringLiteral("a.png"))),
                  QStringLiteral("Нямате право да записвате тук."));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// Another program's reading of our SVG: librsvg (GNOME, many converters) draws every letter of
// the lesson's page and of a construction step where our own PNG has it. Within a square of
// two letter heights round each label, the ink's amount and centre agree: a letter drawn too
// high, lost, or cut by its own halo moves or thins them.
TEST(Svg, AnotherReaderDrawsEveryLetterWhereOurPngHasIt) {
    const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (rsvg.isEmpty()) GTEST_SKIP() << "rsvg-convert is missing (Debian: librsvg2-bin)";
    testing::CallLog log;
    const testing::FakeListBox radii("List1(1)", log, {"300"}, 0), counts("List1(2)", log, {"7"}, 0);
    ConstructionSteps pentagon;
    pentagon.Follow(300, 5);
    QTemporaryDir dir;
    int labels = 0;
    for (const Picture& picture : {LessonPicture(MakeLesson(radii, counts, false)), StepPicture(pentagon, 9)}) {
        const QImage ours = PictureImage(picture).convertToFormat(QImage::Format_Grayscale8);
        const QString svg = dir.filePath(QStringLiteral("page.svg")), png = dir.filePath(QStringLiteral("page.png"));
        QFile file(svg);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(PictureBytes(*FindPictureFormat("svg"), picture));
        file.close();
        ASSERT_EQ(QProcess::execute(rsvg, {QStringLiteral("-w"), QString::number(ours.width()), QStringLiteral("-h"),
                                           QString::number(ours.height()), QStringLiteral("-b"), QStringLiteral("white"),
                                           svg, QStringLiteral("-o"), png}), 0);
        const QImage theirs = QImage(png).convertToFormat(QImage::Format_Grayscale8);
        ASSERT_EQ(theirs.size(), ours.size());
        const Page& page = picture.pages.front();
        const double pixels = ours.width() / page.box.width;
        for (const PageFigure& figure : page.figures) {
            const double unit = figure.area.width / kSceneSide * pixels;
            for (const SceneItem& item : figure.scene.items) {
                if (item.kind != SceneItem::Kind::Label) continue;
                ++labels;
                const double em = kLabelHeight * figure.scene.markScale * unit;
                const QPointF at((figure.area.x - page.box.x) * pixels + item.a.x * unit,
                                 (figure.area.y - page.box.y) * pixels + item.a.y * unit);
                const QRect square = QRectF(at - QPointF(em, em), QSizeF(2 * em, 2 * em)).toRect() & ours.rect();
                // The amount of ink and its centre in the square.
                const auto ink = [&](const QImage& image) {
                    double amount = 0, x = 0, y = 0;
                    for (int row = square.top(); row <= square.bottom(); ++row)
                        for (int col = square.left(); col <= square.right(); ++col) {
                            const double dark = (255 - image.constScanLine(row)[col]) / 255.0;
                            amount += dark, x += dark * col, y += dark * row;
                        }
                    return std::array<double, 3>{amount, x / amount, y / amount};
                };
                const auto a = ink(ours), b = ink(theirs);
                EXPECT_NEAR(b[0] / a[0], 1, 0.15) << item.text << " at " << item.a.x << ", " << item.a.y;
                EXPECT_NEAR(b[1], a[1], 0.1 * em) << item.text;
                EXPECT_NEAR(b[2], a[2], 0.1 * em) << item.text;
            }
        }
    }
    EXPECT_GT(labels, 15);
}

}  // namespace
}  // namespace tamirel
