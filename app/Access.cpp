// The main window for every student: every control and command by keyboard alone, a visible
// focus, names and a current description of the chart for screen readers, and the curve as
// sound.
#include "app/mainfrm.h"

#include "app/ChartDescription.h"
#include "app/Sonify.h"
#include "app/SoundPlayer.h"
#include "chart/CrossHair.h"
#include "chart/RChart.h"
#include "chart/ScaleProps.h"
#include "gfx/MessageBox.h"
#include "html/HtmlView.h"
#include "widgets/Announce.h"
#include "widgets/FocusRing.h"
#include "widgets/NumLab.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QToolTip>

#include <cmath>

namespace tessaly {

namespace {

// The tone at the crosshair lasts this long.
constexpr double ToneSeconds = 0.4;

QKeySequence Alt(int key)
{
    return QKeySequence(Qt::ALT | Qt::Key(key));
}

} // namespace

void TFrmTessaly::BuildAccess()
{
    // Flat buttons and scroll bars are reached by Tab, not by a click, so that the mouse works
    // as it always did; the chart takes the focus both ways.
    for (QToolButton* b : {SButZoom11, SButYScale, SButZoom01, SButZoomWind, SButZoomDrag,
                           SButZoomPan, SbutDragCursor, SBAbout, SBExit})
        b->setFocusPolicy(Qt::TabFocus);
    for (QToolButton* b : SButAnimate)
        b->setFocusPolicy(Qt::TabFocus);
    for (QScrollBar* s : SbarVar) {
        s->setFocusPolicy(Qt::TabFocus);
        s->installEventFilter(this); // their keys
    }
    RCFunc->setFocusPolicy(Qt::StrongFocus);

    // Formula, parameters, chart, mode and range buttons, check boxes, about and exit, the
    // explanation.
    std::vector<QWidget*> order = {CBoxExpression};
    order.insert(order.end(), SbarVar.begin(), SbarVar.end());
    order.insert(order.end(), {RCFunc, SButZoom11, SButYScale, SButZoom01, SButZoomWind,
                               SButZoomDrag, SButZoomPan, SbutDragCursor, CBoxShowGrid,
                               CBoxCrosshVis});
    order.insert(order.end(), SButAnimate.begin(), SButAnimate.end());
    order.insert(order.end(), {SBAbout, SBExit, HTMLView});
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    CBoxExpression->setFocus(Qt::OtherFocusReason);
    FFocusRing = new TFocusRing(this);

    // Access keys: to a control, or its command.
    auto key = [this](const QKeySequence& sequence, QWidget* hinted, std::function<void()> run) {
        auto* s = new QShortcut(sequence, this);
        connect(s, &QShortcut::activated, this, std::move(run));
        FKeyHints.push_back({hinted, sequence});
    };
    auto focus = [](QWidget* w) {
        return [w] {
            if (w->isVisible())
                w->setFocus(Qt::ShortcutFocusReason);
        };
    };
    auto click = [](QAbstractButton* b) {
        return [b] {
            if (b->isVisible()) {
                b->setFocus(Qt::ShortcutFocusReason);
                b->click();
            }
        };
    };
    key(Alt(Qt::Key_F), CBoxExpression, focus(CBoxExpression));
    for (size_t i = 0; i < SbarVar.size(); ++i)
        key(Alt(Qt::Key_A + int(i)), SbarVar[i], focus(SbarVar[i]));
    key(Alt(Qt::Key_R), RCFunc, focus(RCFunc));
    key(Alt(Qt::Key_1), SButZoom11, click(SButZoom11));
    key(Alt(Qt::Key_Y), SButYScale, click(SButYScale));
    key(Alt(Qt::Key_0), SButZoom01, click(SButZoom01));
    key(Alt(Qt::Key_W), SButZoomWind, click(SButZoomWind));
    key(Alt(Qt::Key_Z), SButZoomDrag, click(SButZoomDrag));
    key(Alt(Qt::Key_P), SButZoomPan, click(SButZoomPan));
    key(Alt(Qt::Key_M), SbutDragCursor, click(SbutDragCursor));
    key(Alt(Qt::Key_G), CBoxShowGrid, click(CBoxShowGrid));
    key(Alt(Qt::Key_H), CBoxCrosshVis, click(CBoxCrosshVis));
    key(Alt(Qt::Key_O), SBAbout, click(SBAbout));
    key(Alt(Qt::Key_X), SBExit, click(SBExit));
    key(Alt(Qt::Key_E), HTMLView, focus(HTMLView));
    for (const auto& [widget, sequence] : FKeyHints)
        widget->installEventFilter(this);

    // The curve as sound.
    PopMenRC->addSeparator();
    PlayCurve1 = PopMenRC->addAction(QString(), this, &TFrmTessaly::PlayCurveClick);
    PlayCurve1->setObjectName("PlayCurve1");
    PlayCurve1->setShortcut(QKeySequence(Qt::Key_F7));
    PlayTone1 = PopMenRC->addAction(QString(), this, &TFrmTessaly::PlayToneClick);
    PlayTone1->setObjectName("PlayTone1");
    PlayTone1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F7));
    addAction(PlayCurve1);
    addAction(PlayTone1);
    FSound = std::make_unique<TSoundPlayer>();
    PlaySound = [this](const std::vector<std::int16_t>& pcm, int rate) {
        return FSound->Play(pcm, rate);
    };
}

