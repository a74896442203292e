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
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>

#include <cmath>

namespace tessaly {

namespace {

constexpr int PresentationSteps[] = {100, 125, 150, 175, 200, 250, 300};

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
    key(QKeySequence(Qt::CTRL | Qt::Key_Equal), 1);
    key(QKeySequence(Qt::CTRL | Qt::Key_Minus), -1);
    key(QKeySequence(Qt::CTRL | Qt::Key_0), 0);
}

void TFrmTessaly::SetPresentationPercent(int percent)
{
    percent = std::clamp(percent, 100, 300);
    if (percent == FPercent)
        return;
    const double before = FScale;
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
    HTMLView->LoadFromString(Translate("MMExplain"));

    // The window grows with its contents, as far as the screen allows.
    const QSize designed(S(DesignWidth), S(DesignHeight));
    const QSize screen = this->screen() ? this->screen()->availableGeometry().size() : designed;
    setMinimumSize(designed.boundedTo(screen));
    const QSize wanted(static_cast<int>(std::lround(width() * FScale / before)),
                       static_cast<int>(std::lround(height() * FScale / before)));
    resize(wanted.expandedTo(minimumSize()).boundedTo(screen.expandedTo(minimumSize())));
    Dock();
    FDriver->RecalcPlot();
}

} // namespace tessaly
