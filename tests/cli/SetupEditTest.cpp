// Scripted setup edits: what the setup editors refuse, beside the nearest
// values they take. That a refused edit leaves the instrument's setup alone,
// unwritten, is shown by the process tests.
#include "CliFailure.h"
#include "SetupEdit.h"

#include <gtest/gtest.h>

TEST(SetupEdit, RefusesWhatTheEditorsRefuseAndTakesTheirLimits)
{
    // Base 100, distances 20 and 60; view 1 has a colour scale, no colour index.
    ProductSetup loaded;
    loaded.BaseDistance = 100, loaded.MinDistance = 20, loaded.MaxDistance = 60;
    loaded.Views(1).ColorScale = 2, loaded.Views(1).ColorIndex = 0;
    const RunConfigChoice heightMm{false, 2}, distanceIn{true, 1}, noEditor{true, 0};  // inches?, variant
    // The assignment, the instrument's run configuration, and nullptr when it
    // is taken, else a part of the message that refuses it.
    const struct { const char* assignment; std::optional<RunConfigChoice> runConfig; const char* refusal; } cases[] = {
        // The editor swallows the hyphen: refused, not dropped.
        {"name=ab-1", {}, "\"-\""}, {"name=15 CHARACTERS 1", {}, nullptr}, {"name=16 CHARACTERS 12", {}, "at most 15"},
        {"name=A\tB", {}, ""}, {"name=\u20AC", {}, ""}, {"interval=60", {}, nullptr}, {"interval=61", {}, ""},
        {"interval=-1", {}, ""}, {"autosearch=maybe", {}, ""}, {"view1.enabled=no", {}, "always enabled"},
        {"view1.index=21", {}, nullptr}, {"view1.index=22", {}, ""}, {"view1.scale=7", {}, ""}, {"readmode=2", {}, ""},
        {"standard=PHYS", {}, ""}, {"view9.display=ABSOLUTE", {}, ""}, {"name", {}, ""}, {"=X", {}, ""},
        {"colour=red", {}, ""}, {"scaleplus1=0", {}, nullptr}, {"scaleplus1=-0.1", {}, "negative"},
        {"scaleplus1=", {}, ""}, {"scaleplus1=abc", {}, ""}, {"indexplus=1", {}, "no colour index"},
        // The height editor takes no distances; an instrument that names no editor takes none either.
        {"maxheight=150", heightMm, nullptr}, {"maxheight=150.5", heightMm, "150 mm"}, {"mindistance=5", heightMm, ""},
        {"maxdistance=6", distanceIn, nullptr}, {"maxdistance=6.5", distanceIn, "6 in."}, {"base=3", distanceIn, ""},
        {"mindistance=1", noEditor, ""},
    };
    for (const auto& c : cases) {
        std::optional<QString> said;
        try {
            SetupEdit({QString::fromUtf8(c.assignment)}).ApplyTo(loaded, c.runConfig);
        } catch (const UsageError& error) {
            said = error.message();
        }
        EXPECT_TRUE(c.refusal ? said && said->contains(c.refusal) : !said)
            << c.assignment << ": " << said.value_or("taken").toStdString();
    }
    EXPECT_THROW(SetupEdit(QStringList{}), UsageError);
    for (const char* number : {"0", "251", "1.5"}) EXPECT_THROW(SetupNumberArgument(number), UsageError) << number;
    EXPECT_EQ(SetupNumberArgument("250"), 250);
}

TEST(SetupEdit, TakenValuesAreStoredAsTheEditorsStoreThem)
{
    const ProductSetup s =
        SetupEdit({"interval=2.5", "name=CAF\u00C9", "view4.scale=lab", "view4.index=dE"}).ApplyTo({}, std::nullopt);
    EXPECT_EQ(s.ReportInterval, 2);        // halves to even
    EXPECT_EQ(s.Name, "CAF\xC9");          // 8-bit, as the instrument keeps it
    EXPECT_EQ(s.Views(4).ColorScale, 3);   // "L a b"
    EXPECT_EQ(s.Views(4).ColorIndex, 17);  // "dE", not "dE*" (15)
    EXPECT_EQ(SetupEdit({"maxdistance=3.5"}).ApplyTo({}, RunConfigChoice{true, 1}).MaxDistance, 4);
}
