#pragma once

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>

#include "chart/chart_items.h"
#include "chart/print_scale.h"

class QImage;
class QMimeData;
class QPainter;
class QPrinter;
class QWidget;
class TTumbo_Program;

// The structure chart of the program last compiled: sizes the paint box that shows it and
// draws it with QPainter on any device, so the screen, the metafile, SVG, PDF, PNG and the
// printer all share one drawing path.
class TStruktogramm
{
public:
    // control: the paint box that shows the chart on screen; not owned, may be null (command line).
    explicit TStruktogramm(QWidget *control = nullptr);

    // Sizes the chart for a tree (its root) and the paint box with it; without a tree the
    // chart becomes empty (Valid false) and nothing else changes.
    void Prepare(const TTumbo_Program *tree);
    // Draws the whole chart of the tree; Extent then holds the drawn extents.
    void PaintTo(QPainter &canvas, const TTumbo_Program *tree);
    // Call from the paint box's paint event: PaintTo on the paint box when Valid, at the
    // view scale. A valid area (the part to repaint, paint box pixels) skips the boxes
    // outside its rows.
    void PaintControl(const TTumbo_Program *tree, const QRect &area = QRect());

    // The screen shows the chart this many times as large as its units (lines and text
    // drawn at that size); the paint box takes the scaled size. Outputs keep their units.
    void SetViewScale(double scale);
    double ViewScale() const { return viewScale_; }

    // The outputs, on a white background. Their picture size is the drawn extent of the tree
    // (Extent.Right x Extent.Bottom), widened where text runs over the right edge.
    QByteArray ToEmf(const TTumbo_Program *tree);
    QByteArray ToSvg(const TTumbo_Program *tree);
    // Null when the picture would have more than maxPixels pixels.
    QImage ToImage(const TTumbo_Program *tree, qint64 maxPixels = kMaxImagePixels);
    static constexpr qint64 kMaxImagePixels = 64 * 1024 * 1024;
    static constexpr qint64 kMaxClipboardPixels = 16 * 1024 * 1024;
    // A PDF of one page the size of the picture.
    QByteArray ToPdf(const TTumbo_Program *tree);

    // Writes the chart to a file; the format follows the suffix: ".svg", ".pdf", ".png",
    // anything else an enhanced metafile. An existing file is replaced through the safe
    // writer. On failure the old file stays and it returns false with a German message in *error.
    bool SaveToFile(const QString &fileName, const TTumbo_Program *tree, QString *error = nullptr);

    // The clipboard contents: the metafile ("image/emf", "image/x-emf"), SVG
    // ("image/svg+xml") and a PNG picture. The caller owns the result.
    QMimeData *MakeMimeData(const TTumbo_Program *tree);
    void CopyToClipboard(const TTumbo_Program *tree);

    // Prints the chart on one page of the printer, enlarged by the factor of PrintScaleFor.
    // A printer that prints to a file replaces it only with a complete document; on failure
    // *error may hold a German message.
    bool Print(QPrinter &printer, const TTumbo_Program *tree, QString *error = nullptr);
    // The same on any painter whose device has a page of the given size in device pixels.
    void PrintOn(QPainter &canvas, int pageWidth, int pageHeight, const TTumbo_Program *tree);
    TPrintScale PrintScaleFor(int pageWidth, int pageHeight) const;

    // The layout numbers, reset by every Prepare.
    TChartMetrics Metrics() const { return {RowHeight, BoxWidth, Indent}; }

    QWidget *Control = nullptr;
    bool Valid = false;
    QPainter *Canvas = nullptr; // the painter of the drawing in progress
    int RowHeight = 18;
    int BoxWidth = 110;
    int Indent = 40;
    int ChartHeight = 0;
    int ChartWidth = 0;
    TChartRect Extent;

    // Drawing steps of one layout, exposed for the painter tests.
    void PaintLayout(QPainter &canvas, const TChartLayout &layout, const QRect &area = QRect());
    void DrawTitle(const TChartItem &item);
    void DrawHeadBox(const TChartItem &item);
    void DrawFootBox(const TChartItem &item);
    void DrawIfHead(const TChartItem &item);
    void DrawStatementBox(const TChartItem &item);
    void DrawFrame(int x1, int y1, int x2, int y2);
    void DrawSlantedLine(int x1, int y1, int x2, int y2);

private:
    void SizeControl();
    void DrawRowTexts(int x, int ty, const TChartItem &item);
    void SetFont(int pixelHeight, bool bold);
    void SetBold(bool bold);
    TChartLayout LayoutFor(const TTumbo_Program *tree) const;
    QSize PictureSize(const TChartLayout &layout) const;
    void PaintWithBackground(QPainter &canvas, const TChartLayout &layout);
    double viewScale_ = 1.0;
};
