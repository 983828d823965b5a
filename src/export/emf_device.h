// An enhanced metafile as a paint device: whatever a QPainter draws on it (lines,
// rectangles, polygons, ellipses, paths, text, images) is recorded as EMF records, so the
// same painting code serves the screen, SVG, the printer and EMF files.
//
//   EmfDevice emf(QSize(160, 331));
//   { QPainter p(&emf); ... }          // the file is complete when the painter ends
//   emf.SaveToFile("welt.emf");
#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

class EmfPaintEngine;

class EmfDevice : public QPaintDevice {
public:
  // A picture of `size` pixels at `dpi` dots per inch (logical units are pixels).
  explicit EmfDevice(QSize size, int dpi = 96);
  ~EmfDevice() override;
  EmfDevice(const EmfDevice&) = delete;
  EmfDevice& operator=(const EmfDevice&) = delete;

  QPaintEngine* paintEngine() const override;

  QSize Size() const { return size_; }
  int Dpi() const { return dpi_; }
  // The complete file (header, records, end record) of the last finished painting;
  // empty while nothing was painted yet.
  QByteArray Data() const { return data_; }
  // Writes Data() to a file through the safe writer; false, with the German message in
  // `error`, when it cannot be written.
  bool SaveToFile(const QString& fileName, QString* error = nullptr) const;

protected:
  int metric(PaintDeviceMetric metric) const override;

private:
  friend class EmfPaintEngine;
  void SetData(QByteArray data) { data_ = std::move(data); }

  QSize size_;
  int dpi_;
  QByteArray data_;
  std::unique_ptr<EmfPaintEngine> engine_;
};
