#include "chart/qt/struktogramm.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QClipboard>
#include <QFontMetrics>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QWidget>

#include "chart/chart_layout.h"
#include "export/emf_device.h"
#include "export/safe_output.h"
#include "text/cp1252.h"

namespace {

constexpr int kTitleHeight = 16; // character height of the sub-chart titles
constexpr int kTextHeight = 11;  // character height of every text inside a box

QString FromCp1252(const std::string &text)
{
    return QString::fromUtf8(tumbo::text::Cp1252ToUtf8(text));
}

// Text is placed by the top-left corner of its character cell, as the layout counts it.
void TextOut(QPainter &canvas, int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    canvas.drawText(QPointF(x, y + canvas.fontMetrics().ascent()), text);
}

int TextWidth(QPainter &canvas, const QString &text)
{
    return canvas.fontMetrics().horizontalAdvance(text);
}

int TextHeight(QPainter &canvas)
{
    return canvas.fontMetrics().height();
}

// Text on an opaque white ground, which blanks the lines beneath it.
void OpaqueTextOut(QPainter &canvas, int x, int y, const QString &text)
{
    if (text.isEmpty())
        return;
    canvas.fillRect(QRect(x, y, TextWidth(canvas, text), TextHeight(canvas)), Qt::white);
    TextOut(canvas, x, y, text);
}

} // namespace

TStruktogramm::TStruktogramm(QWidget *control) : Control(control) {}

void TStruktogramm::Prepare(const TTumbo_Program *tree)
{
    if (!tree) {
        Valid = false;
        return;
    }
    Valid = true;
    const TChartMetrics defaults;
    RowHeight = defaults.RowHeight;
    BoxWidth = defaults.BoxWidth;
    Indent = defaults.Indent;
    Extent = TChartRect();

    const TChartSize size = EstimateChartSize(tree, Metrics());
    ChartHeight = size.Height;
    ChartWidth = size.Width;
    SizeControl();
}

void TStruktogramm::SizeControl()
{
    if (Control)
        Control->setFixedSize(int(std::ceil(ChartWidth * viewScale_)), int(std::ceil(ChartHeight * viewScale_)));
}

void TStruktogramm::SetViewScale(double scale)
{
    viewScale_ = scale;
    if (Valid)
        SizeControl();
    if (Control)
        Control->update();
}

TChartLayout TStruktogramm::LayoutFor(const TTumbo_Program *tree) const
{
    return LayoutChart(tree, Metrics());
}

void TStruktogramm::PaintTo(QPainter &canvas, const TTumbo_Program *tree)
{
    PaintLayout(canvas, LayoutFor(tree));
}

void TStruktogramm::PaintControl(const TTumbo_Program *tree, const QRect &area)
{
    if (!Valid || !Control)
        return;
    QPainter canvas(Control);
    if (viewScale_ == 1.0) {
        PaintLayout(canvas, LayoutFor(tree), area);
        return;
    }
    canvas.scale(viewScale_, viewScale_);
    const QRect units = area.isValid() ? QRect(QPoint(int(std::floor(area.left() / viewScale_)) - 1,
                                                      int(std::floor(area.top() / viewScale_)) - 1),
                                               QPoint(int(std::ceil(area.right() / viewScale_)) + 1,
                                                      int(std::ceil(area.bottom() / viewScale_)) + 1))
                                       : area;
    PaintLayout(canvas, LayoutFor(tree), units);
}

namespace {

// Whether a drawing step can touch the rows from top to bottom. Text runs over boxes only
// to the right, and a title is one text row high.
bool ReachesRows(const TChartItem &item, int top, int bottom)
{
    const int itemBottom = item.Kind == TChartItemKind::Title ? item.Y1 + 2 * kTitleHeight : item.Y2;
    return item.Y1 <= bottom && itemBottom >= top;
}

} // namespace

