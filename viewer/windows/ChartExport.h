#pragma once
// A chart (or a panel of charts) saved as a picture: PNG as it is on screen,
// SVG as vector drawing. The file name's suffix (.png or .svg, any letter
// case) chooses; the file is written safely (SafeFileWriter.h). Raises AppError
// naming the file when it cannot be written or the suffix is neither.

#include <QString>

class QWidget;

namespace ChartExport {

inline const QString FileFilter = QStringLiteral("PNG Image (*.png)|*.png|SVG Drawing (*.svg)|*.svg");

void Save(QWidget* chartArea, const QString& fileName, const QString& title);

}  // namespace ChartExport
