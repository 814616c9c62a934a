// The pictures built into the program (the Windows program's own BMP, ICO and
// CUR files), decoded by the program itself: reading them through Qt's image
// readers would load every image plugin at start-up for one icon and a cursor.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

#include "common/dib_file.h"

namespace tarvex {

// The decoded bytes of a resource; empty when there is none.
std::optional<DecodedImage> ResourceBitmapPixels(const QString& path);

QImage ResourceBitmap(const QString& path);  // null when missing or unreadable
QIcon ResourceIcon(const QString& path);     // every size the file holds
// The file's cursor with its hot spot, or `fallback` when it cannot be read.
QCursor ResourceCursor(const QString& path, Qt::CursorShape fallback);

}  // namespace tarvex
