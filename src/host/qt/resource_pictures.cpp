// Resource pictures through the program's own decoder (see resource_pictures.h).
#include "resource_pictures.h"

#include <QPixmap>
#include <QResource>

#include <cstring>

namespace tarvex {
namespace {

QByteArray ResourceBytes(const QString& path) {
  const QResource resource(path);
  return resource.isValid() ? resource.uncompressedData() : QByteArray();
}

std::span<const uint8_t> Span(const QByteArray& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

QImage ToImage(const DecodedImage& decoded, QImage::Format format) {
  QImage image(decoded.width, decoded.height, format);
  if (image.isNull()) return image;
  const size_t rowBytes = static_cast<size_t>(decoded.width) * 4;
  for (int y = 0; y < decoded.height; ++y) {
    std::memcpy(image.scanLine(y), decoded.argb.data() + static_cast<size_t>(y) * decoded.width, rowBytes);
  }
  return image;
}

}  // namespace

std::optional<DecodedImage> ResourceBitmapPixels(const QString& path) {
  return DecodeBmpFile(Span(ResourceBytes(path)));
}

QImage ResourceBitmap(const QString& path) {
  const std::optional<DecodedImage> decoded = ResourceBitmapPixels(path);
  return decoded ? ToImage(*decoded, QImage::Format_RGB32) : QImage();
}

QIcon ResourceIcon(const QString& path) {
  QIcon icon;
  for (const DecodedImage& image : DecodeIconFile(Span(ResourceBytes(path)))) {
    icon.addPixmap(QPixmap::fromImage(ToImage(image, QImage::Format_ARGB32)));
  }
  return icon;
}

QCursor ResourceCursor(const QString& path, Qt::CursorShape fallback) {
  const std::vector<DecodedImage> images = DecodeIconFile(Span(ResourceBytes(path)));
  if (images.empty()) return QCursor(fallback);
  const DecodedImage& image = images.front();
  return QCursor(QPixmap::fromImage(ToImage(image, QImage::Format_ARGB32)), image.hotX, image.hotY);
}

}  // namespace tarvex
