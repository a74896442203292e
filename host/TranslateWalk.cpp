#include "host/TranslateWalk.h"

#include "host/Parlox2000.h"

#include <QComboBox>
#include <QListWidget>
#include <QMetaProperty>
#include <QPointer>
#include <QSequentialIterable>
#include <QTabBar>

#include <vector>

namespace tessaly {

void TParlox2000::TranslateComponent(QObject& component)
{
    TTranslateWalk(*this).Component(component);
}

void TParlox2000::TranslateProperties(QObject& object)
{
    TTranslateWalk(*this).Properties(object);
}

void TTranslateWalk::Component(QObject& component)
{
    // Depth-first with a stack of its own, so a deep tree cannot exhaust the call stack. Guarded
    // pointers skip a child that a setter or a hook has deleted in the meantime.
    std::vector<QPointer<QObject>> pending{QPointer<QObject>(&component)};
    while (!pending.empty()) {
        const QPointer<QObject> next = pending.back();
        pending.pop_back();
        if (!next)
            continue;
        Properties(*next);
        if (!next)
            continue;
        // Read after the properties: a setter may have added children of its own.
        const QObjectList& children = next->children();
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            pending.emplace_back(*child);
    }
}

void TTranslateWalk::Properties(QObject& object)
{
    if (FTranslated.contains(&object))
        return;
    FTranslated.insert(&object);
    const QPointer<QObject> alive(&object);
    bool proceed = true;
    if (FEngine.OnTranslateObject)
        FEngine.OnTranslateObject(FEngine, object, proceed);
    if (!proceed || !alive)
        return;

    const QMetaObject* meta = object.metaObject();
    for (int i = 0; i < meta->propertyCount() && alive; ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isReadable())
            continue;
        const QMetaType type = property.metaType();
        if (type == QMetaType::fromType<QString>())
            StringProperty(object, property);
        else if (type == QMetaType::fromType<QStringList>())
            StringListProperty(object, property);
        else if (type.flags().testFlag(QMetaType::PointerToQObject))
            ObjectProperty(object, property);
        else if (QMetaType::canView(type, QMetaType::fromType<QSequentialIterable>()))
            CollectionProperty(object, property);
    }
    if (alive)
        ItemTexts(object);
}

bool TTranslateWalk::IsSettingsObject(const QObject& object)
{
    const QMetaObject* meta = object.metaObject();
    const int index = meta->indexOfClassInfo(TranslateWalkClassInfo);
    return index >= 0 && qstrcmp(meta->classInfo(index).value(), TranslateWalkSettings) == 0;
}

void TTranslateWalk::StringProperty(QObject& object, const QMetaProperty& property)
{
    const char* name = property.name();
    if (qstrcmp(name, "objectName") == 0 || qstrcmp(name, "Name") == 0 || !property.isWritable())
        return;
    // A combo box's current text mirrors its items (translated as items) or its line edit (a
    // child of its own); setting it would select another item whose text equals the translation.
    if (qstrcmp(name, "currentText") == 0 && qobject_cast<QComboBox*>(&object))
        return;
    QString text = property.read(&object).toString();
    if (TranslateMarked(text))
        property.write(&object, text);
}

void TTranslateWalk::StringListProperty(QObject& object, const QMetaProperty& property)
{
    if (!property.isWritable())
        return;
    QStringList lines = property.read(&object).toStringList();
    if (TranslateMarkedLines(lines))
        property.write(&object, lines);
}

void TTranslateWalk::ObjectProperty(QObject& object, const QMetaProperty& property)
{
    QObject* target = property.read(&object).value<QObject*>();
    if (target && IsSettingsObject(*target))
        Properties(*target);
}

void TTranslateWalk::CollectionProperty(QObject& object, const QMetaProperty& property)
{
    const QVariant value = property.read(&object);
    const QSequentialIterable items = value.value<QSequentialIterable>();
    if (!items.metaContainer().valueMetaType().flags().testFlag(QMetaType::PointerToQObject))
        return;
    std::vector<QPointer<QObject>> list;
    for (const QVariant& item : items)
        list.emplace_back(item.value<QObject*>());
    for (const QPointer<QObject>& item : list) {
        if (item)
            Properties(*item);
    }
}

void TTranslateWalk::ItemTexts(QObject& object)
{
    // Lines go from the last to the first; the count is checked again each time in case a hook
    // has changed the list.
    if (auto* combo = qobject_cast<QComboBox*>(&object)) {
        for (int i = combo->count() - 1; i >= 0; --i) {
            QString text = combo->itemText(i);
            if (TranslateMarked(text) && i < combo->count())
                combo->setItemText(i, text);
        }
    } else if (auto* list = qobject_cast<QListWidget*>(&object)) {
        for (int i = list->count() - 1; i >= 0; --i) {
            QString text = list->item(i)->text();
            if (TranslateMarked(text) && i < list->count())
                list->item(i)->setText(text);
        }
    } else if (auto* tabs = qobject_cast<QTabBar*>(&object)) {
        for (int i = tabs->count() - 1; i >= 0; --i) {
            QString text = tabs->tabText(i);
            if (TranslateMarked(text) && i < tabs->count())
                tabs->setTabText(i, text);
            if (i >= tabs->count())
                continue;
            QString tip = tabs->tabToolTip(i);
            if (TranslateMarked(tip) && i < tabs->count())
                tabs->setTabToolTip(i, tip);
        }
    }
}

bool TTranslateWalk::TranslateMarked(QString& text)
{
    const QString& marker = FEngine.Marker();
    if (!text.startsWith(marker, Qt::CaseSensitive))
        return false;
    text = FEngine.Translate(text.mid(marker.size()));
    return true;
}

bool TTranslateWalk::TranslateMarkedLines(QStringList& lines)
{
    bool changed = false;
    for (qsizetype i = lines.size() - 1; i >= 0; --i)
        changed |= TranslateMarked(lines[i]);
    return changed;
}

} // namespace tessaly