void TFrmTessaly::TranslateAccessTexts()
{
    PlayCurve1->setText(Translate("Play the curve as sound"));
    PlayTone1->setText(Translate("Play the tone at the crosshair"));
    // The box and its line edit, which has the focus while typing.
    for (QWidget* w : {static_cast<QWidget*>(CBoxExpression), static_cast<QWidget*>(CBoxExpression->lineEdit())}) {
        w->setAccessibleName(Translate("Formula y = f(x)"));
        w->setAccessibleDescription(
            Translate("Type a formula in x and the parameters a, b, c and d; Enter draws it."));
    }
    for (size_t i = 0; i < SbarVar.size(); ++i) {
        const QString name(QChar('a' + int(i)));
        SbarVar[i]->setAccessibleName(Translate("Parameter <%1%>", {name}));
        SbarVar[i]->setAccessibleDescription(
            Translate("Hundredths of parameter <%1%>, from -100 to 100.", {name}));
        NLabVar[i]->setAccessibleName(Translate("Value of parameter <%1%>", {name}));
        SButAnimate[i]->setAccessibleName(Translate("Animate parameter <%1%>", {name}));
    }
    NLabX->setAccessibleName(Translate("Crosshair x"));
    NLabY->setAccessibleName(Translate("Crosshair y"));
    RCFunc->setAccessibleName(Translate("Chart"));
    HTMLView->setAccessibleName(Translate("Explanation"));
    LblError->setAccessibleDescription(Translate("Error"));
    const std::pair<QToolButton*, const char*> buttons[] = {
        {SButZoom11, "Show x from -100 to 100"}, {SButYScale, "Fit the y-axis"},
        {SButZoom01, "Show x from 0 to 100"},     {SButZoomWind, "Zoom into a window"},
        {SButZoomDrag, "Zoom by dragging"},       {SButZoomPan, "Pan"},
        {SbutDragCursor, "Drag the crosshair"},
    };
    for (const auto& [button, name] : buttons) {
        button->setAccessibleName(Translate(name));
        button->setAccessibleDescription(button->toolTip());
    }
    // Every access key is told to a screen reader too.
    for (const auto& [widget, sequence] : FKeyHints) {
        const QString keyText = sequence.toString(QKeySequence::NativeText);
        const QString described = widget->accessibleDescription();
        widget->setAccessibleDescription(described.isEmpty() ? keyText : described + " (" + keyText + ")");
    }
    UpdateChartDescription();
}

QString TFrmTessaly::KeyHint(QWidget* w) const
{
    for (const auto& [widget, sequence] : FKeyHints)
        if (widget == w)
            return sequence.toString(QKeySequence::NativeText);
    return {};
}

bool TFrmTessaly::ShowKeyHint(QWidget* w, QEvent* event)
{
    // The designed tooltips keep their texts; what shows adds the control's access key.
    if (event->type() != QEvent::ToolTip)
        return false;
    const QString key = KeyHint(w);
    if (key.isEmpty())
        return false;
    const QString tip = w->toolTip().isEmpty() ? key : w->toolTip() + " (" + key + ")";
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, w);
    return true;
}

QString TFrmTessaly::ChartDescription() const
{
    TChartState state;
    state.Formula = CBoxExpression->currentText();
    if (LblError->isVisibleTo(const_cast<TFrmTessaly*>(this))) {
        state.ErrorReason = FErrorReason;
        state.ErrorX = FErrorX;
    }
    state.CrossHairVisible = CBoxCrosshVis->isChecked();
    return DescribeChart(*FDriver, *RCFunc, state,
                         [this](const QString& text, const QStringList& params) {
                             return Translate(text, params);
                         });
}