void TStruktogramm::PaintLayout(QPainter &canvas, const TChartLayout &layout, const QRect &area)
{
    Canvas = &canvas;
    canvas.setFont(QGuiApplication::font()); // the same face on every device; sizes are set below
    QPen pen(Qt::black);
    pen.setWidth(1);
    pen.setCosmetic(false); // one chart unit wide, so a printed chart's lines grow with it
    pen.setStyle(Qt::SolidLine);
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.setRenderHint(QPainter::Antialiasing, false);
    Extent = TChartRect();

    for (const TChartItem &item : layout.Items) {
        if (area.isValid() && !ReachesRows(item, area.top(), area.bottom()))
            continue;
        switch (item.Kind) {
        case TChartItemKind::Title:
            DrawTitle(item);
            break;
        case TChartItemKind::HeadBox:
            DrawHeadBox(item);
            break;
        case TChartItemKind::FootBox:
            DrawFootBox(item);
            break;
        case TChartItemKind::IfHead:
            DrawIfHead(item);
            break;
        case TChartItemKind::StatementBox:
            DrawStatementBox(item);
            break;
        }
    }
    Extent = layout.Extent;
    Canvas = nullptr;
}

void TStruktogramm::SetFont(int pixelHeight, bool bold)
{
    QFont font = Canvas->font();
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    Canvas->setFont(font);
}

void TStruktogramm::SetBold(bool bold)
{
    QFont font = Canvas->font();
    font.setBold(bold);
    Canvas->setFont(font);
}

void TStruktogramm::DrawTitle(const TChartItem &item)
{
    SetFont(kTitleHeight, false);
    TextOut(*Canvas, item.X1, item.Y1, FromCp1252(item.Texts[0]));
    SetFont(kTextHeight, false);
}

void TStruktogramm::DrawFrame(int x1, int y1, int x2, int y2)
{
    const QPoint corners[] = {{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}, {x1, y1}};
    Canvas->drawPolyline(corners, 5);
}

void TStruktogramm::DrawRowTexts(int x, int ty, const TChartItem &item)
{
    const QString k1 = FromCp1252(item.Texts[0]);
    const QString v = FromCp1252(item.Texts[1]);
    const QString k2 = FromCp1252(item.Texts[2]);
    SetBold(true);
    TextOut(*Canvas, x + 3, ty, k1);
    const int w1 = TextWidth(*Canvas, k1 + QLatin1Char(' '));
    SetBold(false);
    TextOut(*Canvas, x + 3 + w1, ty, v);
    const int w2 = TextWidth(*Canvas, v + QLatin1Char(' '));
    SetBold(true);
    TextOut(*Canvas, x + 4 + w1 + w2, ty, k2);
    SetBold(false);
}

void TStruktogramm::DrawHeadBox(const TChartItem &item)
{
    DrawFrame(item.X1, item.Y1, item.X2, item.Y2);
    DrawRowTexts(item.X1, item.Y1 + 3, item);
}

void TStruktogramm::DrawFootBox(const TChartItem &item)
{
    DrawFrame(item.X1, item.Y1, item.X2, item.Y2);
    DrawRowTexts(item.X1, item.Y2 - RowHeight + 3, item);
}

void TStruktogramm::DrawSlantedLine(int x1, int y1, int x2, int y2)
{
    // On pixels a smoothed slant looks cleaner; half a pixel aligns it with the unsmoothed
    // straight lines, which cover the pixel right of and below their coordinates.
    const QPaintEngine *engine = Canvas->paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) {
        Canvas->drawLine(x1, y1, x2, y2);
        return;
    }
    Canvas->save();
    Canvas->setRenderHint(QPainter::Antialiasing, true);
    Canvas->drawLine(QPointF(x1 + 0.5, y1 + 0.5), QPointF(x2 + 0.5, y2 + 0.5));
    Canvas->restore();
}

