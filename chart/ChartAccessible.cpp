#include "chart/ChartAccessible.h"

#include "chart/RChart.h"

#include <QAccessibleWidget>

namespace tessaly {

void InstallChartAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString&, QObject* object) -> QAccessibleInterface* {
            if (auto* chart = qobject_cast<TCustomRChart*>(object))
                return new QAccessibleWidget(chart, QAccessible::Chart);
            return nullptr;
        });
        return true;
    }();
    (void)installed;
}

} // namespace tessaly
