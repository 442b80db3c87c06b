#include "ToleranceValues.h"

#include "SetupNumberText.h"
#include "SetupVocabulary.h"

#include <vector>

namespace {

bool Listed(const QStringList& list, int code) { return code >= 0 && code < list.size(); }

struct Box {
    const QString* text;
    QString what;
    float value = 0.0f;
};

// The boxes of one group, checked as one: all must read as numbers before
// any is checked for its sign.
bool Valid(std::vector<Box>& boxes, const QLocale& locale)
{
    std::vector<double> read(boxes.size());
    for (size_t i = 0; i < boxes.size(); ++i)
        if (!SetupNumberText::Read(*boxes[i].text, read[i], locale)) return false;
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].value = SetupNumberText::ToSingle(read[i], boxes[i].what);
        if (boxes[i].value < 0.0f) return false;
    }
    return true;
}

}  // namespace

QString ToleranceLayout::Notice() const
{
    QStringList notices;
    if (ScaleUnknown) notices << QStringLiteral("Color scale not recognised");
    if (IndexUnknown) notices << QStringLiteral("Color index not recognised");
    return notices.join(QStringLiteral("; "));
}

ToleranceLayout ToleranceLayoutOf(const ProductSetup& setup)
{
    const DataView& view = setup.Views(1);
    ToleranceLayout layout;
    layout.ScaleCode = view.ColorScale;
    layout.IndexCode = view.ColorIndex;

    const QStringList& scales = SetupVocabulary::ScaleDifferenceNames();
    layout.ScaleUnknown = !Listed(scales, layout.ScaleCode);
    layout.ScaleInUse = !layout.ScaleUnknown && layout.ScaleCode != 0;
    if (layout.ScaleInUse)
        for (int row = 0; row < 3; ++row)
            layout.ScaleRowLabels[row] = SetupVocabulary::Slice(scales.at(layout.ScaleCode), row, 3);

    const QStringList& indices = SetupVocabulary::IndexDifferenceNames();
    layout.IndexUnknown = !Listed(indices, layout.IndexCode);
    layout.IndexInUse = !layout.IndexUnknown && layout.IndexCode != 0;
    if (layout.IndexInUse) layout.IndexLabel = indices.at(layout.IndexCode);
    return layout;
}

QString ToleranceWarning() { return QStringLiteral("All values must be numeric and non-negative"); }

bool StoreTolerances(ProductSetup& setup, const ToleranceLayout& layout, const ToleranceTexts& texts,
                     const QLocale& locale)
{
    static const char* const Rows[] = {"X", "Y", "Z"};
    std::vector<Box> scale, index;
    if (layout.ScaleInUse) {
        for (int i = 0; i < 3; ++i)
            scale.push_back({&texts.ScaleUpper[i], QStringLiteral("the upper tolerance of row %1").arg(Rows[i])});
        for (int i = 0; i < 3; ++i)
            scale.push_back({&texts.ScaleLower[i], QStringLiteral("the lower tolerance of row %1").arg(Rows[i])});
        if (!Valid(scale, locale)) return false;
    }
    if (layout.IndexInUse) {
        index.push_back({&texts.IndexUpper, QStringLiteral("the upper tolerance of the index")});
        index.push_back({&texts.IndexLower, QStringLiteral("the lower tolerance of the index")});
        if (!Valid(index, locale)) return false;
    }

    if (layout.ScaleInUse) {
        for (int i = 0; i < 3; ++i) setup.SetScalePlus(i + 1, scale[i].value);
        for (int i = 0; i < 3; ++i) setup.SetScaleMinus(i + 1, scale[3 + i].value);
    }
    if (layout.IndexInUse) {
        setup.IndexPlus = index[0].value;
        setup.IndexMinus = index[1].value;
    }
    return true;
}