void TStruktogramm::DrawIfHead(const TChartItem &item)
{
    const int x = item.X1, y = item.Y1, x2 = item.X2;
    const int yh = y + 2 * RowHeight;
    DrawFrame(x, y, x2, item.Y2);
    Canvas->drawLine(x, yh, x2 - 1, yh);
    DrawSlantedLine(x, y, item.Split, yh);
    DrawSlantedLine(x2 - 1, y, item.Split, yh);

    SetBold(true);
    const QString cond = FromCp1252(item.Texts[0]);
    OpaqueTextOut(*Canvas, (x + x2 - TextWidth(*Canvas, cond)) / 2, y + 3, cond);
    const QString yes = QStringLiteral("w"), no = QStringLiteral("f");
    const int markTop = yh - TextHeight(*Canvas) - 1;
    OpaqueTextOut(*Canvas, x + 3, markTop, yes);
    OpaqueTextOut(*Canvas, x2 - TextWidth(*Canvas, no) - 3, markTop, no);
    SetBold(false);
}

void TStruktogramm::DrawStatementBox(const TChartItem &item)
{
    DrawFrame(item.X1, item.Y1, item.X2, item.Y1 + RowHeight);
    if (item.Bold)
        SetBold(true);
    TextOut(*Canvas, item.X1 + 3, item.Y1 + 3, FromCp1252(item.Texts[0]));
    if (item.Bold)
        SetBold(false);
}

QSize TStruktogramm::PictureSize(const TChartLayout &layout) const
{
    // Text may run over the right border of its box (and a title over its sub-chart); the
    // picture grows to keep it whole instead of cutting it off.
    QFont normal = QGuiApplication::font();
    normal.setPixelSize(kTextHeight);
    QFont bold = normal;
    bold.setBold(true);
    QFont title = normal;
    title.setPixelSize(kTitleHeight);
    const QFontMetrics normalMetrics(normal), boldMetrics(bold), titleMetrics(title);
    auto width = [](const QFontMetrics &metrics, const std::string &text) {
        return metrics.horizontalAdvance(FromCp1252(text));
    };

    int inkRight = 0;
    for (const TChartItem &item : layout.Items) {
        switch (item.Kind) {
        case TChartItemKind::Title:
            inkRight = std::max(inkRight, item.X1 + width(titleMetrics, item.Texts[0]));
            break;
        case TChartItemKind::HeadBox:
        case TChartItemKind::FootBox: {
            const int w1 = width(boldMetrics, item.Texts[0] + " ");
            const int w2 = width(normalMetrics, item.Texts[1] + " ");
            inkRight = std::max(inkRight, item.X1 + 3 + w1 + width(normalMetrics, item.Texts[1]));
            inkRight = std::max(inkRight, item.X1 + 4 + w1 + w2 + width(boldMetrics, item.Texts[2]));
            break;
        }
        case TChartItemKind::IfHead: {
            const int w = width(boldMetrics, item.Texts[0]);
            inkRight = std::max(inkRight, (item.X1 + item.X2 - w) / 2 + w);
            break;
        }
        case TChartItemKind::StatementBox:
            inkRight = std::max(inkRight, item.X1 + 3 + width(item.Bold ? boldMetrics : normalMetrics, item.Texts[0]));
            break;
        }
    }
    const int margin = layout.Extent.Left;
    return QSize(std::max(layout.Extent.Right, inkRight + margin), layout.Extent.Bottom);
}

void TStruktogramm::PaintWithBackground(QPainter &canvas, const TChartLayout &layout)
{
    const QSize size = PictureSize(layout);
    canvas.fillRect(QRect(0, 0, size.width() + 1, size.height() + 1), Qt::white);
    PaintLayout(canvas, layout);
}

QByteArray TStruktogramm::ToEmf(const TTumbo_Program *tree)
{
    const TChartLayout layout = LayoutFor(tree);
    EmfDevice emf(PictureSize(layout));
    {
        QPainter canvas(&emf);
        PaintWithBackground(canvas, layout);
    }
    return emf.Data();
}

