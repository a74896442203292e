#pragma once
// What a screen reader learns of a numeric read-out: a static text named by its accessible
// name, else its left text, whose value is the text of its value field (and, as a number, its
// value). Installed once for the whole program.

#include <QAccessibleWidget>

namespace tessaly {

class TNumLab;

class TNumLabAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TNumLabAccessible(TNumLab* label);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {} // a read-out is not set by its reader
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    TNumLab* Label() const;
};

// Registers the read-outs' accessible interface with Qt; later calls do nothing.
void InstallNumLabAccessibility();

} // namespace tessaly
