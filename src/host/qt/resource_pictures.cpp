// Resource pictures through the program's own decoder (see resource_pictures.h).
#include "resource_pictures.h"

#include <QPixmap>
#include <QResource>

#include <utility>
#include <vector>

namespace tarvex {
namespace {

QByteArray ResourceBytes(const QString& path) {
  const QResource resource(path);
  return resource.isValid() ? resource.uncompressedData() : QByteArray();
}

std::span<const uint8_t> Span(const QByteArray& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

// The image takes the decoded pixels over rather than copying them.
QImage ToImage(DecodedImage decoded, QImage::Format format) {
  if (decoded.width <= 0 || decoded.height <= 0 || decoded.argb.empty()) return QImage();  // no cleanup would run
  auto* argb = new std::vector<uint32_t>(std::move(decoded.argb));
  return QImage(reinterpret_cast<uchar*>(argb->data()), decoded.width, decoded.height, decoded.width * 4, format,
                [](void* pixels) { delete static_cast<std::vector<uint32_t>*>(pixels); }, argb);
}

}  // namespace

std::optional<DecodedImage> ResourceBitmapPixels(const QString& path) {
  return DecodeBmpFile(Span(ResourceBytes(path)));
}

QImage ResourceBitmap(const QString& path) {
  std::optional<DecodedImage> decoded = ResourceBitmapPixels(path);
  return decoded ? ToImage(std::move(*decoded), QImage::Format_RGB32) : QImage();
}

QIcon ResourceIcon(const QString& path) {
  QIcon icon;
  for (DecodedImage& image : DecodeIconFile(Span(ResourceBytes(path)))) {
    icon.addPixmap(QPixmap::fromImage(ToImage(std::move(image), QImage::Format_ARGB32)));
  }
  return icon;
}

QCursor ResourceCursor(const QString& path, Qt::CursorShape fallback) {
  std::vector<DecodedImage> images = DecodeIconFile(Span(ResourceBytes(path)));
  if (images.empty()) return QCursor(fallback);
  const int32_t hotX = images.front().hotX, hotY = images.front().hotY;
  return QCursor(QPixmap::fromImage(ToImage(std::move(images.front()), QImage::Format_ARGB32)), hotX, hotY);
}

}  // namespace tarvex
