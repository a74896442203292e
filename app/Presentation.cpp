// The main window's presentation size: 100 % to 300 % of its designed text, controls, curve width
// and crosshair, for a projector in a classroom and for students with low vision. The chart's
// data area keeps one sample per pixel column at every size.
#include "app/mainfrm.h"

#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "html/HtmlView.h"
#include "widgets/BevelPanel.h"
#include "widgets/FocusRing.h"
#include "widgets/NumLab.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>

#include <cmath>

namespace tessaly {

namespace {

constexpr int PresentationSteps[] = {100, 125, 150, 175, 200, 250, 300};

} // namespace

// The application's style with check box indicators of another size.
class TIndicatorStyle : public QProxyStyle {
public:
    explicit TIndicatorStyle(QObject* owner) { setParent(owner); }
    int Size = 13;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight)
            return Size;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

namespace {

// The explanation page at a presentation size: its fixed font sizes and picture sizes grow
// with the scale, as its default font does.
QString ScaledHtml(QString html, double scale)
{
    if (scale == 1)
        return html;
    static const QRegularExpression sizes(R"((font-size:\s*)(\d+(?:\.\d+)?)pt)");
    static const QRegularExpression pictures(R"(((?:width|height)=")(\d+)("))");
    QString out;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& m : sizes.globalMatch(html)) {
        out += html.mid(last, m.capturedStart() - last) + m.captured(1) +
               QString::number(std::round(m.captured(2).toDouble() * scale * 2) / 2) + "pt";
        last = m.capturedEnd();
    }
    html = out + html.mid(last);
    out.clear();
    last = 0;
    for (const QRegularExpressionMatch& m : pictures.globalMatch(html)) {
        out += html.mid(last, m.capturedStart() - last) + m.captured(1) +
               QString::number(std::lround(m.captured(2).toDouble() * scale)) + m.captured(3);
        last = m.capturedEnd();
    }
    return out + html.mid(last);
}

} // namespace

int TFrmTessaly::S(int designed) const
{
    return static_cast<int>(std::lround(designed * FScale));
}

void TFrmTessaly::RecordDesign()
{
    // The designed controls: the children of the window and of its panels.
    const QWidget* parents[] = {this, Panel1, Panel2, Panel3};
    for (QWidget* w : findChildren<QWidget*>()) {
        if (std::find(std::begin(parents), std::end(parents), w->parentWidget()) == std::end(parents) ||
            w == FFocusRing)
            continue;
        TDesign d;
        d.Widget = w;
        d.Geometry = w->geometry();
        if (w->testAttribute(Qt::WA_SetFont))
            d.FontPixels = w->font().pixelSize();
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            d.IconSize = b->iconSize();
        if (auto* n = qobject_cast<TNumLab*>(w)) {
            d.LabelWidth = n->LabelWidth();
            d.LeftSpace = n->LeftSpace();
        }
        FDesign.push_back(d);
    }
    FChartDesign = {RCFunc->MarginTop(), RCFunc->MarginBottom(), RCFunc->MarginRight(),
                    Driver().DesignMarginLeft(), RCFunc->Scale1X()->CaptionPosY(),
                    RCFunc->Scale1Y()->CaptionPosY()};

    auto key = [this](const QKeySequence& sequence, int step) {
        auto* s = new QShortcut(sequence, this);
        connect(s, &QShortcut::activated, this, [this, step] {
            if (step == 0) {
                SetPresentationPercent(100);
                return;
            }
            // The next size up or down.
            const auto* at = std::find(std::begin(PresentationSteps), std::end(PresentationSteps),
                                       PresentationPercent());
            const std::ptrdiff_t i = std::clamp<std::ptrdiff_t>(
                at - std::begin(PresentationSteps) + step, 0, std::size(PresentationSteps) - 1);
            SetPresentationPercent(PresentationSteps[i]);
        });
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Plus), 1);
    key(QKeySequence(Qt::CTRL | Qt::Key_Minus), -1);
    key(QKeySequence(Qt::CTRL | Qt::Key_0), 0);
}

