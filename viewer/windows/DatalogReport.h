#pragma once
// The PDF report of a datalog: a title block (file, date range, record
// count), the summary per product and setup, then a page per product and
// setup with its trend chart and the spectra of its latest standard and the
// samples measured after it (at most ten; without a standard, the ten latest
// records). Drawn with Qt's PDF writer; the charts are the viewer's own, so
// it needs a QApplication (tr8kz-report starts one on the offscreen platform
// where there is no display).
//
// The file is written safely: a failed report never replaces an earlier
// file. Raises AppError naming the file and the reason.

#include "DatalogRecord.h"

#include <QString>
#include <vector>

namespace DatalogReport {

inline constexpr int SpectraPerProduct = 10;

void Write(const DatalogDocument& document, const QString& pdfFile);

// The records whose spectra a product and setup shows (see above), from
// the group's records.
std::vector<const DatalogRecord*> ReportSpectra(std::vector<const DatalogRecord*> group);

}  // namespace DatalogReport