QByteArray TStruktogramm::ToSvg(const TTumbo_Program *tree)
{
    const TChartLayout layout = LayoutFor(tree);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(96); // one chart unit is one CSS pixel
    const QSize size = PictureSize(layout);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Struktogramm"));
    {
        QPainter canvas(&svg);
        PaintWithBackground(canvas, layout);
    }
    return bytes;
}

QImage TStruktogramm::ToImage(const TTumbo_Program *tree, qint64 maxPixels)
{
    const TChartLayout layout = LayoutFor(tree);
    const QSize size = PictureSize(layout);
    // A picture file keeps each side below a million pixels.
    if (static_cast<qint64>(size.width()) * size.height() > maxPixels || size.width() >= 1000000
        || size.height() >= 1000000)
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter canvas(&image);
    PaintWithBackground(canvas, layout);
    return image;
}

QByteArray TStruktogramm::ToPdf(const TTumbo_Program *tree)
{
    const TChartLayout layout = LayoutFor(tree);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // One page the size of the chart, one chart unit a pixel at 96 dots per inch.
    constexpr int kDpi = 96;
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kDpi);
    pdf.setTitle(QStringLiteral("Struktogramm"));
    const QSizeF points = QSizeF(PictureSize(layout)) * (72.0 / kDpi);
    pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, QMarginsF()));
    QPainter canvas;
    if (!canvas.begin(&pdf))
        return {};
    PaintWithBackground(canvas, layout);
    return canvas.end() ? bytes : QByteArray();
}

bool TStruktogramm::SaveToFile(const QString &fileName, const TTumbo_Program *tree, QString *error)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    QByteArray bytes;
    if (suffix == QLatin1String("svg")) {
        bytes = ToSvg(tree);
    } else if (suffix == QLatin1String("pdf")) {
        bytes = ToPdf(tree);
    } else if (suffix == QLatin1String("png")) {
        const QImage image = ToImage(tree);
        if (image.isNull()) {
            if (error)
                *error = QStringLiteral("Das Struktogramm ist zu gro\u00DF f\u00FCr ein Bild.");
            return false;
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    } else {
        bytes = ToEmf(tree);
    }
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("Das Struktogramm kann nicht als Datei \u201E%1\u201C erzeugt werden.").arg(fileName);
        return false;
    }
    return tumbo::output::WriteBytes(fileName, bytes, error);
}

QMimeData *TStruktogramm::MakeMimeData(const TTumbo_Program *tree)
{
    auto *data = new QMimeData;
    const QByteArray emf = ToEmf(tree);
    data->setData(QStringLiteral("image/emf"), emf);
    data->setData(QStringLiteral("image/x-emf"), emf);
    data->setData(QStringLiteral("image/svg+xml"), ToSvg(tree));
    // The picture is only a convenience beside the two drawings; a huge chart goes without it.
    const QImage image = ToImage(tree, kMaxClipboardPixels);
    if (!image.isNull())
        data->setImageData(image);
    return data;
}

void TStruktogramm::CopyToClipboard(const TTumbo_Program *tree)
{
    QGuiApplication::clipboard()->setMimeData(MakeMimeData(tree));
}

TPrintScale TStruktogramm::PrintScaleFor(int pageWidth, int pageHeight) const
{
    return ComputePrintScale(pageWidth, pageHeight, ChartWidth, ChartHeight);
}

void TStruktogramm::PrintOn(QPainter &canvas, int pageWidth, int pageHeight, const TTumbo_Program *tree)
{
    const TPrintScale scale = PrintScaleFor(pageWidth, pageHeight);
    canvas.save();
    canvas.scale(scale.Scale, scale.Scale);
    PaintTo(canvas, tree);
    canvas.restore();
}

bool TStruktogramm::Print(QPrinter &printer, const TTumbo_Program *tree, QString *error)
{
    return tumbo::output::PrintSafely(printer, [&] {
        QPainter canvas;
        if (!canvas.begin(&printer))
            return false;
        PrintOn(canvas, printer.width(), printer.height(), tree);
        return canvas.end();
    }, error);
}
