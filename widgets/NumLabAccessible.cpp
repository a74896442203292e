#include "widgets/NumLabAccessible.h"

#include "widgets/NumLab.h"

namespace tessaly {

TNumLabAccessible::TNumLabAccessible(TNumLab* label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

TNumLab* TNumLabAccessible::Label() const
{
    return static_cast<TNumLab*>(widget());
}

QString TNumLabAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? Label()->LeftText().trimmed() : name;
    }
    case QAccessible::Value:
        return Label()->DisplayText();
    default:
        return QAccessibleWidget::text(t);
    }
}

void* TNumLabAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant TNumLabAccessible::currentValue() const
{
    return Label()->Empty() ? QVariant() : QVariant(Label()->Value());
}

void InstallNumLabAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
            if (className == QLatin1String(TNumLab::staticMetaObject.className()))
                if (auto* label = qobject_cast<TNumLab*>(object))
                    return new TNumLabAccessible(label);
            return nullptr;
        });
        return true;
    }();
    (void)installed;
}

} // namespace tessaly