void TFrmTessaly::UpdateChartDescription()
{
    if (!FDriver || !PlayCurve1)
        return;
    // Setting it tells a screen reader that it changed.
    const QString description = ChartDescription();
    if (description == RCFunc->accessibleDescription())
        return;
    RCFunc->setAccessibleDescription(description);
    QAccessibleEvent changed(RCFunc, QAccessible::DescriptionChanged);
    Announce(changed);
}

void TFrmTessaly::AnnounceError()
{
    QAccessibleEvent alert(LblError, QAccessible::Alert);
    Announce(alert);
}

bool TFrmTessaly::ChartKey(QKeyEvent* key)
{
    const Qt::KeyboardModifiers m = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // The chart keeps Tab for its own key handlers; in this window Tab goes on.
        if (m & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        focusNextPrevChild(key->key() == Qt::Key_Tab && !(m & Qt::ShiftModifier));
        return true;
    case Qt::Key_F10:
    case Qt::Key_Menu: {
        if (key->key() == Qt::Key_F10 ? m != Qt::ShiftModifier : m != Qt::NoModifier)
            return false;
        // At the crosshair when it is in the chart, else in the middle.
        const TCrossHair& c = *RCFunc->CrossHair1();
        QPoint at = RCFunc->WorldToPixel(c.Layer(), c.PosX(), c.PosY());
        if (c.Mode() == chOff || !RCFunc->rect().contains(at))
            at = RCFunc->rect().center();
        PopMenRC->popup(RCFunc->mapToGlobal(at));
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (m & ~Qt::ShiftModifier)
            return false;
        // One pixel, or ten with Shift.
        const int step = m & Qt::ShiftModifier ? 10 : 1;
        const int k = key->key();
        MoveCrossHairBy(k == Qt::Key_Left ? -step : k == Qt::Key_Right ? step : 0,
                        k == Qt::Key_Up ? -step : k == Qt::Key_Down ? step : 0);
        return true;
    }
    default:
        return false;
    }
}

void TFrmTessaly::MoveCrossHairBy(int dx, int dy)
{
    TCrossHair& c = *RCFunc->CrossHair1();
    if (c.Mode() == chOff)
        return;
    const QPoint at = RCFunc->WorldToPixel(c.Layer(), c.PosX(), c.PosY()) + QPoint(dx, dy);
    // Kept inside the data area.
    const TChartGeometry g = RCFunc->Geometry();
    const QPoint inside(std::clamp(at.x(), g.DataLeft(), std::max(g.DataLeft(), g.DataRight() - 1)),
                        std::clamp(at.y(), g.DataTop(), std::max(g.DataTop(), g.DataBottom() - 1)));
    const QPointF world = RCFunc->PixelToWorld(c.Layer(), inside.x(), inside.y());
    // Only the axis that moved changes, so that repeated steps never drift on the other.
    if (dx != 0)
        c.SetPosX(world.x());
    if (dy != 0)
        c.SetPosY(world.y());
    RCFuncCrossHairMove(*RCFunc, c);
}

void TFrmTessaly::PlayCurveClick()
{
    if (!HasSoundDevice()) {
        ShowInformation(Translate("There is no sound device."));
        return;
    }
    const TSoundSettings sound;
    PlaySound(SonifyCurve(FDriver->Samples(), FDriver->Breaks(), RCFunc->Scale1X()->RangeLow(),
                          RCFunc->Scale1X()->RangeHigh(), RCFunc->Scale1Y()->RangeLow(),
                          RCFunc->Scale1Y()->RangeHigh(), sound),
              sound.SampleRate);
}

void TFrmTessaly::PlayToneClick()
{
    if (!HasSoundDevice()) {
        ShowInformation(Translate("There is no sound device."));
        return;
    }
    const TSoundSettings sound;
    PlaySound(ToneOf(RCFunc->CrossHair1()->PosY(), RCFunc->Scale1Y()->RangeLow(),
                     RCFunc->Scale1Y()->RangeHigh(), ToneSeconds, sound),
              sound.SampleRate);
}

bool TFrmTessaly::HasSoundDevice() const
{
    return SoundDevice ? SoundDevice() : TSoundPlayer::HasDevice();
}

} // namespace tessaly
