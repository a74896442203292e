// The plot driver's kept curves: pale copies of earlier curves under the live one, each sampled
// with its own formula and parameters, and their legend in the chart's last text labels.
#include "app/KeptCurve.h"

#include "expr/CpuState.h"

#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "chart/TextLabel.h"

#include <QFontMetrics>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tessaly {

namespace {

// TColor from 0xRRGGBB.
constexpr TColor Rgb(std::uint32_t rgb)
{
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// Pale curve colours, light enough for the black live curve to stand out on top, and the
// darker twins of the same hues for their legend texts.
constexpr std::array<std::array<TColor, 2>, TPlotDriver::MaxKeptCurves> KeptColors = {{
    {Rgb(0x8FB8EC), Rgb(0x1F5FA8)}, // blue
    {Rgb(0xF3B680), Rgb(0xA85000)}, // orange
    {Rgb(0x9CD494), Rgb(0x2E7D32)}, // green
    {Rgb(0xC9ADE3), Rgb(0x6A3D9A)}, // purple
    {Rgb(0xEE9F9F), Rgb(0xB22222)}, // red
    {Rgb(0x93D3CF), Rgb(0x00796B)}, // teal
    {Rgb(0xDCCF7A), Rgb(0x7A6A00)}, // olive
    {Rgb(0xCDB2A2), Rgb(0x6D4C41)}, // brown
}};

// The longest formula a legend row shows whole.
constexpr int LegendFormulaLength = 36;
constexpr int LegendFontPixels = 11;

QString Value(double v)
{
    return QString::number(v, 'f', 2);
}

} // namespace

TPlotDriver::~TPlotDriver() = default;

bool TPlotDriver::KeepCurve(const QString& formula, const std::array<double, 4>& parameters)
{
    auto kept = std::make_unique<TKept>();
    try {
        kept->Expression.SetExpression(formula.toStdString());
    } catch (const std::exception&) {
        return false;
    }
    TKept& k = *kept;
    k.Expression.OnVarRequest = [&k](TMathExpression&, std::string_view name, TVariant& value) {
        if (name.size() == 1) {
            const int c = name[0] | 0x20;
            if (c == 'x') {
                value.SetReal(k.X);
                return;
            }
            if (c >= 'a' && c <= 'd') {
                value.SetReal(k.Curve.Parameters[static_cast<size_t>(c - 'a')]);
                return;
            }
        }
        value.SetNull();
    };
    k.Curve.Formula = formula;
    k.Curve.Parameters = parameters;
    const auto& colors = KeptColors[static_cast<size_t>(FKeptColors++ % MaxKeptCurves)];
    k.Curve.Color = colors[0];
    k.Curve.LegendColor = colors[1];
    if (FKept.size() >= size_t(MaxKeptCurves))
        FKept.erase(FKept.begin());
    FKept.push_back(std::move(kept));
    FKeptKey = {}; // the new curve has no samples yet
    return true;
}

bool TPlotDriver::KeepCurrentCurve()
{
    std::array<double, 4> parameters{};
    for (size_t i = 0; i < parameters.size(); ++i)
        parameters[i] = ParameterValue ? ParameterValue(static_cast<int>(i)) : 0.0;
    return KeepCurve(FormulaText ? FormulaText() : QString(), parameters);
}

void TPlotDriver::ClearKeptCurves()
{
    FKept.clear();
    FKeptColors = 0;
    FKeptKey = {};
}

std::vector<TPlotDriver::TKeptCurve> TPlotDriver::KeptCurves() const
{
    std::vector<TKeptCurve> curves;
    for (const auto& k : FKept)
        curves.push_back(k->Curve);
    return curves;
}

QString TPlotDriver::KeptCurveText(size_t i) const
{
    const TKeptCurve& c = FKept.at(i)->Curve;
    return QString("y = %1\na = %2, b = %3, c = %4, d = %5")
        .arg(c.Formula, Value(c.Parameters[0]), Value(c.Parameters[1]), Value(c.Parameters[2]),
             Value(c.Parameters[3]));
}

void TPlotDriver::SampleKeptCurves()
{
    const TSampleKey key{FChart.Scale1X()->RangeLow(), FChart.Scale1X()->RangeHigh(),
                         FChart.Scale1Y()->RangeLow(), FChart.Scale1Y()->RangeHigh(),
                         DataWidth(), FChart.Geometry().DataHeight(), DrawWhereDefined};
    if (key == FKeptKey)
        return;
    FKeptKey = key;
    ClearUpperVectorState();
    for (const auto& kept : FKept) {
        TKept& k = *kept;
        auto value = [&k](double x) { return k.ValueAt(x); };
        SampleAcross(key.XLow, key.XHigh, value, k.Samples);
        FindBreaks(k.Samples, value, k.Expression.DrewRandom(), k.Breaks);
    }
}

void TPlotDriver::AppendKeptCurves()
{
    const TColor liveColor = FChart.DataColor();
    for (const auto& kept : FKept) {
        FChart.SetDataColor(kept->Curve.Color);
        AppendCurve(kept->Samples, kept->Breaks);
    }
    FChart.SetDataColor(liveColor);
}

void TPlotDriver::PlaceLegend()
{
    const int first = TextLabelCount - MaxKeptCurves + 1;
    QFont font = FChart.font();
    // Smaller than the chart's own texts, growing with them.
    font.setPixelSize(std::max(8, FChart.font().pixelSize() * LegendFontPixels / 13));
    const QFontMetrics metrics(font);
    const int right = FChart.width() - FChart.MarginRight() - 4;
    int top = FChart.MarginTop() + 4;
    for (int i = 0; i < MaxKeptCurves; ++i) {
        TTextLabel& label = *FChart.TextLabel(first + i);
        if (size_t(i) >= FKept.size()) {
            if (label.Mode() != tlOff)
                label.SetMode(tlOff);
            continue;
        }
        TKept& k = *FKept[size_t(i)];
        QString formula = k.Curve.Formula.simplified();
        if (formula.size() > LegendFormulaLength)
            formula = formula.left(LegendFormulaLength - 1) + QChar(0x2026);
        // Only the parameters the formula names, to keep the row short.
        QStringList values;
        for (int p = 0; p < 4; ++p) {
            const QChar name('a' + p);
            static const QRegularExpression word("[A-Za-z_][A-Za-z_0-9]*");
            for (const QRegularExpressionMatch& m : word.globalMatch(k.Curve.Formula)) {
                if (m.captured().compare(name, Qt::CaseInsensitive) == 0) {
                    values << QString("%1=%2").arg(name).arg(Value(k.Curve.Parameters[size_t(p)]));
                    break;
                }
            }
        }
        const QString caption = values.isEmpty() ? formula : formula + "   " + values.join(' ');
        // Only what changed is set: each setter repaints.
        auto set = [](auto current, auto wanted, auto setter) {
            if (current != wanted)
                setter(wanted);
        };
        set(label.Caption(), caption, [&](const QString& v) { label.SetCaption(v); });
        set(label.Font(), font, [&](const QFont& v) { label.SetFont(v); });
        set(label.FontColor(), k.Curve.LegendColor, [&](TColor v) { label.SetFontColor(v); });
        set(label.ColorBorder(), k.Curve.Color, [&](TColor v) { label.SetColorBorder(v); });
        set(label.ColorBkg(), clWhite, [&](TColor v) { label.SetColorBkg(v); });
        set(label.AttachToData(), tlamNone, [&](TTxtLblAttachMode v) { label.SetAttachToData(v); });
        set(label.Alignment(), taRightJustify, [&](TAlignment v) { label.SetAlignment(v); });
        set(label.VerticalAlignment(), vaTop, [&](TVerticalAlignment v) { label.SetVerticalAlignment(v); });
        set(label.ShadowDx(), 0, [&](int v) { label.SetShadowDx(v); });
        set(label.ShadowDy(), 0, [&](int v) { label.SetShadowDy(v); });
        set(label.PosX(), double(right), [&](double v) { label.SetPosX(v); });
        set(label.PosY(), double(top), [&](double v) { label.SetPosY(v); });
        set(label.Visible(), true, [&](bool v) { label.SetVisible(v); });
        set(label.Mode(), tlBox, [&](TTxtLblMode v) { label.SetMode(v); });
        const int height = metrics.height() + 4;
        const int width = metrics.horizontalAdvance(caption) + 8;
        k.LegendBox = QRect(right - width + 4, top - 2, width, height);
        top += height + 1;
    }
}

int TPlotDriver::KeptCurveAt(QPoint p, int pixels) const
{
    int best = -1;
    int bestDistance = pixels + 1;
    const double x = FChart.PixelToWorld(1, p.x(), p.y()).x();
    // Later curves lie on top of earlier ones.
    for (size_t n = FKept.size(); n-- > 0;) {
        const TKept& k = *FKept[n];
        if (k.LegendBox.contains(p))
            return int(n);
        const auto& s = k.Samples;
        const auto at = std::lower_bound(s.begin(), s.end(), x,
                                         [](const TCurveSample& a, double v) { return a.X < v; });
        const size_t i = size_t(at - s.begin());
        // The segment ending at sample j covers the pixels between its ends.
        for (size_t j = (i > 0 ? i - 1 : 0); j <= i + 1 && j < s.size(); ++j) {
            if (!s[j].Defined)
                continue;
            const QPoint b = FChart.WorldToPixel(1, s[j].X, s[j].Y);
            int low = b.y(), high = b.y();
            if (j > 0 && s[j - 1].Defined && !k.Breaks[j]) {
                const QPoint a = FChart.WorldToPixel(1, s[j - 1].X, s[j - 1].Y);
                if (std::abs(a.x() - p.x()) > pixels && std::abs(b.x() - p.x()) > pixels)
                    continue;
                low = std::min(low, a.y());
                high = std::max(high, a.y());
            } else if (std::abs(b.x() - p.x()) > pixels) {
                continue;
            }
            const int distance = p.y() < low ? low - p.y() : p.y() > high ? p.y() - high : 0;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = int(n);
            }
        }
        if (bestDistance == 0)
            break;
    }
    return best;
}

} // namespace tessaly
