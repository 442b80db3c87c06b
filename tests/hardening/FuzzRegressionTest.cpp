// What the fuzz targets of fuzz/ found, kept as tests.
//
// A datalog record with a code that has no name (an empty field) made the
// line builder copy from a null pointer: undefined behaviour that the
// sanitizer build (scripts/test-sanitizers) reports in this test, and that a
// compiler may turn into a wrong line.
#include "DatalogLine.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(FuzzRegressionDatalogLine, UnnamedCodesAreEmptyFields)
{
    DatalogLine line(QStringLiteral(";"), QLocale::c());
    line.begin();
    line.addWhole(7);
    line.addCodeName(0, 4);   // standard type 4: no name
    line.addCodeName(4, 13);  // index 13: unassigned in the datalog
    line.addText({});
    line.addCodeName(3, 1);
    EXPECT_EQ(line.text(), "7;;;;CIE Lab");
    EXPECT_EQ(line.fieldCount(), 5);
}