void TFrmTessaly::SetPresentationPercent(int percent)
{
    percent = std::clamp(percent, 100, 300);
    if (percent == FPercent)
        return;
    const double before = FScale;
    // The size last asked for while the window system has not confirmed it yet; taken before
    // anything here resizes the window.
    const QSize current = FPendingSize.isValid() ? FPendingSize : size();
    FPercent = percent;
    FScale = percent / 100.0;
    CloseValueEditor(false);

    setFont([this] {
        QFont f("MS Sans Serif");
        f.setPixelSize(S(13));
        return f;
    }());
    auto scaled = [this](const QRect& r) { return QRect(S(r.x()), S(r.y()), S(r.width()), S(r.height())); };
    for (const TDesign& d : FDesign) {
        if (!d.Widget)
            continue;
        d.Widget->setGeometry(scaled(d.Geometry));
        if (d.FontPixels > 0) {
            QFont f = d.Widget->font();
            f.setPixelSize(S(d.FontPixels));
            d.Widget->setFont(f);
        }
        if (d.IconSize.isValid())
            static_cast<QAbstractButton*>(d.Widget.data())->setIconSize(
                QSize(S(d.IconSize.width()), S(d.IconSize.height())));
        if (auto* n = qobject_cast<TNumLab*>(d.Widget.data())) {
            n->SetLabelWidth(S(d.LabelWidth));
            n->SetLeftSpace(S(d.LeftSpace));
        }
        // The style draws check boxes at one size; a larger one is asked for, and only then.
        if (qobject_cast<QCheckBox*>(d.Widget.data())) {
            if (percent == 100) {
                d.Widget->setStyle(nullptr);
            } else {
                if (!FIndicatorStyle)
                    FIndicatorStyle = new TIndicatorStyle(this);
                FIndicatorStyle->Size = S(13);
                d.Widget->setStyle(FIndicatorStyle);
            }
        }
    }

    // The chart: margins, captions, the curve's and the crosshair's width; its data area
    // keeps one sample per pixel column.
    RCFunc->SetMarginTop(S(FChartDesign.MarginTop));
    RCFunc->SetMarginBottom(S(FChartDesign.MarginBottom));
    RCFunc->SetMarginRight(S(FChartDesign.MarginRight));
    Driver().SetDesignMarginLeft(S(FChartDesign.MarginLeft));
    RCFunc->Scale1X()->SetCaptionPosY(S(FChartDesign.CaptionX));
    RCFunc->Scale1Y()->SetCaptionPosY(S(FChartDesign.CaptionY));
    const int line = std::max(1, static_cast<int>(std::lround(FScale)));
    RCFunc->SetLineWidth(line);
    RCFunc->CrossHair1()->SetLineWid(line);
    FFocusRing->SetThickness(S(2));
    HTMLView->SetDefaultFontSize(S(8));
    HTMLView->LoadFromString(ScaledHtml(Translate("MMExplain"), FScale));

    // The window grows with its contents, as far as the screen allows.
    const QSize designed(S(DesignWidth), S(DesignHeight));
    const QSize screen = this->screen() ? this->screen()->availableGeometry().size() : designed;
    setMinimumSize(designed.boundedTo(screen));
    const QSize wanted(static_cast<int>(std::lround(current.width() * FScale / before)),
                       static_cast<int>(std::lround(current.height() * FScale / before)));
    const QSize size = wanted.expandedTo(minimumSize()).boundedTo(screen.expandedTo(minimumSize()));
    // And stays on the screen: size and place in one step, as the window system may take its
    // time to confirm a new size.
    QPoint at = pos();
    if (this->screen() && isWindow()) {
        const QRect area = this->screen()->availableGeometry();
        at = QPoint(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())),
                    std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
    }
    FPendingSize = size;
    setGeometry(QRect(at, size));
    Dock();
    FDriver->RecalcPlot();
}

} // namespace tessaly
