#include "export/emf_device.h"

#include <climits>
#include <cmath>

#include "export/emf_paint_engine.h"
#include "export/safe_output.h"

EmfDevice::EmfDevice(QSize size, int dpi)
    : size_(size.expandedTo(QSize(1, 1))), dpi_(dpi > 0 ? dpi : 96),
      engine_(std::make_unique<EmfPaintEngine>()) {}

EmfDevice::~EmfDevice() = default;

QPaintEngine* EmfDevice::paintEngine() const { return engine_.get(); }

bool EmfDevice::SaveToFile(const QString& fileName, QString* error) const {
  return tumbo::output::WriteBytes(fileName, data_, error);
}

int EmfDevice::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth: return size_.width();
    case PdmHeight: return size_.height();
    case PdmWidthMM: return int(std::lround(size_.width() * 25.4 / dpi_));
    case PdmHeightMM: return int(std::lround(size_.height() * 25.4 / dpi_));
    case PdmNumColors: return INT_MAX;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return dpi_;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
  }
}
